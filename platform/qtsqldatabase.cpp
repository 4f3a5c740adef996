#include "qtsqldatabase.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace
{

QAtomicInt s_connections;

QVariant ToVariant(const SqlValue &value)
{
    if (const auto *number = std::get_if<long long>(&value))
        return QVariant::fromValue(static_cast<qlonglong>(*number));
    if (const auto *text = std::get_if<std::string>(&value))
        return QString::fromStdString(*text);
    if (const auto *bytes = std::get_if<SqlBytes>(&value))
        return QByteArray(reinterpret_cast<const char *>(bytes->data()),
                          static_cast<qsizetype>(bytes->size()));
    return QVariant();
}

SqlValue FromVariant(const QVariant &value)
{
    if (value.isNull())
        return std::monostate{};
    switch (value.metaType().id()) {
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return SqlBytes(bytes.begin(), bytes.end());
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Bool:
        return static_cast<long long>(value.toLongLong());
    default:
        return value.toString().toStdString();
    }
}

class QtSqlDatabase : public SqlDatabase
{
public:
    QtSqlDatabase(QString name, SqlDialect dialect) : m_name(std::move(name)), m_dialect(dialect) {}
    ~QtSqlDatabase() override
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    SqlDialect dialect() const override { return m_dialect; }

    bool exec(const std::string &sql, const std::vector<SqlValue> &params,
              std::vector<SqlRow> *rows) override
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        query.setForwardOnly(true);
        // PostgreSQL prepares no schema statements: those go unprepared, having no parameters.
        if (params.empty()) {
            if (!query.exec(QString::fromStdString(sql)))
                return Failed(query.lastError());
        } else {
            if (!query.prepare(QString::fromStdString(sql)))
                return Failed(query.lastError());
            for (const SqlValue &value : params)
                query.addBindValue(ToVariant(value));
            if (!query.exec())
                return Failed(query.lastError());
        }
        if (rows != nullptr && query.isSelect()) {
            const int columns = query.record().count();
            while (query.next()) {
                SqlRow row;
                row.reserve(static_cast<std::size_t>(columns));
                for (int c = 0; c < columns; ++c)
                    row.push_back(FromVariant(query.value(c)));
                rows->push_back(std::move(row));
            }
        }
        return true;
    }
    // SQLite takes the write lock at the start: two editors that both read first and then
    // write would otherwise deadlock, and one of them fail at once instead of waiting.
    bool begin() override
    {
        if (m_dialect == SqlDialect::Sqlite)
            return exec("BEGIN IMMEDIATE", {}, nullptr);
        return Done(QSqlDatabase::database(m_name, false).transaction());
    }
    bool commit() override
    {
        if (m_dialect == SqlDialect::Sqlite)
            return exec("COMMIT", {}, nullptr);
        return Done(QSqlDatabase::database(m_name, false).commit());
    }
    bool rollback() override
    {
        if (m_dialect == SqlDialect::Sqlite)
            return exec("ROLLBACK", {}, nullptr);
        return Done(QSqlDatabase::database(m_name, false).rollback());
    }
    std::string lastError() const override { return m_error; }

private:
    bool Failed(const QSqlError &error)
    {
        m_error = error.text().toStdString();
        return false;
    }
    bool Done(bool ok)
    {
        if (!ok)
            Failed(QSqlDatabase::database(m_name, false).lastError());
        return ok;
    }

    QString m_name;
    SqlDialect m_dialect;
    std::string m_error;
};

} // namespace

std::unique_ptr<SqlDatabase> QtSqlConnector::open(const SqlConnection &where, std::string &why)
{
    const bool sqlite = where.dialect == SqlDialect::Sqlite;
    const QString name =
        QStringLiteral("tessaro-history-%1").arg(s_connections.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
        if (sqlite) {
            db.setDatabaseName(QString::fromStdString(where.file));
            // Another editor may hold the write lock for a moment.
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        } else {
            db.setHostName(QString::fromStdString(where.host));
            db.setPort(where.port);
            db.setDatabaseName(QString::fromStdString(where.database));
            db.setUserName(QString::fromStdString(where.user));
            db.setPassword(QString::fromStdString(where.password));
            db.setConnectOptions(
                QStringLiteral("connect_timeout=%1").arg(where.connectTimeoutSeconds));
        }
        if (!db.isValid() || !db.open()) {
            why = db.isValid() ? db.lastError().text().toStdString()
                               : std::string("the Qt SQL driver is not installed");
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            return nullptr;
        }
    }
    std::unique_ptr<SqlDatabase> db = std::make_unique<QtSqlDatabase>(name, where.dialect);
    if (sqlite) {
        // Several editors on one bench share the file.
        db->exec("PRAGMA journal_mode=WAL");
        // With the write-ahead log a power cut may lose the newest event, never the file.
        db->exec("PRAGMA synchronous=NORMAL");
        db->exec("PRAGMA foreign_keys=ON");
    }
    return db;
}
