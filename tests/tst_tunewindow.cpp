#include "alignfixture.h"
#include "freqadjust.h"
#include "squelchpage.h"
#include "tunepages.h"
#include "tunewindow.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QtTest>

#include <functional>

class TestTuneWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { f.resetAlign(); }

    void launchAsksFirstAndRemembersTheCheckBox()
    {
        WindowFixture w;
        w.reset();
        w.start();
        QAction *tune = w.window->findChild<QAction *>("tbTune");
        // Cancel opens nothing.
        w.dialogs.messageAnswers = {MsgAnswer::Cancel};
        whenTuneOpens([](TuneWindow &) {});
        tune->trigger();
        QTest::qWait(1);
        QCOMPARE(opened, 0);
        QCOMPARE(w.dialogs.messages.at(0).caption, std::string("TUNE: WARNING"));
        QVERIFY(w.dialogs.messages.at(0).buttons == MsgButtons::OkCancel);
        QVERIFY(w.dialogs.messages.at(0).text.find("\r\n\r\nClick 'OK' to continue.") !=
                std::string::npos);

        // OK opens it; unticking the box is stored and followed by the menu item.
        w.dialogs.messageAnswers = {MsgAnswer::Ok};
        whenTuneOpens([&](TuneWindow &t) {
            QCOMPARE(w.status(), QString("Launching Tuning screen....."));
            QCOMPARE(t.windowTitle(), QString("ZPA Tessaro Tune"));
            auto *box = t.findChild<QCheckBox *>("chkShowWarning");
            QVERIFY(box->isChecked());
            box->click();
        });
        tune->trigger();
        QCOMPARE(opened, 1);
        QCOMPARE(w.status(), QString("Ready....."));
        QCOMPARE(w.settings.values["ZPA Tessaro Editor/Settings/Show Tune Warning Message"],
                 std::string("No"));
        QVERIFY(!w.window->findChild<QAction *>("mnuShowTuneWarning")->isChecked());

        // The next launch asks nothing and shows the box unticked.
        const std::size_t asked = w.dialogs.messages.size();
        whenTuneOpens([](TuneWindow &t) {
            QVERIFY(!t.findChild<QCheckBox *>("chkShowWarning")->isChecked());
        });
        tune->trigger();
        QCOMPARE(opened, 2);
        QCOMPARE(w.dialogs.messages.size(), asked);
        w.stop();
    }

    void pagesInOrderWithTheirTexts()
    {
        int autoTunes = 0; // the AutoTune button shows only where it can open something
        TuneWindow::autoTuneOpener = [&](QWidget *) { ++autoTunes; };
        TuneWindow t;
        auto *tabs = t.findChild<QTabBar *>("tabTune");
        const QStringList titles = {
            "VCO Tuning Voltage", "TX Frequency", "TX Power Curve", "TX Power Levels",
            "Mod Sense",          "RX Front End", "Squelch"};
        QCOMPARE(tabs->count(), titles.size());
        const char *starts[] = {"To properly set VCO Tuning Voltage please set your      \n",
                                "Set the unit to Group 1, Channel 1, connect to your Frequency",
                                "The TX Power Curve adjustment is a 5 step process.",
                                "To adjust either the High or Low power settings",
                                "The VCO Modulation Sensitivity Curve adjustment is a 5 step",
                                "This adjustment is meant to set the Receiver Front End",
                                "To accurately adjust Preset Squelch"};
        for (int i = 0; i < tabs->count(); ++i) {
            QCOMPARE(tabs->tabText(i), titles[i]);
            tabs->setCurrentIndex(i);
            auto *frame = t.findChild<QFrame *>(QString("fraTab_%1").arg(i));
            QVERIFY(!frame->isHidden());
            const QList<QLabel *> labels = frame->findChildren<QLabel *>();
            QVERIFY(labels.first()->text().startsWith(starts[i]));
        }
        QVERIFY(t.findChild<QFrame *>("fraTab_6")
                    ->findChild<QLabel *>()
                    ->text()
                    .contains("tuned to 155.100MHz, at 1mVrms."));
        // The VCO page's measurement line takes room only when it says something.
        t.VCO_MM("Tuning Voltage = 2.000VDC");
        QVERIFY(!t.findChild<QFrame *>("fraVCOMeasure")->isHidden());
        t.VCO_MM("");
        QVERIFY(t.findChild<QFrame *>("fraVCOMeasure")->isHidden());
        t.show();
        QTest::mouseClick(t.findChild<QPushButton *>("cmdAutoTune"), Qt::LeftButton);
        QCOMPARE(autoTunes, 1);
        TuneWindow::autoTuneOpener = nullptr;
    }

    void frequencyRunThroughTheWidgets()
    {
        TuneWindow t;
        t.show();
        t.findChild<QTabBar *>("tabTune")->setCurrentIndex(1);
        auto *entry = t.findChild<QLineEdit *>("txtFreq");
        auto *start = t.findChild<QPushButton *>("cmdFreqStart");
        QVERIFY(!entry->isEnabled() && !t.findChild<QPushButton *>("cmdAutoTune")->isVisible());
        start->click();
        QCOMPARE(start->text(), QString("Finish"));
        QCOMPARE(entry->selectedText(), QString("5000"));
        // The counter's reading typed over the selection, Enter finishes.
        QTest::keyClicks(entry, "6");
        QTest::keyClick(entry, Qt::Key_Return);
        QCOMPARE(f.pair(0x001F), 0xF481);
        QCOMPARE(start->text(), QString("Start"));
        QVERIFY(t.findChild<QPushButton *>("cmdQuit")->isEnabled());
        // The run is in the log the window shows.
        QString logged;
        QTimer::singleShot(0, this, [&logged] {
            QWidget *log = QApplication::activeModalWidget();
            auto *table = log->findChild<QTableWidget *>("grdAlignLog");
            logged = QString("%1 rows, %2 %3 %4")
                         .arg(table->rowCount())
                         .arg(table->item(0, 2)->text(), table->item(0, 5)->text(),
                              table->item(0, 6)->text());
            log->close();
        });
        t.findChild<QPushButton *>("cmdLog")->click();
        QCOMPARE(logged, QString("1 rows, 1234567 F4 81 Completed"));
    }

    void curveRunThroughTheWidgets()
    {
        TuneWindow t;
        t.show();
        auto *tabs = t.findChild<QTabBar *>("tabTune");
        tabs->setCurrentIndex(2);
        auto *bar = t.findChild<QScrollBar *>("hsbCurve");
        auto *label = t.findChild<QLabel *>("lblCurveValue");
        QVERIFY(!bar->isVisible());
        t.findChild<QPushButton *>("cmdCurveStart")->click();
        QVERIFY(bar->isVisible() && !tabs->isEnabled());
        QCOMPARE(f.bench->curveDAC, bar->value());
        // The keys move the radio's DAC and the label at once: an arrow one position, Page Up a
        // fiftieth of the range.
        QCOMPARE(bar->focusPolicy(), Qt::StrongFocus);
        const int from = bar->value();
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(f.bench->curveDAC, from + 1);
        QTest::keyClick(bar, Qt::Key_PageUp);
        QCOMPARE(bar->value() - from - 1, std::max(1, (bar->maximum() - bar->minimum()) / 50));
        QCOMPARE(f.bench->curveDAC, bar->value());
        QCOMPARE(label->text(),
                 QString("%1 (HEX: %2)").arg(bar->value()).arg(bar->value(), 0, 16).toUpper());
        t.findChild<QPushButton *>("cmdCurveAbort")->click();
        QVERIFY(!bar->isVisible() && tabs->isEnabled() && !f.bench->transparentTX);
    }

    void leavingAMeasuringRunAsks_data()
    {
        QTest::addColumn<bool>("close"); // else switch the page
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("page"); // TX Frequency measuring, or Squelch waiting for 8 dB SINAD
        for (int page : {1, 6})
            for (bool close : {true, false})
                for (bool yes : {false, true})
                    QTest::addRow("%s, %s, %s", page == 1 ? "frequency" : "squelch",
                                  close ? "close" : "switch", yes ? "yes" : "no")
                        << close << yes << page;
    }

    void leavingAMeasuringRunAsks()
    {
        QFETCH(bool, close);
        QFETCH(bool, yes);
        QFETCH(int, page);
        const std::vector<std::uint8_t> before = f.radio->eeprom;
        TuneWindow t;
        t.show();
        auto *tabs = t.findChild<QTabBar *>("tabTune");
        tabs->setCurrentIndex(page);
        TuneProcedure *run = page == 1 ? static_cast<TuneProcedure *>(&t.freqPage().procedure())
                                       : &t.squelchPage().procedure();
        t.findChild<QPushButton *>(page == 1 ? "cmdFreqStart" : "cmdNarrowband")->click();
        QVERIFY(f.radio->eeprom != before);
        f.dialogs->messageAnswers = {yes ? MsgAnswer::Yes : MsgAnswer::No};
        if (close)
            t.findChild<QPushButton *>("cmdQuit")->click();
        else
            tabs->setCurrentIndex(7 - page);
        QCOMPARE(f.dialogs->messages.back().caption, std::string("ABORT"));
        QCOMPARE(run->HoldsRadio(), !yes);
        QCOMPARE(f.radio->eeprom == before, yes);
        if (close)
            QCOMPARE(t.isVisible(), !yes);
        else
            QCOMPARE(tabs->currentIndex(), yes ? 7 - page : page);
    }

private:
    AlignFixture f;
    // Runs inside the modal window once it is up, then closes it.
    void whenTuneOpens(std::function<void(TuneWindow &)> body)
    {
        QTimer::singleShot(0, this, [this, body] {
            auto *tune = qobject_cast<TuneWindow *>(QApplication::activeModalWidget());
            opened += tune != nullptr;
            if (!tune)
                return;
            body(*tune);
            tune->findChild<QPushButton *>("cmdQuit")->click();
        });
    }
    int opened = 0;
};

QTEST_MAIN(TestTuneWindow)
#include "tst_tunewindow.moc"
