#include "exitconfirm.h"
#include "qtexitdialog.h"
#include "windowfixture.h"

#include <QPushButton>

class TestExitConfirm : public QObject
{
    Q_OBJECT

    WindowFixture w;
    RecordingWindow rec;

private Q_SLOTS:
    void init()
    {
        w.reset();
        g_sCurFileName = "/data/unit.tdf";
        rec = RecordingWindow();
        rec.captionText = "ZPA Tessaro Editor - unit.tdf";
        platform().window = &rec;
    }
    void cleanup() { w.stop(); }

    void answers_data()
    {
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("saveAs"); // answer of the save dialog, "" = cancelled
        QTest::addColumn<bool>("exits");
        const int exit = int(ExitChoice::Exit), save = int(ExitChoice::SaveThenExit);
        QTest::newRow("no changes, exit") << false << exit << "" << true;
        QTest::newRow("no changes, cancel") << false << int(ExitChoice::Cancel) << "" << false;
        QTest::newRow("unsaved, exit") << true << exit << "" << true;
        QTest::newRow("unsaved, save") << true << save << "/data/new.tdf" << true;
        // Cancelling the save must not throw the unsaved data away with the program.
        QTest::newRow("unsaved, save cancelled") << true << save << "" << false;
    }

    void answers()
    {
        QFETCH(bool, unsaved);
        QFETCH(int, choice);
        QFETCH(QString, saveAs);
        QFETCH(bool, exits);
        if (unsaved)
            rec.captionText += " *";
        if (!saveAs.isEmpty())
            w.dialogs.fileAnswers.push_back(saveAs.toStdString());
        w.dialogs.exitAnswers = {ExitChoice(choice)};
        QCOMPARE(ConfirmExit(), exits);
        QCOMPARE(w.dialogs.exitQuestions.size(), std::size_t(1));
        QCOMPARE(w.dialogs.exitQuestions[0].offerSave, unsaved);
        QCOMPARE(g_bExitUnsaved, unsaved);
        QCOMPARE(g_bExitCancel, ExitChoice(choice) == ExitChoice::Cancel);
        const bool save = ExitChoice(choice) == ExitChoice::SaveThenExit;
        QCOMPARE(g_bExitSave, save);
        QCOMPARE(w.fs.exists("/data/new.tdf"), save && exits);
        // Saving always goes through the save-as dialog, even with a file name.
        QCOMPARE(w.dialogs.saveRequests.size(), std::size_t(save ? 1 : 0));
    }

    // Each dialog closed by one button, the last by its frame, which keeps the program running.
    void dialog()
    {
        const std::tuple<bool, const char *, ExitChoice> rows[] = {
            {true, "cmdSave", ExitChoice::SaveThenExit},
            {false, "cmdExit", ExitChoice::Exit},
            {true, "cmdCancel", ExitChoice::Cancel},
            {false, nullptr, ExitChoice::Cancel}};
        for (const auto &[unsaved, button, choice] : rows) {
            const ExitQuestion q = ExitQuestionFor(unsaved);
            const QString caption = unsaved ? "EXIT ZPA TESSARO EDITOR" : "CONFIRM EXIT";
            QCOMPARE(QString::fromStdString(q.caption), caption);
            QCOMPARE(QString::fromStdString(q.text),
                     unsaved ? "The data currently displayed has not been      \r\n"
                               "saved.  Are you sure you wish to exit ZPA Tessaro Editor?      "
                             : "Are you sure you wish to exit ZPA Tessaro Editor?      ");
            ExitDialog dialog(q);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QCOMPARE(dialog.windowTitle(), caption);
            auto *label = dialog.findChild<QLabel *>("lblExit");
            auto *save = dialog.findChild<QPushButton *>("cmdSave");
            auto *exit = dialog.findChild<QPushButton *>("cmdExit");
            auto *cancel = dialog.findChild<QPushButton *>("cmdCancel");
            QVERIFY(label && save && exit && cancel);
            QCOMPARE(save->text(), QString("Save Before Exit"));
            QCOMPARE(save->isVisible(), unsaved);
            // One row under the label, starting at its left edge, every button fully inside.
            QCOMPARE((unsaved ? save : exit)->x(), label->x());
            QVERIFY(exit->y() > label->geometry().bottom());
            QCOMPARE(cancel->y(), exit->y());
            QVERIFY(exit->x() > (unsaved ? save->geometry().right() : label->x() - 1));
            QVERIFY(cancel->x() > exit->geometry().right());
            QVERIFY(dialog.rect().contains(cancel->geometry()));
            QVERIFY(dialog.rect().contains(label->geometry()));
            if (button)
                QTest::mouseClick(dialog.findChild<QPushButton *>(button), Qt::LeftButton);
            else
                dialog.close();
            QVERIFY(!dialog.isVisible());
            QCOMPARE(int(dialog.choice()), int(choice));
        }
    }

    void cancelledExitKeepsWindowAndSettings()
    {
        w.dialogs.exitAnswers = {ExitChoice::Cancel, ExitChoice::Exit};
        w.start();
        const int saves = w.settings.saveCount;
        QVERIFY(!w.window->close());
        QVERIFY(w.window->isVisible());
        // The window settings are saved only when the program really ends.
        QCOMPARE(w.settings.saveCount, saves);
        QVERIFY(w.window->close());
        QVERIFY(w.settings.saveCount > saves);
    }
};

QTEST_MAIN(TestExitConfirm)
#include "tst_exitconfirm.moc"
