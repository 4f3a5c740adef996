#include "alignfixture.h"
#include "eeprotocol.h"
#include "tunehold.h"

#include <QtTest>

const std::string Aborted = "Frequency adjust aborted.  Click 'Start' below to try again.";
const std::string Lost = "The original frequency adjust values as well as data for Channel 1 "
                         "have been lost.\r\nYou will need to restore the Channel 1 data ";

class TestFreqAdjust : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        f.resetAlign();
        view = PageViews();
        page = std::make_unique<FreqAdjust>(f.screen, view);
    }

    void finishStoresTheAdjust_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stored"); // -1: refused
        QTest::newRow("1 kHz high") << "173.99600" << 0xF481;
        QTest::newRow("on frequency") << "173.99500" << 0x0000;
        QTest::newRow("upper bound refused") << "174.005" << -1;
        QTest::newRow("lower bound accepted") << "173.985" << 0x72F2;
        QTest::newRow("digits beyond the fifth rounded") << "173.9899996" << 0x3979;
    }

    void finishStoresTheAdjust()
    {
        QFETCH(QString, text);
        QFETCH(int, stored);
        start();
        view.entry = text.toStdString();
        page->StartFinishClick();
        if (stored < 0) {
            QCOMPARE(f.dialogs->messages.back().caption, std::string("RANGE ERROR"));
            QCOMPARE(f.dialogs->messages.back().text,
                     std::string("The value you entered is beyond the usable range\r\nof the "
                                 "adjusment.  Please make sure the radio is\r\non Group 1, Channel "
                                 "1, and try again."));
            QCOMPARE(view.entry, std::string());
            QVERIFY(page->HoldsRadio());
            QCOMPARE(view.caption, std::string("Finish"));
            return;
        }
        QVERIFY(f.dialogs->messages.empty());
        QVERIFY(!page->HoldsRadio());
        QCOMPARE(f.pair(0x001F), stored);
        QCOMPARE(f.changedOutside(before, {0x001F, 0x0020}), -1);
        QVERIFY(view.instructions.rfind("Frequency adjust completed.", 0) == 0);
        QCOMPARE(view.entry, std::string("173.995000"));
        QVERIFY(!view.entryEnabled && !view.quitEnabled);
        QVERIFY(QString::fromStdString(f.log()).endsWith(QString::fromStdString(
            "1234567,TX Frequency,12 34," + f.pairHex(stored) + ",Completed\r\n")));
    }

    void quitAndFailuresRestore_data()
    {
        QTest::addColumn<bool>("quit"); // QUIT, else Finish with 173.996
        // 1: the hook goes unanswered, 2: writes are refused, 3: silent after the first adjust byte
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message"); // one of the messages shown
        QTest::addColumn<QString>("result");  // the log's last field
        QTest::newRow("quit") << true << 0 << ""
                              << "Aborted";
        QTest::newRow("quit, radio gone")
            << true << 1
            << QString::fromStdString(Lost) + "manually, then attempt to reset the TX Power Levels."
            << "Aborted: channel 1 and adjust lost";
        QTest::newRow("quit, radio silent while the adjust goes back")
            << true << 3 << "Unable to 'Hook' radio.  Please check all connections and try again."
            << "Aborted: adjust not restored";
        QTest::newRow("finish, radio gone")
            << false << 1
            << QString::fromStdString(Lost) +
                   "with the editor, then attempt to reset the TX Power Levels."
            << "Failed: channel 1 and adjust lost";
        QTest::newRow("finish, writes refused")
            << false << 2 << "Unable to contact radio, please try again"
            << "Failed: channel 1 not restored";
    }

    void quitAndFailuresRestore()
    {
        QFETCH(bool, quit);
        QFETCH(int, fault);
        QFETCH(QString, message);
        start();
        f.radio->faults.noHookAnswer = fault == 1;
        if (fault == 2) {
            f.radio->faults.wrongFirstByte = 0;
            f.radio->faults.wrongFirstByteFor = 0xD3;
        }
        if (fault == 3) {
            VirtualRadio &radio = *f.radio;
            radio.afterCommand = [&radio, previous = radio.afterCommand] {
                if (previous)
                    previous();
                using Bytes = std::vector<std::uint8_t>;
                const Bytes r = radio.received();
                if (r.size() >= 5 && Bytes(r.end() - 5, r.end() - 2) == Bytes{0xD3, 0x00, 0x1F})
                    radio.faults.stopAfterCommands = radio.commandsHandled();
            };
        }
        f.dialogs->messageAnswers = {MsgAnswer::Cancel, MsgAnswer::Cancel};
        view.entry = "173.996";
        if (quit)
            page->QuitClick();
        else
            page->StartFinishClick();
        QStringList shown;
        for (const auto &m : f.dialogs->messages)
            shown << QString::fromStdString(m.text);
        QVERIFY2(message.isEmpty() ? shown.isEmpty() : shown.contains(message),
                 qPrintable(shown.join('|')));
        QVERIFY(!page->HoldsRadio());
        // A channel 1 not put back is said to be so.
        QCOMPARE(view.instructions, fault == 1 || fault == 2 ? Aborted + Channel1Left : Aborted);
        QCOMPARE(view.caption, std::string("Start"));
        QCOMPARE(f.navigation.back(), true);
        if (fault == 0)
            QCOMPARE(f.changedOutside(before), -1);
        QFETCH(QString, result);
        QVERIFY(QString::fromStdString(f.log()).endsWith("," + result + "\r\n"));
    }

    void enterWhileIdleStartsARun()
    {
        page->SetupTabPage();
        QVERIFY(!view.entryEnabled);
        page->EntryEnter();
        QVERIFY(page->HoldsRadio());
        view.entry.clear();
        page->EntryEnter(); // empty: only the focus goes back
        QVERIFY(page->HoldsRadio());
        QCOMPARE(view.focusFrom, -1);
    }

    // A second editor on the same cable, with a link of its own to the same radio, is kept
    // off while the first one's run has the test channel in it, also with the port closed.
    void secondEditorIsKeptOff()
    {
        std::map<std::string, const SimSerialPort *> locks;
        SimSerialPort other(*f.radio, *f.clock);
        other.present.insert(LinkFixture::Device);
        f.port->locks = other.locks = &locks;
        QVERIFY(HoldTuneDevice());
        start();
        platform().serial = &other;
        QVERIFY(!HoldTuneDevice());
        QVERIFY(QString::fromStdString(f.dialogs->messages.back().text)
                    .startsWith("Comm Port 1 (/dev/ttyVR0) is in use by another program, perhaps "
                                "a Tune screen"));
        QCOMPARE(HookRadio(1, 1, 4800), -1); // nor can that editor's own commands reach it
        QCOMPARE(f.dialogs->messages.back().caption, std::string("COMM PORT CONFLICT"));
        platform().serial = f.port.get();
        view.entry = "173.99500";
        page->StartFinishClick();
        QCOMPARE(f.changedOutside(before, {0x001F, 0x0020}), -1); // channel 1 back
        ReleaseTuneDevice();
        platform().serial = &other;
        QVERIFY(HoldTuneDevice());
        ReleaseTuneDevice();
        platform().serial = f.port.get();
        f.port->locks = nullptr;
    }

private:
    // Test channel 161.25 / 173.995, wide, low power, no guards; zero adjust; released.
    void start()
    {
        page->SetupTabPage();
        before = f.radio->eeprom;
        page->StartFinishClick();
        QVERIFY(page->HoldsRadio());
        QCOMPARE(f.pair(0x0500), 0xBF68);
        QCOMPARE(f.pair(0x0508), 0xE73C);
        QCOMPARE(f.radio->eeprom[0x0502] & 0x08, 0);
        QCOMPARE(f.radio->eeprom[0x050A] & 0x20, 0x20);
        QCOMPARE(f.pair(0x0504) | f.pair(0x050C) | f.pair(0x001F), 0);
        QVERIFY(!g_bHooked && !f.port->isOpen());
        QCOMPARE(view.caption, std::string("Finish"));
        QVERIFY(view.entryEnabled && view.quitEnabled && view.startEnabled);
        QCOMPARE(view.focusFrom, 6);
        QCOMPARE(f.navigation, (std::vector<bool>{false, true}));
        QCOMPARE(f.bench->counterHz(), 173995000.0);
    }

    AlignFixture f;
    PageViews view;
    std::unique_ptr<FreqAdjust> page;
    std::vector<std::uint8_t> before;
};

QTEST_GUILESS_MAIN(TestFreqAdjust)
#include "tst_freqadjust.moc"
