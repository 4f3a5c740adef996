#include "appglobals.h"
#include "appsettings.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "filetype.h"
#include "memmap.h"
#include "platform.h"
#include "startup.h"
#include "tdffile.h"

#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void firstStartCreatesDefaultFiles();
    void userFileSurvivesOrIsReplaced_data();
    void userFileSurvivesOrIsReplaced();
    void commandLine_data();
    void commandLine();
    void storedSettings();
    void failingDefaultFilesDoNotStopStartUp();
    void unreadableCommandLineFileIsNotMadeCurrent();
    void registersTheFileTypeBeforeTheSplash();

private:
    std::vector<std::string> start(const std::string &commandLine);
    MemoryFileSystem m_fs;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
    const std::string m_folder = "/home/tech/.local/share/ZPA Tessaro Editor";
};

void TestStartup::init()
{
    InstallDoubles(m_fs, m_settings, m_dialogs);
    platform().programFolder = m_folder;
    ResetAppGlobals();
    MemMap.clear();
}

// Runs the start-up sequence and returns the order of the window steps.
std::vector<std::string> TestStartup::start(const std::string &commandLine)
{
    ResetAppGlobals();
    std::vector<std::string> steps;
    StartupWindows windows;
    windows.showSplash = [&] { steps.push_back(g_bLoading ? "splash(loading)" : "splash"); };
    windows.showMainWindow = [&] {
        // The default files are set up before the window comes up.
        steps.push_back(std::string(g_bLoading ? "main(loading)" : "main") +
                        (m_fs.exists(g_sUserFile) ? "" : " without User.def"));
    };
    windows.refreshMainWindow = [&] { steps.push_back("refresh"); };
    windows.closeSplash = [&] { steps.push_back("close"); };
    RunStartup(commandLine, windows);
    return steps;
}

static std::vector<std::uint8_t> defaultFileBytes()
{
    MemMapImage image;
    LoadDefaultImage(image);
    std::vector<std::uint8_t> bytes(TdfFileSize);
    for (int i = 0; i < TdfFileSize; ++i)
        bytes[i] = image.get(i / PageSize, i % PageSize);
    return bytes;
}

void TestStartup::firstStartCreatesDefaultFiles()
{
    const auto steps = start("");
    QCOMPARE(steps, (std::vector<std::string>{"splash", "main(loading)", "close"}));
    QVERIFY(!g_bLoading);
    QCOMPARE(g_sFactoryFile, m_folder + "/Factory.def");
    QCOMPARE(g_sUserFile, m_folder + "/User.def");
    QCOMPARE(m_fs.files[g_sFactoryFile], defaultFileBytes());
    QCOMPARE(m_fs.files[g_sUserFile], defaultFileBytes());
    QCOMPARE(GetSetting("Current File Name", ""), std::string("DEFAULT VALUES"));
    QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));
    QCOMPARE(g_sPaneView, std::string("Globals"));
    QCOMPARE(g_iLastTab, 1);
    QCOMPARE(g_iLastNode, 2);
    QVERIFY(g_bShowTuneWarning);
    MemMapImage expected;
    LoadDefaultImage(expected);
    QVERIFY(MemMap == expected);
    QVERIFY(m_dialogs.messages.empty());
}

void TestStartup::userFileSurvivesOrIsReplaced_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("kept");
    QTest::newRow("right size") << TdfFileSize << true;
    QTest::newRow("one byte short") << TdfFileSize - 1 << false;
    QTest::newRow("one byte long") << TdfFileSize + 1 << false;
    QTest::newRow("empty") << 0 << false;
}

void TestStartup::userFileSurvivesOrIsReplaced()
{
    QFETCH(int, length);
    QFETCH(bool, kept);
    const std::vector<std::uint8_t> custom(length, 0x5A);
    m_fs.files[m_folder + "/User.def"] = custom;
    m_fs.files[m_folder + "/Factory.def"] = std::vector<std::uint8_t>(10, 1);
    start("");
    start("");
    QCOMPARE(m_fs.files[g_sUserFile], kept ? custom : defaultFileBytes());
    QCOMPARE(m_fs.files[g_sFactoryFile], defaultFileBytes());
    // The user defaults are not loaded at start-up.
    QCOMPARE(int(MemMap.get(0, 7)), 128);
}

void TestStartup::commandLine_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("current");
    QTest::newRow("quoted existing") << "\"/data/My Unit.tdf\"" << true << "/data/My Unit.tdf";
    QTest::newRow("plain existing") << "/data/unit.tdf" << true << "/data/unit.tdf";
    QTest::newRow("missing file") << "/data/none.tdf" << false << "/data/none.tdf";
    QTest::newRow("only quotes") << "\"\"" << false << "DEFAULT VALUES";
}

void TestStartup::commandLine()
{
    QFETCH(QString, commandLine);
    QFETCH(bool, exists);
    QFETCH(QString, current);
    if (exists)
        m_fs.files[current.toStdString()] = std::vector<std::uint8_t>(TdfFileSize, 0x33);
    const auto steps = start(commandLine.toStdString());
    QCOMPARE(g_sCurFileName, current.toStdString());
    QCOMPARE(GetSetting("Current File Name", ""), current.toStdString());
    QCOMPARE(int(MemMap.get(12, 100)), exists ? 0x33 : 0);
    QCOMPARE(int(MemMap.get(0, 7)), exists ? 0x33 : 128);
    QCOMPARE(steps.size(), size_t(exists ? 4 : 3));
    if (exists)
        QCOMPARE(steps[2], std::string("refresh"));
}

void TestStartup::storedSettings()
{
    SaveSetting("Current File Name", "/data/last.tdf");
    SaveSetting("Show Tune Warning Message", "No");
    start("");
    // Loading the empty name replaced the stored file name before it was read.
    QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));
    QVERIFY(!g_bShowTuneWarning);
    SaveSetting("Show Tune Warning Message", "yes");
    start("");
    QVERIFY(!g_bShowTuneWarning);
}

void TestStartup::failingDefaultFilesDoNotStopStartUp()
{
    m_fs.failWrite.insert(m_folder + "/Factory.def");
    const auto steps = start("");
    QCOMPARE(m_dialogs.messages.size(), size_t(1));
    QCOMPARE(m_dialogs.messages[0].text,
             std::string("There was an I/O error in the sub routine: 'SetUpDefaultFiles'"));
    QCOMPARE(steps,
             (std::vector<std::string>{"splash", "main(loading) without User.def", "close"}));
    // The routine ended at the failure: the user file was not written either.
    QVERIFY(!m_fs.exists(g_sUserFile));
}

void TestStartup::unreadableCommandLineFileIsNotMadeCurrent()
{
    m_fs.files["/data/locked.tdf"] = std::vector<std::uint8_t>(TdfFileSize, 0x44);
    m_fs.failRead.insert("/data/locked.tdf");
    const auto steps = start("/data/locked.tdf");
    QCOMPARE(m_dialogs.messages.size(), size_t(1));
    // The default data stay, under their own name, so a Save cannot overwrite the file.
    QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));
    QCOMPARE(GetSetting("Current File Name", ""), std::string("DEFAULT VALUES"));
    QCOMPARE(int(MemMap.get(0, 7)), 128);
    QCOMPARE(steps.size(), size_t(4));
    QCOMPARE(steps[2], std::string("refresh"));
}

void TestStartup::registersTheFileTypeBeforeTheSplash()
{
    FakeDesktopRegistry desktop;
    platform().desktop = &desktop;
    bool registeredFirst = false;
    StartupWindows windows;
    windows.showSplash = [&] {
        registeredFirst = desktop.defaultHandler(DataMimeType) == DesktopFileName;
    };
    RunStartup("", windows);
    platform().desktop = nullptr;
    QVERIFY(registeredFirst);
    QVERIFY(desktop.files.count("applications/" + DesktopFileName));
}

QTEST_APPLESS_MAIN(TestStartup)
#include "tst_startup.moc"
