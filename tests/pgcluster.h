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
        const QStringList found = QDir(QStringLiteral("/usr/lib/postgresql"))
                                      .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &version : found) {
            const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(version);
            if (QFile::exists(bin + QStringLiteral("/initdb")))
                m_bin = bin;
        }
        if (m_bin.isEmpty())
            return QStringLiteral("no PostgreSQL server binaries (Debian package postgresql)");
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        if (geteuid() == 0) {
            const passwd *pg = getpwnam("postgres");
            if (pg == nullptr ||
                chown(m_dir.path().toLocal8Bit().constData(), pg->pw_uid, pg->pw_gid) != 0)
                return QStringLiteral("running as root without a usable \"postgres\" user");
            m_asUser = true;
        }
        const QString data = m_dir.filePath(QStringLiteral("data"));
        QString why = run(QStringLiteral("initdb"),
                          {QStringLiteral("-D"), data, QStringLiteral("-U"),
                           QStringLiteral("tessaro"), QStringLiteral("-A"), QStringLiteral("trust"),
                           QStringLiteral("-N"), QStringLiteral("-E"), QStringLiteral("UTF8")});
        if (why.isEmpty())
            why = startServer();
        return why;
    }

    QString startServer()
    {
        const QString why =
            run(QStringLiteral("pg_ctl"),
                {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-l"),
                 m_dir.filePath(QStringLiteral("log")), QStringLiteral("-w"), QStringLiteral("-o"),
                 QStringLiteral("-k %1 -c listen_addresses= -p %2 -F").arg(m_dir.path()).arg(Port),
                 QStringLiteral("start")});
        m_running = why.isEmpty();
        return why;
    }

    void stop()
    {
        if (m_running)
            run(QStringLiteral("pg_ctl"),
                {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-m"),
                 QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
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
        const QString exe = m_bin + QLatin1Char('/') + tool;
        if (m_asUser)
            p.start(QStringLiteral("runuser"),
                    QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                QStringLiteral("--"), exe} +
                        args);
        else
            p.start(exe, args);
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0)
            return tool + QStringLiteral(" failed: ") +
                   QString::fromLocal8Bit(p.readAll()).trimmed();
        return {};
    }

    QTemporaryDir m_dir;
    QString m_bin;
    bool m_asUser = false;
    bool m_running = false;
};
