#include "appsettings.h"
#include "fakeplatform.h"
#include "filetype.h"
#include "mimeapps.h"
#include "platform.h"

#include <QtTest>

#include <fstream>
#include <sstream>

using S = std::string;
static const S Unset = "(unset)";

static std::string sourceFile(const char *path)
{
    std::ifstream in(qEnvironmentVariable("TESSARO_SOURCE_DIR").toStdString() + "/" + path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class TestFileType : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_settings = FakeSettings();
        m_desktop = FakeDesktopRegistry();
        platform().settings = &m_settings;
        platform().desktop = &m_desktop;
    }

    void registration_data()
    {
        QTest::addColumn<S>("previous");
        QTest::addColumn<S>("storedOld");
        QTest::addColumn<bool>("failWrites");
        QTest::addColumn<S>("oldAfter");
        QTest::addColumn<S>("handlerAfter");

        const S other = "other-tdf.desktop", ours = DesktopFileName;
        QTest::newRow("another program opened them") << other << Unset << false << other << ours;
        QTest::newRow("no program opened them") << S() << Unset << false << S() << ours;
        QTest::newRow("already ours: old owner kept")
            << ours << S("kept.desktop") << false << S("kept.desktop") << ours;
        QTest::newRow("unwritable desktop folders: silent")
            << other << Unset << true << other << other;
    }

    // Two starts: the second must find the type ours and leave the old owner alone.
    void registration()
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
        // What the user gets is what the package installs, but for the program's own path.
        QCOMPARE(m_desktop.files.at("applications/" + DesktopFileName),
                 DesktopEntryText("\"/opt/zpa tessaro/bin/tessaro-editor\"", ProgramIconName));
        QCOMPARE(m_desktop.files.at(MimePackagePath), sourceFile("desktop/zpa-tessaro-editor.xml"));
        QCOMPARE(m_desktop.files.at(UserIconPath), std::string("<svg/>"));
        QVERIFY(IsAssociated(".tdf", FileTypeIdentifier));
        QVERIFY(!IsAssociated(".tdx", FileTypeIdentifier));
    }

    // With the caches already knowing the type, a start writes nothing and starts no tool; a
    // moved program rewrites its desktop entry and rebuilds only that cache.
    void laterStartsRebuildNoCache()
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

    void execQuoting()
    {
        // What the package installs is what a program in /usr/bin registers.
        QCOMPARE(DesktopEntryText("tessaro-editor", ProgramIconName),
                 sourceFile("desktop/zpa-tessaro-editor.desktop"));
        const std::pair<S, S> rows[] = {
            {"/usr/bin/tessaro-editor", "/usr/bin/tessaro-editor"},
            {"/home/tech/ZPA Tools/tessaro-editor", "\"/home/tech/ZPA Tools/tessaro-editor\""},
            {"/opt/100%/tessaro-editor", "/opt/100%%/tessaro-editor"},
            {"/opt/$x\"y/t", "\"/opt/\\\\$x\\\\\"y/t\""},
            {"/opt/a\\b/t", "\"/opt/a\\\\\\\\b/t\""}};
        for (const auto &[path, exec] : rows)
            QCOMPARE(DesktopExecQuote(path), exec);
    }

    void mimeAppsList_data()
    {
        QTest::addColumn<S>("before");
        QTest::addColumn<S>("handlerBefore");
        QTest::addColumn<S>("after");
        const S t = "application/x-zpa-tessaro-data";
        QTest::newRow("empty file")
            << S() << S() << "[Default Applications]\n" + t + "=me.desktop\n";
        QTest::newRow("replaces a list, keeps the rest")
            << "[Added Associations]\n" + t +
                   "=a.desktop;\n\n[Default Applications]\ntext/plain=ed.desktop\n" + t +
                   " = old.desktop;b.desktop;\n\n"
            << S("old.desktop")
            << "[Added Associations]\n" + t +
                   "=a.desktop;\n\n[Default Applications]\ntext/plain=ed.desktop\n" + t +
                   "=me.desktop\n\n";
        QTest::newRow("adds at the end of the section")
            << S("[Default Applications]\ntext/plain=ed.desktop\n\n[Removed Associations]\n") << S()
            << "[Default Applications]\ntext/plain=ed.desktop\n" + t +
                   "=me.desktop\n\n[Removed Associations]\n";
        QTest::newRow("adds the section")
            << "[Added Associations]\n" + t + "=a.desktop;\n"
            << S()
            << "[Added Associations]\n" + t + "=a.desktop;\n\n[Default Applications]\n" + t +
                   "=me.desktop\n";
    }

    void mimeAppsList()
    {
        QFETCH(std::string, before);
        QFETCH(std::string, handlerBefore);
        QFETCH(std::string, after);
        const std::string type = "application/x-zpa-tessaro-data";
        QCOMPARE(MimeAppsDefault(before, type), handlerBefore);
        QCOMPARE(MimeAppsWithDefault(before, type, "me.desktop"), after);
        QCOMPARE(MimeAppsDefault(after, type), std::string("me.desktop"));
    }

private:
    FakeSettings m_settings;
    FakeDesktopRegistry m_desktop;
};

QTEST_APPLESS_MAIN(TestFileType)
#include "tst_filetype.moc"
