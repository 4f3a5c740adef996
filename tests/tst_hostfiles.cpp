// Data files on the real file system: names in any encoding, files that are not regular files,
// temporaries left by an interrupted save, and the command line as the shell hands it over.

#include "appglobals.h"
#include "fakeplatform.h"
#include "filecommands.h"
#include "memmap.h"
#include "platform.h"
#include "qtplatform.h"
#include "startup.h"
#include "tdffile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include <sys/stat.h>

class TestHostFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_root = m_dir->path().toStdString();
        m_settings = FakeSettings();
        m_dialogs = ScriptedDialogs();
        m_window = RecordingWindow();
        platform().files = &m_files;
        platform().settings = &m_settings;
        platform().dialogs = &m_dialogs;
        platform().window = &m_window;
        platform().programFolder = m_root + "/data";
        platform().documentsFolder = m_root + "/docs";
        ResetAppGlobals();
        MemMap.clear();
    }

    void fifoIsRefusedAtOnce()
    {
        const std::string fifo = m_root + "/radio.tdf";
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        QElapsedTimer timer;
        timer.start();
        // From the command line...
        BeginStartup(fifo);
        LoadCommandLineFile(fifo);
        EndStartup();
        const std::string ioError =
            "There was an I/O error in the sub routine: 'LoadMemMapFrom_TDF_File - *" + fifo + "*'";
        QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
        QCOMPARE(m_dialogs.messages[0].text, ioError);
        QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));
        // ...and through File > Open.
        m_dialogs.fileAnswers = {fifo};
        OpenExistingFile();
        QCOMPARE(m_dialogs.messages.size(), std::size_t(2));
        QCOMPARE(m_dialogs.messages[1].text, ioError);
        QVERIFY(g_sCurFileName != fifo);
        QVERIFY(timer.elapsed() < 5000);
    }

    void latin1NameLoadsItsBytes()
    {
        const std::string path = put("\xe9t\xe9 radio.tdf", 0x5A);
        BeginStartup(path);
        LoadCommandLineFile(path);
        EndStartup();
        QVERIFY(m_dialogs.messages.empty());
        QCOMPARE(g_sCurFileName, path);
        QCOMPARE(int(MemMap.get(3, 17)), 0x5A);
        // The caption shows the name as well as it can; the file keeps its own bytes.
        QVERIFY(m_window.captionText.find(" radio.tdf") != std::string::npos);
        // Qt's own clean-up cannot name this file.
        QVERIFY(m_files.remove(path));
    }

    void trailingQuoteNamesItsOwnFile()
    {
        const std::string plain = put("unit8", 0x11);
        const std::string quoted = put("unit8\"", 0x22);
        QCOMPARE(CommandLineFileName(quoted), quoted);
        BeginStartup(quoted);
        LoadCommandLineFile(quoted);
        EndStartup();
        QCOMPARE(g_sCurFileName, quoted);
        QCOMPARE(int(MemMap.get(1, 0)), 0x22);
        // Quotes the shell left around a name are still taken off when only the inside exists.
        QCOMPARE(CommandLineFileName("\"" + plain + "\""), plain);
        QCOMPARE(CommandLineFileName("\"" + m_root + "/none\""), m_root + "/none");
    }

    void staleTemporariesRemoved()
    {
        const std::string data = m_root + "/data";
        QVERIFY(m_files.makePath(data));
        const char *names[] = {"data/User.def.aB3dE9", "data/unit.tdf.Q1w2E3", "data/unit.tdf",
                               "data/notes.txt.Q1w2E3", "data/unit.tdf.short"};
        for (const char *name : names)
            put(name, 0);
        RemoveStaleTempFiles(data);
        QCOMPARE(m_files.listFolder(data),
                 (std::vector<std::string>{"notes.txt.Q1w2E3", "unit.tdf", "unit.tdf.short"}));
    }

    void saveKeepsModeAndLeavesNoTemporary()
    {
        const std::string path = put("unit.tdf", 0x01);
        QCOMPARE(::chmod(path.c_str(), 0640), 0);
        QVERIFY(m_files.writeAtomic(path, std::vector<std::uint8_t>(TdfFileSize, 0x77)));
        struct stat st {
        };
        QCOMPARE(::stat(path.c_str(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0640);
        QCOMPARE(m_files.listFolder(m_root), std::vector<std::string>{"unit.tdf"});
        QCOMPARE((*m_files.read(path, 4))[3], std::uint8_t(0x77));
        // A folder that cannot take the temporary fails the save and keeps the old file.
        QVERIFY(!m_files.writeAtomic(m_root + "/missing/unit.tdf", {1, 2}));
    }

    // Settings are written together from the event loop, and a store of the same program, here
    // or in the next run, reads what the last one saved.
    void settingsReachTheFile()
    {
        QStandardPaths::setTestModeEnabled(true);
        QtSettingsStore store;
        const std::string app = "Tessaro Settings Test";
        store.save(app, "Settings", "Comm Port", "3");
        store.save(app, "Settings", "Comm Port", "4");
        QCOMPARE(store.get(app, "Settings", "Comm Port", "1"), std::string("4"));
        QCoreApplication::processEvents();
        QFile file(QSettings(QString::fromStdString(app), QString::fromStdString(app)).fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(file.readAll().contains("Port=4"), qPrintable(file.fileName()));
        QCOMPARE(store.unusableFile(app), std::string());
        file.remove();
    }

    void unusableSettingsSaySo()
    {
        m_settings.unusable = "/home/tech/.config/ZPA Tessaro Editor/ZPA Tessaro Editor.conf";
        BeginStartup("");
        EndStartup();
        QCOMPARE(m_window.statusTexts.back(), SettingsUnusableStatus(m_settings.unusable));
        QCOMPARE(m_window.statusTexts.back(),
                 std::string("Settings cannot be read or stored: /home/tech/.config/ZPA Tessaro "
                             "Editor/ZPA Tessaro Editor.conf....."));
    }

private:
    std::string put(const std::string &name, std::uint8_t fill)
    {
        const std::string path = m_root + "/" + name;
        std::ofstream(path, std::ios::binary) << std::string(TdfFileSize, static_cast<char>(fill));
        return path;
    }

    QtFileSystem m_files;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
    RecordingWindow m_window;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::string m_root;
};

QTEST_GUILESS_MAIN(TestHostFiles)
#include "tst_hostfiles.moc"
