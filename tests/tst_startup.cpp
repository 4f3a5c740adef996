#include "appglobals.h"
#include "appsettings.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "memmap.h"
#include "platform.h"
#include "startup.h"
#include "tdffile.h"

#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

    MemoryFileSystem fs;
    FakeSettings settings;
    ScriptedDialogs dialogs;
    const std::string folder = "/home/tech/.local/share/ZPA Tessaro Editor";

    // Runs the start-up steps as main() does and returns what the window saw of them.
    std::vector<std::string> start(const std::string &commandLine)
    {
        ResetAppGlobals();
        RecordingWindow window;
        platform().window = &window;
        std::vector<std::string> steps;
        BeginStartup(commandLine);
        // The default files are set up before the window comes up.
        steps.push_back(std::string(g_bLoading ? "main(loading)" : "main") +
                        (fs.exists(g_sUserFile) ? "" : " without User.def"));
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
        InstallDoubles(fs, settings, dialogs);
        platform().programFolder = folder;
        MemMap.clear();
    }

    void firstStartCreatesDefaultFiles()
    {
        QCOMPARE(start(""), (Steps{"main(loading)", "end"}));
        QCOMPARE(g_sFactoryFile, folder + "/Factory.def");
        QCOMPARE(g_sUserFile, folder + "/User.def");
        QCOMPARE(fs.files[g_sFactoryFile], defaultFileBytes());
        QCOMPARE(fs.files[g_sUserFile], defaultFileBytes());
        QCOMPARE(GetSetting("Current File Name", ""), std::string("DEFAULT VALUES"));
        QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));
        QCOMPARE(g_sPaneView, std::string("Globals"));
        QCOMPARE(g_iLastTab, 1);
        QCOMPARE(g_iLastNode, 2);
        QVERIFY(g_bShowTuneWarning);
        QVERIFY(MemMap == defaults());
        QVERIFY(dialogs.messages.empty());

        // The next start: loading the empty name replaced the stored file name before it was
        // read; the tune warning is shown only after a stored "Yes".
        SaveSetting("Current File Name", "/data/last.tdf");
        for (const char *shown : {"No", "yes"}) {
            SaveSetting("Show Tune Warning Message", shown);
            start("");
            QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));
            QVERIFY(!g_bShowTuneWarning);
        }
    }

    // A user file of the wrong size is replaced; the factory file always is.
    void userFileSurvivesOrIsReplaced()
    {
        for (const int length : {TdfFileSize, TdfFileSize - 1, TdfFileSize + 1, 0}) {
            const std::vector<std::uint8_t> custom(length, 0x5A);
            fs.files[folder + "/User.def"] = custom;
            fs.files[folder + "/Factory.def"] = std::vector<std::uint8_t>(10, 1);
            start("");
            start("");
            QCOMPARE(fs.files[g_sUserFile], length == TdfFileSize ? custom : defaultFileBytes());
            QCOMPARE(fs.files[g_sFactoryFile], defaultFileBytes());
            QCOMPARE(int(MemMap.get(0, 7)), 128); // the user defaults are not loaded
        }
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
            fs.files[file.toStdString()] = std::vector<std::uint8_t>(TdfFileSize, 0x33);
        if (!readable)
            fs.failRead.insert(file.toStdString());
        const Steps steps = start(commandLine.toStdString());
        QCOMPARE(g_sCurFileName, current.toStdString());
        QCOMPARE(GetSetting("Current File Name", ""), current.toStdString());
        QCOMPARE(int(MemMap.get(12, 100)), loads ? 0x33 : 0);
        QCOMPARE(int(MemMap.get(0, 7)), loads ? 0x33 : 128);
        QCOMPARE(dialogs.messages.size(), std::size_t(readable ? 0 : 1));
        QCOMPARE(steps, (!file.isEmpty() ? Steps{"main(loading)", "refresh", "end"}
                                         : Steps{"main(loading)", "end"}));
    }

    void failingDefaultFilesDoNotStopStartUp()
    {
        fs.failWrite.insert(folder + "/Factory.def");
        QCOMPARE(start(""), (Steps{"main(loading) without User.def", "end"}));
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QCOMPARE(dialogs.messages[0].text,
                 std::string("There was an I/O error in the sub routine: 'SetUpDefaultFiles'"));
        // The routine ended at the failure: the user file was not written either.
        QVERIFY(!fs.exists(g_sUserFile));
    }
};

QTEST_APPLESS_MAIN(TestStartup)
#include "tst_startup.moc"
