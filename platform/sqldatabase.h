#pragma once

// A connection to an SQL database, as the radio history needs it: statements with "?"
// parameters, rows of plain values, and transactions. The Qt SQL implementation serves SQLite
// and PostgreSQL; the double in fakesqldatabase.h fails on demand.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

using SqlBytes = std::vector<std::uint8_t>;
// NULL, an integer, a text or a blob.
using SqlValue = std::variant<std::monostate, long long, std::string, SqlBytes>;
using SqlRow = std::vector<SqlValue>;

enum class SqlDialect { Sqlite, Postgres };

// Where the database is: a file for SQLite; a server (host name, or the folder of its local
// socket) for PostgreSQL.
struct SqlConnection {
    SqlDialect dialect = SqlDialect::Sqlite;
    std::string file; // SQLite
    std::string host;
    int port = 5432;
    std::string database;
    std::string user;
    std::string password;
    int connectTimeoutSeconds = 5;
};

class SqlDatabase
{
public:
    virtual ~SqlDatabase() = default;
    virtual SqlDialect dialect() const = 0;
    // Runs one statement; the rows of a query go to rows when given. False with lastError().
    virtual bool exec(const std::string &sql, const std::vector<SqlValue> &params = {},
                      std::vector<SqlRow> *rows = nullptr) = 0;
    virtual bool begin() = 0;
    virtual bool commit() = 0;
    virtual bool rollback() = 0;
    virtual std::string lastError() const = 0;
};

// Opens connections; each one belongs to the thread that opened it.
class SqlConnector
{
public:
    virtual ~SqlConnector() = default;
    // nullptr with why filled when the database cannot be reached.
    virtual std::unique_ptr<SqlDatabase> open(const SqlConnection &where, std::string &why) = 0;
};

// Helpers for reading rows.
std::string SqlText(const SqlValue &value);
long long SqlInt(const SqlValue &value);
SqlBytes SqlBlob(const SqlValue &value);
