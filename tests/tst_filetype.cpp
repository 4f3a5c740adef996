#include "appsettings.h"
#include "fakeplatform.h"
#include "filetype.h"
#include "mimeapps.h"
#include "platform.h"

#include <QtTest>

#include <fstream>
#include <sstream>

class TestFileType : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void registration_data();
    void registration();
    void laterStartsRebuildNoCache();
    void installedFilesMatchTheRegisteredOnes();
    void execQuoting_data();
    void execQuoting();
    void mimeAppsList_data();
    void mimeAppsList();

private:
    MemoryFileSystem m_fs;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
    FakeDesktopRegistry m_desktop;
};

void TestFileType::init()
{
    InstallDoubles(m_fs, m_settings, m_dialogs);
    m_desktop = FakeDesktopRegistry();
    platform().desktop = &m_desktop;
}

static const std::string Unset = "(unset)";

void TestFileType::registration_data()
{
    QTest::addColumn<std::string>("previous");
    QTest::addColumn<std::string>("storedOld");
    QTest::addColumn<bool>("failWrites");
    QTest::addColumn<std::string>("oldAfter");
    QTest::addColumn<std::string>("handlerAfter");

    QTest::newRow("another program opened them")
        << std::string("other-tdf.desktop") << Unset << false << std::string("other-tdf.desktop")
        << DesktopFileName;
    QTest::newRow("no program opened them")
        << std::string() << Unset << false << std::string() << DesktopFileName;
    QTest::newRow("already ours: old owner kept")
        << DesktopFileName << std::string("kept.desktop") << false << std::string("kept.desktop")
        << DesktopFileName;
    QTest::newRow("unwritable desktop folders: silent")
        << std::string("other-tdf.desktop") << Unset << true << std::string("other-tdf.desktop")
        << std::string("other-tdf.desktop");
}

// Two starts: the second must find the type ours and leave the old owner alone.
void TestFileType::registration()
{
    QFETCH(std::string, previous);
    QFETCH(std::string, storedOld);
    QFETCH(bool, failWrites);
    QFETCH(std::string, oldAfter);
    QFETCH(std::string, handlerAfter);
    if (!previous.empty())
        m_desktop.defaults[DataMimeType] = previous;
    if (storedOld != Unset)
        SaveSetting(OldAssociationKey, storedOld);
    m_desktop.failWrites = failWrites;
    m_desktop.program = "/opt/zpa tessaro/bin/tessaro-editor";

    for (int start = 1; start <= 2; ++start) {
        RegisterFileType();
        QCOMPARE(GetSetting(OldAssociationKey, Unset), oldAfter);
        QCOMPARE(m_desktop.defaultHandler(DataMimeType), handlerAfter);
        m_desktop.defaults[DataMimeType] = m_desktop.defaultHandler(DataMimeType);
    }
    if (failWrites) {
        QVERIFY(m_desktop.files.empty());
        return;
    }
    const std::string entry = m_desktop.files.at("applications/" + DesktopFileName);
    QVERIFY(entry.find("\nExec=\"/opt/zpa tessaro/bin/tessaro-editor\" %f\n") != std::string::npos);
    QVERIFY(entry.find("\nMimeType=application/x-zpa-tessaro-data;\n") != std::string::npos);
    QCOMPARE(m_desktop.files.at(UserIconPath), std::string("<svg/>"));
    const std::string package = m_desktop.files.at(MimePackagePath);
    QVERIFY(package.find("<glob pattern=\"*.tdf\" weight=\"60\"/>") != std::string::npos);
    QVERIFY(package.find("<comment>A ZPA Tessaro Radio data file</comment>") != std::string::npos);
    QVERIFY(IsAssociated(".tdf", FileTypeIdentifier));
    QVERIFY(!IsAssociated(".tdx", FileTypeIdentifier));
}

// With the caches already knowing the type, a start writes nothing and starts no tool; a
// moved program rewrites its desktop entry and rebuilds only that cache.
void TestFileType::laterStartsRebuildNoCache()
{
    RegisterFileType();
    QCOMPARE(m_desktop.toolRuns,
             (std::vector<std::string>{"update-mime-database mime",
                                       "update-desktop-database applications"}));
    m_desktop.files["mime/globs2"] = "60:application/x-zpa-tessaro-data:*.tdf\n";
    m_desktop.files["applications/mimeinfo.cache"] =
        "[MIME Cache]\napplication/x-zpa-tessaro-data=zpa-tessaro-editor.desktop;\n";
    m_desktop.toolRuns.clear();
    const int writes = m_desktop.writes;
    RegisterFileType();
    QCOMPARE(m_desktop.writes, writes);
    QVERIFY(m_desktop.toolRuns.empty());

    m_desktop.program = "/usr/local/bin/tessaro-editor";
    RegisterFileType();
    QCOMPARE(m_desktop.writes, writes + 1);
    QCOMPARE(m_desktop.toolRuns,
             (std::vector<std::string>{"update-desktop-database applications"}));
}

static std::string sourceFile(const char *path)
{
    std::ifstream in(qEnvironmentVariable("TESSARO_SOURCE_DIR").toStdString() + "/" + path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void TestFileType::installedFilesMatchTheRegisteredOnes()
{
    QCOMPARE(DesktopEntryText("tessaro-editor", ProgramIconName),
             sourceFile("desktop/zpa-tessaro-editor.desktop"));
    QCOMPARE(MimePackageText(DataMimeType, FileTypeDescription, FileTypeExtension, ProgramIconName),
             sourceFile("desktop/zpa-tessaro-editor.xml"));
}

void TestFileType::execQuoting_data()
{
    QTest::addColumn<std::string>("path");
    QTest::addColumn<std::string>("exec");
    QTest::newRow("plain") << std::string("/usr/bin/tessaro-editor")
                           << std::string("/usr/bin/tessaro-editor");
    QTest::newRow("spaces") << std::string("/home/tech/ZPA Tools/tessaro-editor")
                            << std::string("\"/home/tech/ZPA Tools/tessaro-editor\"");
    QTest::newRow("percent") << std::string("/opt/100%/tessaro-editor")
                             << std::string("/opt/100%%/tessaro-editor");
    QTest::newRow("dollar and quote")
        << std::string("/opt/$x\"y/t") << std::string("\"/opt/\\\\$x\\\\\"y/t\"");
    QTest::newRow("backslash") << std::string("/opt/a\\b/t")
                               << std::string("\"/opt/a\\\\\\\\b/t\"");
}

void TestFileType::execQuoting()
{
    QFETCH(std::string, path);
    QFETCH(std::string, exec);
    QCOMPARE(DesktopExecQuote(path), exec);
}

void TestFileType::mimeAppsList_data()
{
    QTest::addColumn<std::string>("before");
    QTest::addColumn<std::string>("handlerBefore");
    QTest::addColumn<std::string>("after");
    const std::string t = "application/x-zpa-tessaro-data";
    QTest::newRow("empty file") << std::string() << std::string()
                                << "[Default Applications]\n" + t + "=me.desktop\n";
    QTest::newRow("replaces a list, keeps the rest")
        << "[Added Associations]\n" + t +
               "=a.desktop;\n\n[Default Applications]\ntext/plain=ed.desktop\n" + t +
               " = old.desktop;b.desktop;\n\n"
        << std::string("old.desktop")
        << "[Added Associations]\n" + t +
               "=a.desktop;\n\n[Default Applications]\ntext/plain=ed.desktop\n" + t +
               "=me.desktop\n\n";
    QTest::newRow("adds at the end of the section")
        << std::string("[Default Applications]\ntext/plain=ed.desktop\n\n[Removed Associations]\n")
        << std::string()
        << "[Default Applications]\ntext/plain=ed.desktop\n" + t +
               "=me.desktop\n\n[Removed Associations]\n";
    QTest::newRow("adds the section")
        << "[Added Associations]\n" + t + "=a.desktop;\n"
        << std::string()
        << "[Added Associations]\n" + t + "=a.desktop;\n\n[Default Applications]\n" + t +
               "=me.desktop\n";
}

void TestFileType::mimeAppsList()
{
    QFETCH(std::string, before);
    QFETCH(std::string, handlerBefore);
    QFETCH(std::string, after);
    const std::string type = "application/x-zpa-tessaro-data";
    QCOMPARE(MimeAppsDefault(before, type), handlerBefore);
    QCOMPARE(MimeAppsWithDefault(before, type, "me.desktop"), after);
    QCOMPARE(MimeAppsDefault(after, type), std::string("me.desktop"));
}

QTEST_APPLESS_MAIN(TestFileType)
#include "tst_filetype.moc"
