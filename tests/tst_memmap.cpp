#include "defaultimage.h"
#include "labelcodes.h"
#include "layout.h"
#include "memmap.h"

#include <QtTest>

class TestMemMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addressArithmetic_data();
    void addressArithmetic();
    void defaultGlobals_data();
    void defaultGlobals();
    void defaultGroups();
    void defaultLeavesEverythingElseZero();
    void valuesAreBytes();
};

void TestMemMap::addressArithmetic_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("chan");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("address");
    QTest::newRow("group 1 ch 1 rx") << 0 << 0 << Layout::ChRxFreq << 1024 + 256;
    QTest::newRow("group 3 ch 1 rx") << 2 << 0 << Layout::ChRxFreq << 3 * 1024 + 256;
    QTest::newRow("group 1 ch 2 tx guard") << 0 << 1 << Layout::ChTxGuard << 1024 + 256 + 32 + 12;
    QTest::newRow("last byte of group 25 ch 20") << 24 << 19 << 31 << 26495;
}

void TestMemMap::addressArithmetic()
{
    QFETCH(int, group);
    QFETCH(int, chan);
    QFETCH(int, field);
    QFETCH(int, address);
    QCOMPARE(Layout::ChanFieldAddress(group, chan, field), address);
    QVERIFY(address / PageSize < UsedPages);
}

void TestMemMap::defaultGlobals_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("value");
    const int table[][2] = {{5, 25},   {7, 128},   {130, 250}, {131, 128}, {132, 219}, {135, 65},
                            {136, 64}, {196, 244}, {198, 40},  {201, 64},  {203, 128}};
    for (const auto &row : table)
        QTest::addRow("offset %d", row[0]) << row[0] << row[1];
    for (int k = 0; k < 20; ++k) {
        QTest::addRow("command group %d group assign", k) << 320 + 2 * k << 255;
        QTest::addRow("command group %d channel assign", k) << 321 + 2 * k << 0;
    }
}

void TestMemMap::defaultGlobals()
{
    QFETCH(int, offset);
    QFETCH(int, value);
    MemMapImage image;
    LoadDefaultImage(image);
    QCOMPARE(int(image.get(0, offset)), value);
}

static QString label(const MemMapImage &image, int page, int offset)
{
    std::array<std::uint8_t, 12> codes{};
    for (int i = 0; i < 12; ++i)
        codes[i] = image.get(page, offset + i);
    return QString::fromStdString(CodesToLabel(codes));
}

void TestMemMap::defaultGroups()
{
    MemMapImage image;
    LoadDefaultImage(image);
    QCOMPARE(label(image, 1, 32), QStringLiteral("GROUP  1    "));
    QCOMPARE(label(image, 25, 32), QStringLiteral("GROUP 25    "));
    QCOMPARE(label(image, 3, 256 + 32 * 9 + 20), QStringLiteral("Ch 10       "));
    QCOMPARE(label(image, 3, 256 + 20), QStringLiteral("Ch  1       "));
    // Lower-case h has its own code, the blank is 48.
    QCOMPARE(int(image.get(1, 256 + 20)), 12);
    QCOMPARE(int(image.get(1, 256 + 21)), 47);
    QCOMPARE(int(image.get(1, 256 + 22)), 48);
    for (int page = 1; page <= NumGroups; ++page) {
        QCOMPARE(int(image.get(page, 44)), 1);
        for (int c = 0; c < ChansPerGroup; ++c) {
            const int rec = 256 + 32 * c;
            QCOMPARE(int(image.get(page, rec)), 0xC3);
            QCOMPARE(int(image.get(page, rec + 1)), c % 2 ? 0x78 : 0x00);
        }
    }
}

// Whether the default image sets (page, offset) at all.
static bool isDefaultField(int page, int offset)
{
    if (page == 0) {
        const int globals[] = {5, 7, 130, 131, 132, 135, 136, 196, 198, 201, 203};
        if (std::find(std::begin(globals), std::end(globals), offset) != std::end(globals))
            return true;
        return offset >= 320 && offset < 360 && offset % 2 == 0;
    }
    if (page > NumGroups)
        return false;
    if (offset >= 32 && offset <= 44)
        return true;
    if (offset < 256 || offset >= 256 + 32 * ChansPerGroup)
        return false;
    const int rel = (offset - 256) % 32;
    return rel <= 1 || rel >= 20;
}

void TestMemMap::defaultLeavesEverythingElseZero()
{
    MemMapImage image;
    for (int p = 0; p < MemMapPages; ++p)
        for (int o = 0; o < PageSize; ++o)
            image.set(p, o, 0xAA);
    LoadDefaultImage(image);
    for (int p = 0; p < MemMapPages; ++p) {
        for (int o = 0; o < PageSize; ++o) {
            if (!isDefaultField(p, o) && image.get(p, o) != 0)
                QFAIL(qPrintable(QStringLiteral("page %1 offset %2 is not 0").arg(p).arg(o)));
        }
    }
}

void TestMemMap::valuesAreBytes()
{
    MemMapImage image;
    image.set(0, 0, 0x1FF);
    QCOMPARE(int(image.get(0, 0)), 0xFF);
    image.set(31, 1023, 7);
    QCOMPARE(int(image.get(31, 1023)), 7);
}

QTEST_APPLESS_MAIN(TestMemMap)
#include "tst_memmap.moc"
