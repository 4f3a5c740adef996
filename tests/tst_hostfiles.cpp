// Data files on the real file system: names in any encoding, files that are not regular files,
// temporaries left by an interrupted save, and the command line as the shell hands it over.

#include "appglobals.h"
#include "fakeplatform.h"
#include "memmap.h"
#include "platform.h"
#include "qtplatform.h"
#include "startup.h"
#include "tdffile.h"
#include "tempname.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include <csignal>
#include <ctime>

#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

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

    // A name in any encoding, or with a quote of its own, loads its own file.
    void oddNamesLoadTheirFile()
    {
        const std::string plain = put("unit8", 0x11);
        const std::string quoted = put("unit8\"", 0x22), latin1 = put("\xe9t\xe9 radio.tdf", 0x5A);
        for (const auto &[path, fill] : {std::pair{quoted, 0x22}, {latin1, 0x5A}}) {
            QCOMPARE(CommandLineFileName(path), path);
            BeginStartup(path);
            LoadCommandLineFile(path);
            EndStartup();
            QVERIFY(m_dialogs.messages.empty());
            QCOMPARE(g_sCurFileName, path);
            QCOMPARE(int(MemMap.get(3, 17)), fill);
        }
        // The caption shows the name as well as it can; Qt's own clean-up cannot name the file.
        QVERIFY(m_window.captionText.find(" radio.tdf") != std::string::npos);
        QVERIFY(m_files.remove(latin1));
        // Quotes the shell left around a name are still taken off when only the inside exists.
        QCOMPARE(CommandLineFileName("\"" + plain + "\""), plain);
        QCOMPARE(CommandLineFileName("\"" + m_root + "/none\""), m_root + "/none");
    }

    void tempNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("age");
        QTest::addColumn<bool>("removed");
        const int old = int(StaleTempFileSeconds);
        QTest::newRow("own, old") << ".unit.tdf.tessaro-save.aB3dE9" << old << true;
        QTest::newRow("own, still saving") << ".unit.tdf.tessaro-save.aB3dE9" << old - 1 << false;
        QTest::newRow("own, age unknown") << ".User.def.tessaro-save.Q1w2E3" << -1 << false;
        QTest::newRow("user's version") << "fleet.tdf.2024v1" << old << false;
        QTest::newRow("earlier pattern") << "unit.tdf.Q1w2E3" << old << false;
        QTest::newRow("not hidden") << "unit.tdf.tessaro-save.aB3dE9" << old << false;
        QTest::newRow("short random") << ".unit.tdf.tessaro-save.aB3dE" << old << false;
        QTest::newRow("random not alnum") << ".unit.tdf.tessaro-save.aB3-E9" << old << false;
    }

    void tempNames()
    {
        QFETCH(QString, name);
        QFETCH(int, age);
        QFETCH(bool, removed);
        QCOMPARE(IsStaleTempFile(name.toStdString(), age), removed);
        std::string made = TempFileTemplate(std::string(300, 'n'));
        QVERIFY(made.size() <= 255);
        made.replace(made.size() - 6, 6, "Zz0Zz0");
        QVERIFY(IsTempFileName(made));
    }

    // The start removes only its own old temporaries, and says when the settings are unusable.
    void startKeepsUsersFiles()
    {
        m_settings.unusable = "/home/tech/.config/ZPA Tessaro Editor/ZPA Tessaro Editor.conf";
        const char *names[] = {"customer.tdf.backup", ".unit.tdf.tessaro-save.Fresh1",
                               ".unit.tdf.tessaro-save.Stale1"};
        QVERIFY(m_files.makePath(m_root + "/docs"));
        for (const char *name : names)
            put(std::string("docs/") + name, 0);
        const std::string stale = m_root + "/docs/.unit.tdf.tessaro-save.Stale1";
        const struct timeval hourAgo[2] = {{std::time(nullptr) - StaleTempFileSeconds, 0},
                                           {std::time(nullptr) - StaleTempFileSeconds, 0}};
        QCOMPARE(::utimes(stale.c_str(), hourAgo), 0);
        for (int start = 0; start < 2; ++start) {
            BeginStartup("");
            EndStartup();
        }
        QCOMPARE(
            m_files.listFolder(m_root + "/docs"),
            (std::vector<std::string>{".unit.tdf.tessaro-save.Fresh1", "customer.tdf.backup"}));
        QCOMPARE(m_window.statusTexts.back(),
                 std::string("Settings cannot be read or stored: /home/tech/.config/ZPA Tessaro "
                             "Editor/ZPA Tessaro Editor.conf....."));
    }

    void settingsReachTheFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("comma and blank") << "/dev/serial/by-id/usb-Acme,Inc Cable 2-if00";
        QTest::newRow("non-ASCII") << "/dev/serial/by-id/usb-Müller_Kabel";
        QTest::newRow("quote and backslash") << "/tmp/a\"b\\c";
    }
    // Settings are written together from the event loop, exactly as given, and a store of the
    // same program, here or in the next run, reads what the last one saved.
    void settingsReachTheFile()
    {
        QFETCH(QString, path);
        QStandardPaths::setTestModeEnabled(true);
        QtSettingsStore store;
        const std::string app = "Tessaro Settings Test";
        store.save(app, "Settings", "Comm Port 1 Device", "/dev/ttyS3");
        store.save(app, "Settings", "Comm Port 1 Device", path.toStdString());
        QCOMPARE(QString::fromStdString(store.get(app, "Settings", "Comm Port 1 Device", "")),
                 path);
        QCoreApplication::processEvents();
        QFile file(QSettings(QString::fromStdString(app), QString::fromStdString(app)).fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(file.readAll().contains("Comm%20Port%201%20Device="), qPrintable(file.fileName()));
        QCOMPARE(store.unusableFile(app), std::string());
        file.close();
        // Written by hand, without the quotes the store would add.
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\nComm%20Port%202%20Device=/dev/a,b c\n");
        file.close();
        QCOMPARE(QtSettingsStore().get(app, "Settings", "Comm Port 2 Device", ""),
                 std::string("/dev/a,b c"));
        file.remove();
    }

    // Each target exists and is not something a save may replace.
    void refusedTargets_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("read-only file") << "0444";
        QTest::newRow("character device") << "chr";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("folder") << "dir";
        QTest::newRow("link to a fifo") << "link";
    }

    void refusedTargets()
    {
        QFETCH(QString, kind);
        const std::string path = m_root + "/out.tdf";
        if (kind == "0444") {
            put("out.tdf", 0x01);
            QCOMPARE(::chmod(path.c_str(), 0444), 0);
        } else if (kind == "chr") {
            if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                QSKIP("making a device node needs root");
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(path.c_str(), 0666), 0);
        } else if (kind == "link") {
            QCOMPARE(::mkfifo((m_root + "/fifo").c_str(), 0666), 0);
            QCOMPARE(::symlink("fifo", path.c_str()), 0);
        } else {
            QVERIFY(m_files.makePath(path));
        }
        struct stat before {
        };
        QCOMPARE(::lstat(path.c_str(), &before), 0);
        if (kind == "fifo" || kind == "link") // a read would block for ever
            QVERIFY(!m_files.read(path, TdfFileSize));
        // Root may write anything; the save is made as a user who may not.
        QCOMPARE(::chmod(m_root.c_str(), 0777), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::geteuid() == 0 &&
                (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(3);
            // The save fails with a reason the tool can print.
            ::_exit(m_files.writeAtomic(path, {1}) ? 1 : m_files.lastWriteError().empty() ? 4 : 0);
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 0);
        struct stat after {
        };
        QCOMPARE(::lstat(path.c_str(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_size, before.st_size);
        QCOMPARE(int(m_files.listFolder(m_root).size()), kind == "0444" ? 1 : 0);
    }

    // The save keeps the file's mode and links, leaves no temporary, and a kill before the
    // rename leaves the old file whole.
    void saveReplacesTheTargetOnly()
    {
        QVERIFY(m_files.makePath(m_root + "/real"));
        const std::string path = put("real/unit.tdf", 0x01), link = m_root + "/unit.tdf";
        QCOMPARE(::chmod(path.c_str(), 0640), 0);
        QCOMPARE(::symlink("real/unit.tdf", link.c_str()), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            QtFileSystem files;
            files.beforeRename = [] { ::raise(SIGKILL); };
            files.writeAtomic(path, {9});
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(m_files.listFolder(m_root + "/real"), std::vector<std::string>{"unit.tdf"});
        QCOMPARE(int(m_files.size(path)), TdfFileSize);
        // A shorter image, through the link, replaces the longer file whole.
        QVERIFY(m_files.writeAtomic(link, std::vector<std::uint8_t>(100, 0x77)));
        struct stat st {
        };
        QCOMPARE(::lstat(link.c_str(), &st), 0);
        QVERIFY(S_ISLNK(st.st_mode));
        QCOMPARE(::stat(path.c_str(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0640);
        QCOMPARE(int(st.st_size), 100);
        QCOMPARE(m_files.listFolder(m_root + "/real"), std::vector<std::string>{"unit.tdf"});
        QCOMPARE((*m_files.read(path, 4))[3], std::uint8_t(0x77));
        // A folder that cannot take the temporary fails the save.
        QVERIFY(!m_files.writeAtomic(m_root + "/missing/unit.tdf", {1, 2}));
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
