#include "appglobals.h"
#include "appsettings.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "filecommands.h"
#include "memmap.h"
#include "platform.h"
#include "tdffile.h"
#include "version.h"

#include <QtTest>

// The File commands over scripted dialogs and an in-memory file system; the window is a
// caption string and counters.
class TestFileCommands : public QObject
{
    Q_OBJECT

    MemoryFileSystem fs;
    FakeSettings settings;
    ScriptedDialogs dialogs;
    RecordingWindow rec;
    const std::string docs = "/home/tech/Documents/My QV Radios";
    const std::string unit7 = docs + "/Unit7.tdf";

    void putFile(const std::string &path, std::uint8_t fill)
    {
        fs.files[path] = std::vector<std::uint8_t>(TdfFileSize, fill);
    }
    std::string storedCurrentFile() const { return GetSetting("Current File Name", "<none>"); }
    // A file dialog as "title|extension|folder|filter=pattern|...".
    static std::string describe(const FileDialogRequest &r)
    {
        std::string text = r.title + "|" + r.defaultExtension + "|" + r.initialDir;
        for (const auto &filter : r.filters)
            text += "|" + filter.description + "=" + filter.pattern;
        return text;
    }
    QStringList messages() const
    {
        QStringList shown;
        for (const auto &m : dialogs.messages)
            shown << QString::fromStdString(m.caption + "|" + m.text);
        return shown;
    }

private Q_SLOTS:
    void init()
    {
        InstallDoubles(fs, settings, dialogs);
        const std::string folder = "/home/tech/.local/share/ZPA Tessaro Editor";
        platform().programFolder = folder;
        platform().documentsFolder = docs;
        ResetAppGlobals();
        g_sFactoryFile = folder + "/Factory.def";
        g_sUserFile = folder + "/User.def";
        g_sCurFileName = "DEFAULT VALUES";
        LoadDefaultImage(MemMap);
        rec = RecordingWindow();
        platform().window = &rec;
        SetCaption(false);
    }

    // Numbers in the settings are read whole or not at all.
    void settingNumbers_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("asInt");
        QTest::addColumn<double>("asDouble");
        QTest::newRow("plain") << "11500" << 11500 << 11500.0;
        QTest::newRow("blanks") << " 42 " << 42 << 42.0;
        QTest::newRow("negative") << "-5" << -5 << -5.0;
        QTest::newRow("fraction") << "2450.5" << 2450 << 2450.5;
        QTest::newRow("text") << "wide" << -1 << -1.0;
        QTest::newRow("trailing text") << "12abc" << -1 << -1.0;
        QTest::newRow("empty") << "" << -1 << -1.0;
        QTest::newRow("too big for 16 bits") << "70000" << -1 << 70000.0;
        QTest::newRow("overflow") << "1e999" << -1 << -1.0;
        QTest::newRow("nan") << "nan" << -1 << -1.0;
    }
    void settingNumbers()
    {
        QFETCH(QString, stored);
        SaveSetting("Form Width", stored.toStdString());
        QTEST(GetSettingInt("Form Width", -1), "asInt");
        QTEST(GetSettingDouble("Form Width", -1.0), "asDouble");
        QCOMPARE(GetSettingInt("Absent", 77), 77);
        // Keys live in the program's own section.
        QCOMPARE(settings.values.at("ZPA Tessaro Editor/Settings/Form Width"),
                 stored.toStdString());
    }

    void captionStates()
    {
        const std::string title = "ZPA Tessaro Editor";
        const struct {
            std::string file;
            bool modified;
            std::string caption;
        } rows[] = {
            {"DEFAULT VALUES", false, title + " - DEFAULT VALUES"},
            {"/home/tech/Unit7.tdf", true, title + " - Unit7.tdf *"},
            {"", true, title + " - New File *"}, // read from the radio
            {g_sFactoryFile, true, title + " - New File *"},
        };
        for (const auto &row : rows) {
            g_sCurFileName = row.file;
            SetCaption(row.modified);
            QCOMPARE(rec.captionText, row.caption);
            QCOMPARE(IsDataChanged(), row.modified);
        }
        // Loading a file does not count as a change.
        SetCaption(false);
        g_bLoading = true;
        MarkDataChanged();
        QVERIFY(!IsDataChanged());
        g_bLoading = false;
        MarkDataChanged();
        QCOMPARE(rec.captionText, title + " - New File *");
    }

    void openCommands()
    {
        const MemMapImage before = MemMap;
        OpenExistingFile(); // unscripted: cancelled
        QVERIFY(MemMap == before);
        QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));
        QCOMPARE(rec.treeRebuilds, 0);

        putFile(unit7, 0x5A);
        dialogs.fileAnswers.push_back(unit7);
        OpenExistingFile();
        QCOMPARE(dialogs.openRequests.size(), std::size_t(2));
        QCOMPARE(describe(dialogs.openRequests[1]),
                 "Open|.tdf|" + docs +
                     "|ZPA Tessaro Editor Files (*.tdf)=*.tdf|All Files (*.*)=*.*");
        // The file is now current, shown, and remembered.
        QCOMPARE(g_sCurFileName, unit7);
        QCOMPARE(storedCurrentFile(), unit7);
        QCOMPARE(rec.captionText, std::string("ZPA Tessaro Editor - Unit7.tdf"));
        QCOMPARE(int(MemMap.get(3, 100)), 0x5A);
        QCOMPARE(rec.treeRebuilds, 1);
        QCOMPARE(rec.paneRefreshes, 1);

        // New loads the factory file, or asks for a file when there is none; Open User the
        // user's.
        fs.files.clear();
        OpenDefaultFile();
        QCOMPARE(dialogs.openRequests.size(), std::size_t(3));
        QCOMPARE(g_sCurFileName, unit7);
        putFile(g_sFactoryFile, 0x11);
        OpenDefaultFile();
        QCOMPARE(g_sCurFileName, g_sFactoryFile);
        QCOMPARE(int(MemMap.get(0, 0)), 0x11);
        QCOMPARE(rec.captionText,
                 "ZPA Tessaro Editor ver. " + std::string(TESSARO_VERSION_TEXT) + " - Factory.def");
        putFile(g_sUserFile, 0x22);
        OpenUserFile();
        QCOMPARE(g_sCurFileName, g_sUserFile);
        QCOMPARE(int(MemMap.get(25, 1023)), 0x22);
        QCOMPARE(rec.captionText, std::string("ZPA Tessaro Editor - User.def"));
        QCOMPARE(dialogs.openRequests.size(), std::size_t(3));
    }

    // Unsaved data: the question before opening a file or reading the radio, and its answers.
    void saveQuestion_data()
    {
        QTest::addColumn<bool>("beforeRead");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAs"); // "" = save dialog cancelled
        QTest::addColumn<bool>("goOn");
        const int yes = int(MsgAnswer::Yes), no = int(MsgAnswer::No);
        QTest::newRow("yes") << false << yes << "/d/Saved.tdf" << true;
        QTest::newRow("no") << false << no << "" << true;
        QTest::newRow("cancel") << false << int(MsgAnswer::Cancel) << "" << false;
        // The save that was asked for did not happen: the data must not go.
        QTest::newRow("yes, save cancelled") << false << yes << "" << false;
        QTest::newRow("yes, write fails") << false << yes << "/d/Fails.tdf" << false;
        QTest::newRow("read, no") << true << no << "" << true;
        QTest::newRow("read, save cancelled") << true << yes << "" << false;
    }

    void saveQuestion()
    {
        QFETCH(bool, beforeRead);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, goOn);
        QVERIFY(CheckForDataSave() && CheckForDataSaveBeforeRead()); // nothing to save yet
        QVERIFY(dialogs.messages.empty());
        SetCaption(true);
        dialogs.messageAnswers.push_back(static_cast<MsgAnswer>(answer));
        if (!saveAs.isEmpty())
            dialogs.fileAnswers.push_back(saveAs.toStdString());
        fs.failWrite.insert("/d/Fails.tdf");
        QCOMPARE(beforeRead ? CheckForDataSaveBeforeRead() : CheckForDataSave(), goOn);
        QCOMPARE(messages().value(0),
                 beforeRead ? "READ UNIT|Save the existing data before reading new data?      "
                            : "FILE OPEN|Save the existing data before opening a new file?      ");
        QCOMPARE(dialogs.messages[0].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(dialogs.messages[0].icon, MsgIcon::Question);
        const bool asked = answer == int(MsgAnswer::Yes);
        QCOMPARE(dialogs.saveRequests.size(), std::size_t(asked ? 1 : 0));
        QCOMPARE(fs.exists("/d/Saved.tdf"), asked && goOn);
        QCOMPARE(IsDataChanged(), !(asked && goOn));
    }

    void saveCurrentFile_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("proposed"); // "-": written in place, without a dialog
        const char *rows[][3] = {{"default values", "DEFAULT VALUES", "DEFAULT VALUES"},
                                 {"after read all", "", ""},
                                 {"factory file", "FACTORY", "*.tdf"},
                                 {"missing file", "/home/tech/Gone.tdf", "/home/tech/Gone.tdf"},
                                 {"user file: No leads to save as", "USER", "*.tdf"},
                                 {"existing file", "EXISTING", "-"},
                                 {"existing file, write fails", "FAILING", "-"}};
        for (const auto &[name, current, proposed] : rows)
            QTest::newRow(name) << QString(current) << QString(proposed);
    }

    void saveCurrentFile()
    {
        QFETCH(QString, current);
        QFETCH(QString, proposed);
        const bool userQuestion = current == "USER";
        putFile(g_sFactoryFile, 0);
        putFile(g_sUserFile, 0);
        putFile(unit7, 0);
        const std::map<QString, std::string> named = {{"FACTORY", g_sFactoryFile},
                                                      {"USER", g_sUserFile},
                                                      {"EXISTING", unit7},
                                                      {"FAILING", unit7}};
        g_sCurFileName = named.count(current) ? named.at(current) : current.toStdString();
        if (current == "FAILING")
            fs.failWrite.insert(unit7);
        SetCaption(true);
        MemMap.set(0, 7, 0x99);
        if (userQuestion)
            dialogs.messageAnswers.push_back(MsgAnswer::No);
        const bool saved = SaveCurrentFile();
        QCOMPARE(saved, current == "EXISTING");
        QCOMPARE(IsDataChanged(), !saved);
        if (proposed == "-") {
            QVERIFY(dialogs.saveRequests.empty());
            QCOMPARE(int(fs.files[unit7][7]), saved ? 0x99 : 0);
            QCOMPARE(dialogs.messages.size(), std::size_t(saved ? 0 : 1)); // the I/O error
        } else {
            QCOMPARE(dialogs.saveRequests.size(), std::size_t(1));
            QCOMPARE(QString::fromStdString(dialogs.saveRequests[0].proposedName), proposed);
            QCOMPARE(messages().size(), userQuestion ? 1 : 0);
            if (userQuestion)
                QVERIFY(messages()[0].startsWith("OVERWRITE FILE|"));
        }
    }

    void saveAsNewFile()
    {
        SetCaption(true);
        dialogs.fileAnswers.push_back(docs + "/New.tdf");
        QVERIFY(SaveAsNewFile());
        const FileDialogRequest &r = dialogs.saveRequests.at(0);
        QCOMPARE(describe(r), "Save As|.tdf|" + docs + "|ZPA Tessaro Editor File (*.tdf)=*.tdf");
        QVERIFY(r.confirmOverwrite); // replacing an existing file is asked by the dialog
        QCOMPARE(g_sCurFileName, docs + "/New.tdf");
        QCOMPARE(storedCurrentFile(), docs + "/New.tdf");
        QCOMPARE(rec.captionText, std::string("ZPA Tessaro Editor - New.tdf"));
        QCOMPARE(fs.files[docs + "/New.tdf"].size(), std::size_t(TdfFileSize));

        // A name with a star is refused.
        g_sCurFileName = g_sUserFile;
        SetCaption(true);
        dialogs.fileAnswers.push_back(docs + "/*.tdf");
        QVERIFY(!SaveAsNewFile());
        QCOMPARE(messages(), QStringList{QString::fromStdString(
                                 "FILE ERROR|Invalid File Name: " + docs + "/*.tdf      ")});
        QCOMPARE(dialogs.messages[0].icon, MsgIcon::Information);
        QCOMPARE(g_sCurFileName, g_sUserFile);
        QVERIFY(IsDataChanged());
        QVERIFY(!fs.exists(docs + "/*.tdf"));
    }

    void userDefaultQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("userWritten");
        QTest::addColumn<int>("saveDialogs");
        QTest::newRow("yes") << int(MsgAnswer::Yes) << true << 0;
        QTest::newRow("no") << int(MsgAnswer::No) << false << 1;
        QTest::newRow("cancel") << int(MsgAnswer::Cancel) << false << 0;
    }

    void userDefaultQuestion()
    {
        QFETCH(int, answer);
        QFETCH(bool, userWritten);
        QFETCH(int, saveDialogs);
        g_sCurFileName = unit7;
        SetCaption(true);
        dialogs.messageAnswers.push_back(static_cast<MsgAnswer>(answer));
        SaveAsUserDefaultFile();
        QCOMPARE(dialogs.messages.at(0).text,
                 std::string("WARNING: You are about to save this file      \r\n"
                             "as your 'User Select Default File'.  This      \r\n"
                             "will overwrite any existing 'User Select      \r\n"
                             "Default File' data.\r\n\r\nDo you wish to continue?\r\n\r\n"
                             " * Click 'Yes' to save as 'User Select Default File'      \r\n\r\n"
                             " * Click 'No' to save as a new file       \r\n\r\n"
                             " * Click 'Cancel' to return without saving      \r\n"));
        QCOMPARE(dialogs.messages[0].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(dialogs.messages[0].icon, MsgIcon::Question);
        QCOMPARE(fs.exists(g_sUserFile), userWritten);
        QCOMPARE(int(dialogs.saveRequests.size()), saveDialogs);
        QCOMPARE(g_sCurFileName, userWritten ? g_sUserFile : unit7);
        QCOMPARE(IsDataChanged(), !userWritten);
    }

    // The data on screen still belong to the previous file; a Save must not write them over
    // the file that could not be read.
    void unreadableFileIsNotMadeCurrent()
    {
        putFile(docs + "/A.tdf", 0xAA);
        putFile(docs + "/B.tdf", 0xBB);
        fs.failRead.insert(docs + "/B.tdf");
        dialogs.fileAnswers = {docs + "/A.tdf", docs + "/B.tdf"};
        OpenExistingFile();
        OpenExistingFile();
        QCOMPARE(dialogs.messages.size(), std::size_t(1)); // the I/O error
        QCOMPARE(storedCurrentFile(), docs + "/A.tdf");
        QCOMPARE(int(MemMap.get(3, 100)), 0xAA); // the failed open left the data alone
        MemMap.set(3, 100, 0x11);
        QVERIFY(SaveCurrentFile());
        QCOMPARE(int(fs.files[docs + "/B.tdf"][3 * 1024 + 100]), 0xBB);
        QCOMPARE(int(fs.files[docs + "/A.tdf"][3 * 1024 + 100]), 0x11);
    }
};

QTEST_APPLESS_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
