// The editor's registration against the real freedesktop.org tools, in a private home.

#include <QtTest>

static const QString Type = "application/x-zpa-tessaro-data";
static const QString Ours = "zpa-tessaro-editor.desktop";
static const QString Theirs = "other-tdf-viewer.desktop";

static QString readFile(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class TestDesktopSandbox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *tool :
             {"xdg-mime", "mimetype", "update-mime-database", "update-desktop-database"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(
                    qPrintable(tool + QString(" is missing; scripts/install-deps.sh installs it")));
        }
        QVERIFY(m_home.isValid());
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("HOME", path("home"));
        m_env.insert("XDG_DATA_HOME", path("data"));
        m_env.insert("XDG_CONFIG_HOME", path("config"));
        m_env.remove("XDG_CURRENT_DESKTOP");
        m_env.insert("QT_QPA_PLATFORM", "offscreen");
        m_env.insert("TESSARO_EXIT_AFTER_STARTUP", "1");
    }

    void registersAndOpensDataFiles()
    {
        // Another program owns the type first.
        QDir().mkpath(path("data/applications"));
        QFile other(path("data/applications/") + Theirs);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %f\n"
                    "MimeType=application/x-zpa-tessaro-data;\n");
        other.close();
        run("xdg-mime", {"default", Theirs, Type});
        const QStringList queryDefault = {"query", "default", Type};
        QCOMPARE(run("xdg-mime", queryDefault), Theirs);

        QVERIFY(startEditor().startsWith("ZPA Tessaro Editor"));
        // The caches are rebuilt in the background.
        QTRY_VERIFY_WITH_TIMEOUT(readFile(path("data/mime/globs2")).contains(Type), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(readFile(path("data/applications/mimeinfo.cache")).contains(Ours),
                                 20000);

        const QString dataFile = path("Field Radio 7.tdf");
        QVERIFY(QFile::copy(path("data/ZPA Tessaro Editor/Factory.def"), dataFile));
        QCOMPARE(run("xdg-mime", {"query", "filetype", dataFile}), Type);
        QCOMPARE(run("xdg-mime", queryDefault), Ours);
        QCOMPARE(oldAssociation(), Theirs);

        // Opening the data file as the desktop does: the Exec line with the file for %f.
        const QString entry = path("data/applications/") + Ours;
        QSettings desktop(entry, QSettings::IniFormat);
        QStringList exec = QProcess::splitCommand(desktop.value("Desktop Entry/Exec").toString());
        QCOMPARE(exec.value(0), QStringLiteral(TESSARO_EDITOR));
        QCOMPARE(exec.value(1), QString("%f"));
        QVERIFY(startEditor({dataFile}).contains("Field Radio 7.tdf"));
        if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty()) {
            int exitCode = -1;
            const QString problems = run("desktop-file-validate", {entry}, &exitCode);
            QVERIFY2(exitCode == 0 && problems.isEmpty(), qPrintable(problems));
        }
    }

private:
    QString run(const QString &program, const QStringList &args, int *exitCode = nullptr)
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(program, args);
        process.waitForFinished(60000);
        if (exitCode)
            *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    }

    QString startEditor(const QStringList &args = {})
    {
        int exitCode = -1;
        const QString caption = run(QStringLiteral(TESSARO_EDITOR), args, &exitCode);
        return exitCode == 0 ? caption : QString("exit code %1").arg(exitCode);
    }

    QString oldAssociation() const
    {
        QSettings settings(path("config/ZPA Tessaro Editor/ZPA Tessaro Editor.conf"),
                           QSettings::IniFormat);
        return settings.value("Settings/OldAssociation", "(unset)").toString();
    }

    QString path(const QString &name) const { return m_home.filePath(name); }

    QTemporaryDir m_home;
    QProcessEnvironment m_env;
};

QTEST_GUILESS_MAIN(TestDesktopSandbox)
#include "tst_desktopsandbox.moc"
