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

private Q_SLOTS:
    void init();
    void captionStates_data();
    void captionStates();
    void openExistingFileDialog();
    void openCancelledChangesNothing();
    void newLoadsFactoryFile();
    void newWithoutFactoryFileFallsThroughToOpen();
    void openUserFile();
    void saveQuestionAnswers_data();
    void saveQuestionAnswers();
    void yesThenCancelledSaveKeepsUnsavedData();
    void readQuestionTexts();
    void noQuestionWithoutChanges();
    void saveCurrentFile_data();
    void saveCurrentFile();
    void saveAsNewFileDialog();
    void saveAsRefusesStarName();
    void userDefaultQuestion_data();
    void userDefaultQuestion();
    void failedWriteKeepsUnsavedMark();
    void unreadableFileIsNotMadeCurrent();

private:
    MemoryFileSystem m_fs;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
    RecordingWindow m_window;
    const std::string &m_caption = m_window.captionText;
    const int &m_treeBuilds = m_window.treeRebuilds;
    const int &m_paneViews = m_window.paneRefreshes;
    const std::string m_folder = "/home/tech/.local/share/ZPA Tessaro Editor";
    const std::string m_docs = "/home/tech/Documents/My QV Radios";

    void putFile(const std::string &path, std::uint8_t fill);
    std::string storedCurrentFile() const;
};

static const std::string SaveOpenQuestion =
    "Save the existing data before opening a new file?      ";

void TestFileCommands::init()
{
    InstallDoubles(m_fs, m_settings, m_dialogs);
    platform().programFolder = m_folder;
    platform().documentsFolder = m_docs;
    ResetAppGlobals();
    g_sFactoryFile = m_folder + "/Factory.def";
    g_sUserFile = m_folder + "/User.def";
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);
    m_window = RecordingWindow();
    platform().window = &m_window;
    SetCaption(false);
}

void TestFileCommands::putFile(const std::string &path, std::uint8_t fill)
{
    m_fs.files[path] = std::vector<std::uint8_t>(TdfFileSize, fill);
}

std::string TestFileCommands::storedCurrentFile() const
{
    auto it = m_settings.values.find(ProgramTitle + "/Settings/Current File Name");
    return it == m_settings.values.end() ? std::string() : it->second;
}

void TestFileCommands::captionStates_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("caption");
    const QString version = QStringLiteral(TESSARO_VERSION_TEXT);
    QTest::newRow("default values")
        << "DEFAULT VALUES" << false << "ZPA Tessaro Editor - DEFAULT VALUES";
    QTest::newRow("a file") << "/home/tech/Documents/My QV Radios/Unit7.tdf" << false
                            << "ZPA Tessaro Editor - Unit7.tdf";
    QTest::newRow("a changed file")
        << "/home/tech/Unit7.tdf" << true << "ZPA Tessaro Editor - Unit7.tdf *";
    QTest::newRow("read from the radio") << "" << true << "ZPA Tessaro Editor - New File *";
    QTest::newRow("after New") << "FACTORY" << false
                               << "ZPA Tessaro Editor ver. " + version + " - Factory.def";
    QTest::newRow("factory data changed") << "FACTORY" << true << "ZPA Tessaro Editor - New File *";
}

void TestFileCommands::captionStates()
{
    QFETCH(QString, file);
    QFETCH(bool, modified);
    QFETCH(QString, caption);
    g_sCurFileName = file == "FACTORY" ? g_sFactoryFile : file.toStdString();
    SetCaption(modified);
    QCOMPARE(QString::fromStdString(m_caption), caption);
    QCOMPARE(IsDataChanged(), modified);
}

void TestFileCommands::openExistingFileDialog()
{
    putFile(m_docs + "/Unit7.tdf", 0x5A);
    m_dialogs.fileAnswers.push_back(m_docs + "/Unit7.tdf");
    OpenExistingFile();
    QCOMPARE(m_dialogs.openRequests.size(), std::size_t(1));
    const FileDialogRequest &r = m_dialogs.openRequests[0];
    QCOMPARE(r.title, std::string("Open"));
    QCOMPARE(r.defaultExtension, std::string(".tdf"));
    QCOMPARE(r.initialDir, m_docs);
    QCOMPARE(r.filters.size(), std::size_t(2));
    QCOMPARE(r.filters[0].description, std::string("ZPA Tessaro Editor Files (*.tdf)"));
    QCOMPARE(r.filters[0].pattern, std::string("*.tdf"));
    QCOMPARE(r.filters[1].description, std::string("All Files (*.*)"));
    // The file is now current, shown, and remembered.
    QCOMPARE(g_sCurFileName, m_docs + "/Unit7.tdf");
    QCOMPARE(storedCurrentFile(), m_docs + "/Unit7.tdf");
    QCOMPARE(m_caption, std::string("ZPA Tessaro Editor - Unit7.tdf"));
    QCOMPARE(int(MemMap.get(3, 100)), 0x5A);
    QCOMPARE(m_treeBuilds, 1);
    QCOMPARE(m_paneViews, 1);
}

void TestFileCommands::openCancelledChangesNothing()
{
    const MemMapImage before = MemMap;
    OpenExistingFile(); // unscripted: cancelled
    QCOMPARE(m_dialogs.openRequests.size(), std::size_t(1));
    QVERIFY(MemMap == before);
    QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));
    QCOMPARE(m_treeBuilds, 0);
}

void TestFileCommands::newLoadsFactoryFile()
{
    putFile(g_sFactoryFile, 0x11);
    g_sCurFileName = m_docs + "/Unit7.tdf";
    OpenDefaultFile();
    QCOMPARE(g_sCurFileName, g_sFactoryFile);
    QCOMPARE(int(MemMap.get(0, 0)), 0x11);
    QCOMPARE(m_caption,
             "ZPA Tessaro Editor ver. " + std::string(TESSARO_VERSION_TEXT) + " - Factory.def");
    QVERIFY(m_dialogs.openRequests.empty());
}

void TestFileCommands::newWithoutFactoryFileFallsThroughToOpen()
{
    OpenDefaultFile();
    QCOMPARE(m_dialogs.openRequests.size(), std::size_t(1));
    QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));
}

void TestFileCommands::openUserFile()
{
    putFile(g_sUserFile, 0x22);
    OpenUserFile();
    QCOMPARE(g_sCurFileName, g_sUserFile);
    QCOMPARE(int(MemMap.get(25, 1023)), 0x22);
    QCOMPARE(m_caption, std::string("ZPA Tessaro Editor - User.def"));
}

void TestFileCommands::saveQuestionAnswers_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goOn");
    QTest::addColumn<bool>("saveDialog");
    QTest::newRow("yes") << int(MsgAnswer::Yes) << true << true;
    QTest::newRow("no") << int(MsgAnswer::No) << true << false;
    QTest::newRow("cancel") << int(MsgAnswer::Cancel) << false << false;
}

void TestFileCommands::saveQuestionAnswers()
{
    QFETCH(int, answer);
    QFETCH(bool, goOn);
    QFETCH(bool, saveDialog);
    SetCaption(true);
    m_dialogs.messageAnswers.push_back(static_cast<MsgAnswer>(answer));
    m_dialogs.fileAnswers.push_back(m_docs + "/Saved.tdf");
    QCOMPARE(CheckForDataSave(), goOn);
    QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
    QCOMPARE(m_dialogs.messages[0].text, SaveOpenQuestion);
    QCOMPARE(m_dialogs.messages[0].caption, std::string("FILE OPEN"));
    QCOMPARE(m_dialogs.messages[0].buttons, MsgButtons::YesNoCancel);
    QCOMPARE(m_dialogs.messages[0].icon, MsgIcon::Question);
    QCOMPARE(m_dialogs.saveRequests.size(), std::size_t(saveDialog ? 1 : 0));
    QCOMPARE(m_fs.files.count(m_docs + "/Saved.tdf"), std::size_t(saveDialog ? 1 : 0));
}

void TestFileCommands::yesThenCancelledSaveKeepsUnsavedData()
{
    putFile(m_docs + "/Other.tdf", 0x77);
    MemMap.set(1, 0, 0x42); // an edit
    SetCaption(true);
    const MemMapImage edited = MemMap;
    m_dialogs.messageAnswers.push_back(MsgAnswer::Yes);
    m_dialogs.fileAnswers.push_back(std::nullopt); // save dialog cancelled
    m_dialogs.fileAnswers.push_back(m_docs + "/Other.tdf");
    OpenExistingFile();
    // The open is called off: the edit and its unsaved mark are still there.
    QVERIFY(m_dialogs.openRequests.empty());
    QVERIFY(MemMap == edited);
    QVERIFY(IsDataChanged());
    QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));

    // The same before a read from the radio.
    m_dialogs.fileAnswers.clear();
    m_dialogs.messageAnswers.push_back(MsgAnswer::Yes);
    QVERIFY(!CheckForDataSaveBeforeRead());
    QVERIFY(IsDataChanged());
}

void TestFileCommands::readQuestionTexts()
{
    SetCaption(true);
    m_dialogs.messageAnswers.push_back(MsgAnswer::No);
    QVERIFY(CheckForDataSaveBeforeRead());
    QCOMPARE(m_dialogs.messages[0].text,
             std::string("Save the existing data before reading new data?      "));
    QCOMPARE(m_dialogs.messages[0].caption, std::string("READ UNIT"));
}

void TestFileCommands::noQuestionWithoutChanges()
{
    QVERIFY(CheckForDataSave());
    QVERIFY(CheckForDataSaveBeforeRead());
    QVERIFY(m_dialogs.messages.empty());
}

void TestFileCommands::saveCurrentFile_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("proposed"); // "" when no save dialog is expected
    QTest::addColumn<bool>("userQuestion");
    QTest::newRow("default values") << "DEFAULT VALUES"
                                    << "DEFAULT VALUES" << false;
    QTest::newRow("after read all") << ""
                                    << "" << false;
    QTest::newRow("factory file") << "FACTORY"
                                  << "*.tdf" << false;
    QTest::newRow("missing file") << "/home/tech/Gone.tdf"
                                  << "/home/tech/Gone.tdf" << false;
    QTest::newRow("user file: No leads to save as") << "USER"
                                                    << "*.tdf" << true;
    QTest::newRow("existing file: written in place") << "EXISTING"
                                                     << "-" << false;
}

void TestFileCommands::saveCurrentFile()
{
    QFETCH(QString, current);
    QFETCH(QString, proposed);
    QFETCH(bool, userQuestion);
    putFile(g_sFactoryFile, 0);
    putFile(g_sUserFile, 0);
    putFile(m_docs + "/Unit7.tdf", 0);
    g_sCurFileName = current == "FACTORY"    ? g_sFactoryFile
                     : current == "USER"     ? g_sUserFile
                     : current == "EXISTING" ? m_docs + "/Unit7.tdf"
                                             : current.toStdString();
    SetCaption(true);
    MemMap.set(0, 7, 0x99);
    if (userQuestion)
        m_dialogs.messageAnswers.push_back(MsgAnswer::No);
    SaveCurrentFile();
    QCOMPARE(m_dialogs.messages.size(), std::size_t(userQuestion ? 1 : 0));
    if (userQuestion)
        QCOMPARE(m_dialogs.messages[0].caption, std::string("OVERWRITE FILE"));
    if (proposed == "-") {
        QVERIFY(m_dialogs.saveRequests.empty());
        QCOMPARE(int(m_fs.files[m_docs + "/Unit7.tdf"][7]), 0x99);
        QVERIFY(!IsDataChanged());
    } else {
        QCOMPARE(m_dialogs.saveRequests.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(m_dialogs.saveRequests[0].proposedName),
                 proposed == "" ? QString() : proposed);
        QVERIFY(IsDataChanged()); // the dialog was cancelled
    }
}

void TestFileCommands::saveAsNewFileDialog()
{
    SetCaption(true);
    m_dialogs.fileAnswers.push_back(m_docs + "/New.tdf");
    QVERIFY(SaveAsNewFile());
    const FileDialogRequest &r = m_dialogs.saveRequests.at(0);
    QCOMPARE(r.title, std::string("Save As"));
    QCOMPARE(r.defaultExtension, std::string(".tdf"));
    QCOMPARE(r.initialDir, m_docs);
    QCOMPARE(r.filters.size(), std::size_t(1));
    QCOMPARE(r.filters[0].description, std::string("ZPA Tessaro Editor File (*.tdf)"));
    // Replacing an existing file is asked by the dialog.
    QVERIFY(r.confirmOverwrite);
    QCOMPARE(g_sCurFileName, m_docs + "/New.tdf");
    QCOMPARE(storedCurrentFile(), m_docs + "/New.tdf");
    QCOMPARE(m_caption, std::string("ZPA Tessaro Editor - New.tdf"));
    QCOMPARE(m_fs.files[m_docs + "/New.tdf"].size(), std::size_t(TdfFileSize));
}

void TestFileCommands::saveAsRefusesStarName()
{
    g_sCurFileName = g_sUserFile;
    SetCaption(true);
    m_dialogs.fileAnswers.push_back(m_docs + "/*.tdf");
    QVERIFY(!SaveAsNewFile());
    QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
    QCOMPARE(m_dialogs.messages[0].text, "Invalid File Name: " + m_docs + "/*.tdf" + "      ");
    QCOMPARE(m_dialogs.messages[0].caption, std::string("FILE ERROR"));
    QCOMPARE(m_dialogs.messages[0].icon, MsgIcon::Information);
    QCOMPARE(g_sCurFileName, g_sUserFile);
    QVERIFY(IsDataChanged());
    QCOMPARE(m_fs.files.count(m_docs + "/*.tdf"), std::size_t(0));
}

void TestFileCommands::userDefaultQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("userWritten");
    QTest::addColumn<int>("saveDialogs");
    QTest::newRow("yes") << int(MsgAnswer::Yes) << true << 0;
    QTest::newRow("no") << int(MsgAnswer::No) << false << 1;
    QTest::newRow("cancel") << int(MsgAnswer::Cancel) << false << 0;
}

void TestFileCommands::userDefaultQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, userWritten);
    QFETCH(int, saveDialogs);
    g_sCurFileName = m_docs + "/Unit7.tdf";
    SetCaption(true);
    m_dialogs.messageAnswers.push_back(static_cast<MsgAnswer>(answer));
    SaveAsUserDefaultFile();
    const std::string expected =
        "WARNING: You are about to save this file      \r\n"
        "as your 'User Select Default File'.  This      \r\n"
        "will overwrite any existing 'User Select      \r\n"
        "Default File' data.\r\n\r\nDo you wish to continue?\r\n\r\n"
        " * Click 'Yes' to save as 'User Select Default File'      \r\n\r\n"
        " * Click 'No' to save as a new file       \r\n\r\n"
        " * Click 'Cancel' to return without saving      \r\n";
    QCOMPARE(m_dialogs.messages.at(0).text, expected);
    QCOMPARE(m_dialogs.messages[0].buttons, MsgButtons::YesNoCancel);
    QCOMPARE(m_dialogs.messages[0].icon, MsgIcon::Question);
    QCOMPARE(m_fs.files.count(g_sUserFile), std::size_t(userWritten ? 1 : 0));
    QCOMPARE(int(m_dialogs.saveRequests.size()), saveDialogs);
    QCOMPARE(g_sCurFileName, userWritten ? g_sUserFile : m_docs + "/Unit7.tdf");
    QCOMPARE(IsDataChanged(), !userWritten);
}

void TestFileCommands::failedWriteKeepsUnsavedMark()
{
    putFile(m_docs + "/Unit7.tdf", 0);
    g_sCurFileName = m_docs + "/Unit7.tdf";
    SetCaption(true);
    m_fs.failWrite.insert(m_docs + "/Unit7.tdf");
    QVERIFY(!SaveCurrentFile());
    QCOMPARE(m_dialogs.messages.size(), std::size_t(1)); // the I/O error
    QVERIFY(IsDataChanged());
    // And a save question answered Yes whose save fails does not let the data go.
    m_dialogs.messageAnswers.push_back(MsgAnswer::Yes);
    m_dialogs.fileAnswers.push_back(m_docs + "/Unit7.tdf");
    QVERIFY(!CheckForDataSave());
    QVERIFY(IsDataChanged());
}

// The data on screen still belong to the previous file; a Save must not write them over the
// file that could not be read.
void TestFileCommands::unreadableFileIsNotMadeCurrent()
{
    putFile(m_docs + "/A.tdf", 0xAA);
    putFile(m_docs + "/B.tdf", 0xBB);
    m_fs.failRead.insert(m_docs + "/B.tdf");
    m_dialogs.fileAnswers.push_back(m_docs + "/A.tdf");
    OpenExistingFile();
    m_dialogs.fileAnswers.push_back(m_docs + "/B.tdf");
    OpenExistingFile();
    QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
    QCOMPARE(m_dialogs.messages[0].text, "There was an I/O error in the sub routine: "
                                         "'LoadMemMapFrom_TDF_File - *" +
                                             m_docs + "/B.tdf*'");
    QCOMPARE(g_sCurFileName, m_docs + "/A.tdf");
    QCOMPARE(storedCurrentFile(), m_docs + "/A.tdf");
    QCOMPARE(m_caption, std::string("ZPA Tessaro Editor - A.tdf"));
    QCOMPARE(int(MemMap.get(3, 100)), 0xAA);

    MemMap.set(3, 100, 0x11);
    QVERIFY(SaveCurrentFile());
    QCOMPARE(int(m_fs.files[m_docs + "/B.tdf"][3 * 1024 + 100]), 0xBB);
    QCOMPARE(int(m_fs.files[m_docs + "/A.tdf"][3 * 1024 + 100]), 0x11);
}

QTEST_APPLESS_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
