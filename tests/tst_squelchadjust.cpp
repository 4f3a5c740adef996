#include "alignfixture.h"

#include <QtTest>

#include <deque>

using Readings = std::vector<int>; // -1: the noise stream does not come
using Answers = std::vector<int>;  // MsgAnswer values, in order

class TestSquelchAdjust : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runs_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("stored");     // the band's cell before the run
        QTest::addColumn<Readings>("noise"); // empty: aborted while waiting for 8 dB SINAD
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<int>("kept");        // the band's cell after the run
        QTest::addColumn<QString>("message"); // the last message shown
        QTest::addColumn<Readings>("path");   // the cell as each reading was taken
        const int ok = int(MsgAnswer::Ok), retry = int(MsgAnswer::Retry),
                  cancel = int(MsgAnswer::Cancel);
        QTest::newRow("0xFF starts from the default, abort writes it")
            << 0 << 0xFF << Readings{} << Answers{ok} << 0x41 << "Abort Squelch adjustment?      "
            << Readings{};
        QTest::newRow("246 248 249 from 0x80")
            << 0 << 0x80 << Readings{246, 246, 248, 249} << Answers{} << 0x78
            << "Narrowband Preset Squelch Gain set to: 0x78, adjustment complete.     "
            << Readings{0x80, 0x80, 0x7A, 0x78};
        QTest::newRow("251 raises by 4, wide band")
            << 1 << 0x80 << Readings{200, 251, 249} << Answers{} << 0x84
            << "Wideband Preset Squelch Gain set to: 0x84, adjustment complete.     "
            << Readings{0x80, 0x80, 0x84};
        QTest::newRow("search reaches the top of the gain")
            << 0 << 0xFB << Readings{246, 251, 249} << Answers{} << 0xFF
            << "Narrowband Preset Squelch Gain set to: 0xFF, adjustment complete.     "
            << Readings{0xFB, 0xFB, 0xFF};
        QTest::newRow("initialisation climbs by 20")
            << 1 << 0x10 << Readings{250, 247, 249, 246, 249} << Answers{} << 0x4C
            << "Wideband Preset Squelch Gain set to: 0x4C, adjustment complete.     "
            << Readings{0x10, 0x24, 0x38, 0x4C, 0x4C};
        QTest::newRow("gain limit: retry stays at the limit, then cancel")
            << 0 << 0xE0 << Readings{250, 250, 250, 250} << Answers{retry, cancel} << 0xE0
            << "Unable to initialize the Narrowband squelch adjustment.  Please verify\r\nthe "
               "SINAD "
               "is at 8dB.\r\n\r\nTry again?"
            << Readings{0xE0, 0xF4, 0xFF};
        QTest::newRow("reading lost in the search")
            << 0 << 0x80 << Readings{246, -1} << Answers{} << 0x80
            << "Comm Error 13 in Sub 'cmdNarrowband_Click', please try again.     "
            << Readings{0x80, 0x80};
        // 248 and 250 by turns: the gain swings by 2 and the search gives up after 100 steps.
        Readings unsettled{246};
        Readings unsettledPath{0x80};
        for (int i = 0; i < 60; ++i) {
            unsettled.insert(unsettled.end(), {248, 250});
            unsettledPath.insert(unsettledPath.end(), {0x80, 0x7E});
        }
        unsettledPath.resize(102);
        QTest::newRow("a bench that never settles")
            << 0 << 0x80 << unsettled << Answers{} << 0x80
            << "The adjustment has reached its limit without finding\r\nthe proper value.  Please "
               "verify the setup and make sure\r\nthe squelch knob is on the detent, then try "
               "again."
            << unsettledPath;
    }

    void runs()
    {
        QFETCH(int, band);
        QFETCH(int, stored);
        QFETCH(Readings, noise);
        QFETCH(Answers, answers);
        f.resetAlign();
        const int cell = SquelchBands[band].cell;
        f.radio->eeprom[cell] = static_cast<std::uint8_t>(stored);
        const auto before = f.radio->eeprom;
        std::deque<int> readings(noise.begin(), noise.end());
        std::vector<int> gains; // the cell as each reading was taken
        f.radio->addCommand(0xFD, 0, [&](VirtualRadio &r, const std::vector<std::uint8_t> &) {
            gains.push_back(r.eeprom[cell]);
            const int level = readings.empty() ? 249 : readings.front();
            if (!readings.empty())
                readings.pop_front();
            return level < 0 ? std::vector<std::uint8_t>{}
                             : std::vector<std::uint8_t>(96, static_cast<std::uint8_t>(level));
        });
        PageViews view;
        SquelchAdjust page(f.screen, view);
        page.SetupTabPage();
        page.BandClick(band);

        QVERIFY(page.HoldsRadio() && view.controls && f.bench->rxPath && g_bHooked);
        QCOMPARE(view.bands[band].caption, std::string("Found 8 dB SINAD"));
        QVERIFY(!view.bands[1 - band].visible);
        QCOMPARE(f.bench->chanFlag(2, 0x08), band == 0);
        QVERIFY(f.navigation.empty());
        for (int a : answers)
            f.dialogs->messageAnswers.push_back(MsgAnswer(a));
        if (noise.empty())
            page.AbortClick();
        else
            page.BandClick(band);

        QVERIFY(!page.HoldsRadio() && !view.controls && !g_bHooked);
        QVERIFY(view.bands[0].visible && view.bands[1].visible && view.bands[band].enabled);
        QCOMPARE(view.bands[band].caption, std::string(SquelchBands[band].caption));
        QCOMPARE(f.navigation.back(), true);
        QFETCH(QString, message);
        QCOMPARE(QString::fromStdString(f.dialogs->messages.back().text), message);
        QFETCH(int, kept);
        QCOMPARE(int(f.radio->eeprom[cell]), kept);
        QCOMPARE(f.changedOutside(before, {cell}), -1);
        QFETCH(Readings, path);
        if (!path.empty())
            QCOMPARE(gains, path);
        QVERIFY2(QString::fromStdString(f.log()).contains(
                     QString(",Squelch %1,").arg(SquelchBands[band].caption)),
                 f.log().c_str());
    }

private:
    AlignFixture f;
};

QTEST_GUILESS_MAIN(TestSquelchAdjust)
#include "tst_squelchadjust.moc"
