#include "alignfixture.h"

#include <QtTest>

constexpr int InWindow = 114; // 1.994 V

class TestVCOTuning : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void window_data()
    {
        QTest::addColumn<double>("volts");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<int>("delta");
        QTest::newRow("1.950") << 1.950 << true << 88;
        QTest::newRow("2.050") << 2.050 << true << -88;
        QTest::newRow("1.949") << 1.949 << false << 89;
        QTest::newRow("2.051") << 2.051 << false << -89;
    }

    void window()
    {
        QFETCH(double, volts);
        QFETCH(bool, inside);
        QFETCH(int, delta);
        QCOMPARE(InVCOWindow(volts), inside);
        QCOMPARE(VCODelta(volts), long(delta));
    }

    void runs_data()
    {
        QTest::addColumn<int>("rxHigh"); // A/D counts at the top of the receive band; -1: the bench
        QTest::addColumn<int>("txLow");  // and at the bottom of the transmit band
        QTest::addColumn<QString>("info"); // the information line at the end
        QTest::addColumn<QString>("measure");
        const QString done = "VCO Tuning Voltage Adjust complete, to adjust another unit      \r\n"
                             "set it to Group 1, Channel 1 and connect it as before.      ";
        QTest::newRow("the bench, coil turned") << -1 << -1 << done
                                                << "Tuning Voltage (RX) @ 136.000MHz = 1.994VDC\r\n"
                                                   "Tuning Voltage (RX) @ 174.000MHz = 1.994VDC\r\n"
                                                   "Tuning Voltage (TX) @ 136.000MHz = 1.994VDC\r\n"
                                                   "Tuning Voltage (TX) @ 174.000MHz = 2.012VDC";
        QTest::newRow("receive limit at 3.0 V")
            << 172 << InWindow << done
            << "Tuning Voltage (RX) @ 136.000MHz = 1.994VDC\r\nWARNING - VCO Steering Voltage in "
               "receive at 174MHz has been set to \r\nits limit at $7FFF and voltage is now "
               "3.0VDC. "
               "*** FAILS ***\r\nTuning Voltage (TX) @ 136.000MHz = 1.994VDC\r\nTuning Voltage "
               "(TX) @ 174.000MHz = 1.994VDC";
        QTest::newRow("receive limit at 4.5 V")
            << 255 << InWindow
            << "Process aborted...  Set the unit to Channel 1 and click 'Start' below.\r\n"
               "Channel 1 still holds the test channel: write Group 1 back from your data file "
               "with the editor, or run this page again."
            << "WARNING - VCO Steering Voltage in receive at 174MHz has been set to \r\nits limit "
               "at "
               "$7FFF and voltage is now 4.5VDC. - aborting process.";
        QTest::newRow("transmit limit at 0.9 V")
            << InWindow << 50 << done
            << "Tuning Voltage (RX) @ 136.000MHz = 1.994VDC\r\nTuning Voltage (RX) @ 174.000MHz = "
               "1.994VDC\r\nWARNING - VCO Steering Voltage in transmit at 136MHz has been set to "
               "\r\nits limit at $1 and voltage is now 0.9VDC. *** FAILS ***\r\nTuning Voltage "
               "(TX) "
               "@ 174.000MHz = 1.994VDC";
    }

    void runs()
    {
        QFETCH(int, rxHigh);
        QFETCH(int, txLow);
        AlignFixture f;
        f.resetAlign();
        RadioBench::SeedAlignmentCells(f.radio->eeprom);
        const auto before = f.radio->eeprom;
        // The technician turns T1 home after a while; fixed counts stand in for a faulty unit.
        int samples = 0;
        f.radio->addCommand(0xFA, 1, [&](VirtualRadio &, const std::vector<std::uint8_t> &) {
            if (++samples == 200)
                f.bench->coilVolts = 0.0;
            int counts = f.bench->tuningA2D();
            const bool top = f.bench->chanMHz(!f.bench->transparentTX) > 170.0;
            if (rxHigh >= 0)
                counts =
                    f.bench->transparentTX ? (top ? InWindow : txLow) : (top ? rxHigh : InWindow);
            return std::vector<std::uint8_t>{static_cast<std::uint8_t>(counts)};
        });
        PageViews view;
        VCOTuning page(f.screen, view);
        page.StartClick();

        QFETCH(QString, info);
        QFETCH(QString, measure);
        QCOMPARE(QString::fromStdString(view.instructions), info);
        QCOMPARE(QString::fromStdString(view.value), measure);
        QCOMPARE(f.navigation, (std::vector<bool>{false, true}));
        QVERIFY(view.startEnabled && !g_bHooked && !f.bench->transparentTX);
        // Power cells always back; channel 1 back after a finished run; coarse cells as steered.
        QCOMPARE(f.radio->eeprom[0x000B], before[0x000B]);
        QCOMPARE(f.radio->eeprom[0x0014], before[0x0014]);
        const bool finished = info.startsWith("VCO");
        for (int a = 0x0500; a < 0x0510 && finished; ++a)
            QCOMPARE(f.radio->eeprom[a], before[a]);
        if (rxHigh == 172)
            QCOMPARE(f.pair(0x0303), 0x7FFF);
        if (txLow == 50)
            QCOMPARE(f.pair(0x030A), 1);
        QVERIFY(QString::fromStdString(f.log()).contains(",VCO Tuning Voltage,"));
    }
};

QTEST_GUILESS_MAIN(TestVCOTuning)
#include "tst_vcotuning.moc"
