#include "defaultimage.h"
#include "labelcodes.h"
#include "layout.h"
#include "memmap.h"

#include <QtTest>

static QString label(const MemMapImage &image, int page, int offset)
{
    std::array<std::uint8_t, 12> codes{};
    for (int i = 0; i < 12; ++i)
        codes[i] = image.get(page, offset + i);
    return QString::fromStdString(CodesToLabel(codes));
}

class TestMemMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addressArithmetic()
    {
        const int rows[][4] = {{0, 0, Layout::ChRxFreq, 1024 + 256},
                               {2, 0, Layout::ChRxFreq, 3 * 1024 + 256},
                               {0, 1, Layout::ChTxGuard, 1024 + 256 + 32 + 12},
                               {24, 19, 31, 26495}}; // the last byte of group 25, channel 20
        for (const auto &[group, chan, field, address] : rows)
            QCOMPARE(Layout::ChanFieldAddress(group, chan, field), address);
        MemMapImage image;
        image.set(0, 0, 0x1FF);
        image.set(31, 1023, 7);
        QCOMPARE(int(image.get(0, 0)), 0xFF);
        QCOMPARE(int(image.get(31, 1023)), 7);
    }

    void defaultImage()
    {
        MemMapImage image;
        for (int p = 0; p < MemMapPages; ++p)
            for (int o = 0; o < PageSize; ++o)
                image.set(p, o, 0xAA);
        LoadDefaultImage(image);

        // Expected bytes of page 0; every command group assigns group 255, channel 0.
        std::map<int, int> globals = {{5, 25},    {7, 128},  {130, 250}, {131, 128},
                                      {132, 219}, {135, 65}, {136, 64},  {196, 244},
                                      {198, 40},  {201, 64}, {203, 128}};
        for (int k = 0; k < 20; ++k)
            globals[320 + 2 * k] = 255;
        for (int o = 0; o < PageSize; ++o) {
            const auto it = globals.find(o);
            QVERIFY2(image.get(0, o) == (it == globals.end() ? 0 : it->second),
                     qPrintable(QStringLiteral("page 0 offset %1").arg(o)));
        }

        QCOMPARE(label(image, 1, 32), QStringLiteral("GROUP  1    "));
        QCOMPARE(label(image, 25, 32), QStringLiteral("GROUP 25    "));
        QCOMPARE(label(image, 3, 256 + 32 * 9 + 20), QStringLiteral("Ch 10       "));
        QCOMPARE(label(image, 3, 256 + 20), QStringLiteral("Ch  1       "));
        for (int page = 1; page < MemMapPages; ++page) {
            const bool group = page <= NumGroups;
            QCOMPARE(int(image.get(page, 44)), group ? 1 : 0);
            for (int o = 0; o < PageSize; ++o) {
                const bool record = o >= 256 && o < 256 + 32 * ChansPerGroup;
                const int rel = (o - 256) % 32;
                const bool text = (o >= 32 && o < 44) || (record && rel >= 20);
                const int rx = !record    ? -1
                               : rel == 0 ? 0xC3
                               : rel == 1 ? (o / 32 % 2 ? 0x78 : 0)
                                          : -1;
                if (group && rx >= 0)
                    QCOMPARE(int(image.get(page, o)), rx);
                else if (!(group && text) && o != 44 && image.get(page, o) != 0)
                    QFAIL(
                        qPrintable(QStringLiteral("page %1 offset %2 is not 0").arg(page).arg(o)));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestMemMap)
#include "tst_memmap.moc"
