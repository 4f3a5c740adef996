#include "appsettings.h"
#include "exitconfirm.h"
#include "qtexitdialog.h"
#include "startup.h"
#include "tdffile.h"
#include "windowfixture.h"

#include <QPushButton>

// The program's start, with its default files and the file named on the command line, and its
// exit, with the question asked and the save it offers.
class TestExitConfirm : public QObject
{
    Q_OBJECT

    WindowFixture w;
    RecordingWindow rec;
    const std::string folder = "/home/tech/.local/share/ZPA Tessaro Editor";

    // Runs the start-up steps as main() does and returns what the window saw of them.
    std::vector<std::string> start(const std::string &commandLine)
    {
        ResetAppGlobals();
        MemMap.clear();
        RecordingWindow window;
        platform().window = &window;
        std::vector<std::string> steps;
        BeginStartup(commandLine);
        // The default files are set up before the window comes up.
        steps.push_back(std::string(g_bLoading ? "main(loading)" : "main") +
                        (w.fs.exists(g_sUserFile) ? "" : " without User.def"));
        LoadCommandLineFile(commandLine);
        if (window.paneRefreshes && window.treeRebuilds)
            steps.push_back("refresh");
        EndStartup();
        steps.push_back(g_bLoading ? "end(loading)" : "end");
        platform().window = nullptr;
        return steps;
    }
    static MemMapImage defaults()
    {
        MemMapImage image;
        LoadDefaultImage(image);
        return image;
    }
    static std::vector<std::uint8_t> defaultFileBytes() { return UsedPagesBytes(defaults()); }
    using Steps = std::vector<std::string>;

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

    void defaultFiles()
    {
        QCOMPARE(start(""), (Steps{"main(loading)", "end"}));
        QCOMPARE(g_sFactoryFile, folder + "/Factory.def");
        QCOMPARE(g_sUserFile, folder + "/User.def");
        QCOMPARE(w.fs.files[g_sFactoryFile], defaultFileBytes());
        QCOMPARE(w.fs.files[g_sUserFile], defaultFileBytes());
        QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));
        QCOMPARE(g_sPaneView, std::string("Globals"));
        QCOMPARE(g_iLastTab, 1);
        QCOMPARE(g_iLastNode, 2);
        QVERIFY(g_bShowTuneWarning);
        QVERIFY(MemMap == defaults());
        QVERIFY(w.dialogs.messages.empty());

        // The next start: loading the empty name replaced the stored file name before it was
        // read; the tune warning is shown only after a stored "Yes".
        SaveSetting("Current File Name", "/data/last.tdf");
        for (const char *shown : {"No", "yes"}) {
            SaveSetting("Show Tune Warning Message", shown);
            start("");
            QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));
            QVERIFY(!g_bShowTuneWarning);
        }

        // A user file of the wrong size is replaced; the factory file always is.
        for (const int length : {TdfFileSize, TdfFileSize - 1, TdfFileSize + 1, 0}) {
            const std::vector<std::uint8_t> custom(length, 0x5A);
            w.fs.files[folder + "/User.def"] = custom;
            w.fs.files[folder + "/Factory.def"] = std::vector<std::uint8_t>(10, 1);
            start("");
            start("");
            QCOMPARE(w.fs.files[g_sUserFile], length == TdfFileSize ? custom : defaultFileBytes());
            QCOMPARE(w.fs.files[g_sFactoryFile], defaultFileBytes());
            QCOMPARE(int(MemMap.get(0, 7)), 128); // the user defaults are not loaded
        }
        // A failing write does not stop the start; the routine ends there, without a user file.
        w.fs.files.clear();
        w.fs.failWrite.insert(folder + "/Factory.def");
        QCOMPARE(start(""), (Steps{"main(loading) without User.def", "end"}));
        QCOMPARE(w.dialogs.messages.size(), size_t(1));
        QCOMPARE(w.dialogs.messages[0].text,
                 std::string("There was an I/O error in the sub routine: 'SetUpDefaultFiles'"));
        QVERIFY(!w.fs.exists(g_sUserFile));
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("file"); // on the disk, "" for none
        QTest::addColumn<bool>("readable");
        const char *rows[][4] = {
            {"quoted existing", "\"/data/My Unit.tdf\"", "/data/My Unit.tdf", "/data/My Unit.tdf"},
            {"plain existing", "/data/unit.tdf", "/data/unit.tdf", "/data/unit.tdf"},
            {"missing file", "/data/none.tdf", "/data/none.tdf", ""},
            {"only quotes", "\"\"", "DEFAULT VALUES", ""},
            // The default data stay, under their own name, so a Save cannot overwrite the file.
            {"unreadable", "/data/locked.tdf", "DEFAULT VALUES", "/data/locked.tdf"}};
        for (const auto &[name, commandLine, current, file] : rows)
            QTest::newRow(name) << QString(commandLine) << QString(current) << QString(file)
                                << (QString(name) != "unreadable");
    }

    void commandLine()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, current);
        QFETCH(QString, file);
        QFETCH(bool, readable);
        const bool loads = readable && !file.isEmpty();
        if (!file.isEmpty())
            w.fs.files[file.toStdString()] = std::vector<std::uint8_t>(TdfFileSize, 0x33);
        if (!readable)
            w.fs.failRead.insert(file.toStdString());
        const Steps steps = start(commandLine.toStdString());
        QCOMPARE(g_sCurFileName, current.toStdString());
        QCOMPARE(GetSetting("Current File Name", ""), current.toStdString());
        QCOMPARE(int(MemMap.get(12, 100)), loads ? 0x33 : 0);
        QCOMPARE(int(MemMap.get(0, 7)), loads ? 0x33 : 128);
        QCOMPARE(w.dialogs.messages.size(), std::size_t(readable ? 0 : 1));
        QCOMPARE(steps, (!file.isEmpty() ? Steps{"main(loading)", "refresh", "end"}
                                         : Steps{"main(loading)", "end"}));
    }

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
        const bool save = ExitChoice(choice) == ExitChoice::SaveThenExit;
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

        // Cancelled, the window stays; its settings are saved only when the program really ends.
        w.dialogs.exitAnswers = {ExitChoice::Cancel, ExitChoice::Exit};
        w.start();
        const int saves = w.settings.saveCount;
        QVERIFY(!w.window->close());
        QVERIFY(w.window->isVisible());
        QCOMPARE(w.settings.saveCount, saves);
        QVERIFY(w.window->close());
        QVERIFY(w.settings.saveCount > saves);
    }
};

QTEST_MAIN(TestExitConfirm)
#include "tst_exitconfirm.moc"
