#pragma once

// A throw-away PostgreSQL server for one test run: a cluster in a temporary folder, listening
// only on a socket there, started with the Debian package's binaries and stopped at the end.
// The server refuses to run as root, so a root test run starts it as the "postgres" user.

#include "sqldatabase.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

class PgCluster
{
public:
    ~PgCluster() { stop(); }

    // Empty on success, else why the server cannot run here.
    QString start()
    {
        for (const QString &version :
             QDir("/usr/lib/postgresql").entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (QFile::exists("/usr/lib/postgresql/" + version + "/bin/initdb"))
                m_bin = "/usr/lib/postgresql/" + version + "/bin";
        if (m_bin.isEmpty())
            return "no PostgreSQL server binaries (Debian package postgresql)";
        if (!m_dir.isValid())
            return "no temporary folder";
        if (geteuid() == 0) {
            const passwd *pg = getpwnam("postgres");
            if (pg == nullptr ||
                chown(m_dir.path().toLocal8Bit().constData(), pg->pw_uid, pg->pw_gid) != 0)
                return "running as root without a usable \"postgres\" user";
            m_asUser = true;
        }
        const QString why = run("initdb", {"-D", m_dir.filePath("data"), "-U", "tessaro", "-A",
                                           "trust", "-N", "-E", "UTF8"});
        return why.isEmpty() ? startServer() : why;
    }

    QString startServer()
    {
        const QString why = run(
            "pg_ctl",
            {"-D", m_dir.filePath("data"), "-l", m_dir.filePath("log"), "-w", "-o",
             QString("-k %1 -c listen_addresses= -p %2 -F").arg(m_dir.path()).arg(Port), "start"});
        m_running = why.isEmpty();
        return why;
    }

    void stop()
    {
        if (m_running)
            run("pg_ctl", {"-D", m_dir.filePath("data"), "-m", "immediate", "-w", "stop"});
        m_running = false;
    }

    SqlConnection connection() const
    {
        SqlConnection c;
        c.dialect = SqlDialect::Postgres;
        c.host = m_dir.path().toStdString();
        c.port = Port;
        c.database = "postgres";
        c.user = "tessaro";
        c.connectTimeoutSeconds = 2;
        return c;
    }

private:
    static constexpr int Port = 54329;

    QString run(const QString &tool, const QStringList &args)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        const QString exe = m_bin + '/' + tool;
        if (m_asUser)
            p.start("runuser", QStringList{"-u", "postgres", "--", exe} + args);
        else
            p.start(exe, args);
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0)
            return tool + " failed: " + QString::fromLocal8Bit(p.readAll()).trimmed();
        return {};
    }

    QTemporaryDir m_dir;
    QString m_bin;
    bool m_asUser = false;
    bool m_running = false;
};
