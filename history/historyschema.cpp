#include "historyschema.h"

#include <string_view>
#include <utility>

namespace
{

struct SchemaStep {
    int version; // reached after the step
    std::string_view statements[8];
};

// "{blob}" becomes the dialect's binary type. A new database runs every step, so the path
// an old database takes is the one every new database has taken too.
constexpr SchemaStep SchemaSteps[] = {
    {1,
     {"CREATE TABLE history_schema (version INTEGER NOT NULL)",
      "INSERT INTO history_schema (version) VALUES (0)",
      "CREATE TABLE images (hash TEXT PRIMARY KEY, bytes {blob} NOT NULL)",
      "CREATE TABLE events (event_key TEXT PRIMARY KEY, serial TEXT NOT NULL, at TEXT NOT NULL, "
      "kind TEXT NOT NULL, bench TEXT NOT NULL, port TEXT NOT NULL, version TEXT NOT NULL, "
      "outcome TEXT NOT NULL, detail TEXT NOT NULL, file TEXT NOT NULL, "
      "image TEXT REFERENCES images (hash))",
      "CREATE INDEX events_by_serial ON events (serial, at)"}},
    {2,
     {"CREATE TABLE radios (serial TEXT PRIMARY KEY, customer TEXT NOT NULL DEFAULT '', "
      "note TEXT NOT NULL DEFAULT '', last_at TEXT NOT NULL DEFAULT '', "
      "last_kind TEXT NOT NULL DEFAULT '', last_outcome TEXT NOT NULL DEFAULT '', "
      "event_count INTEGER NOT NULL DEFAULT 0, search_text TEXT NOT NULL DEFAULT '')",
      "ALTER TABLE events ADD COLUMN labels TEXT NOT NULL DEFAULT ''",
      "ALTER TABLE events ADD COLUMN report {blob}", "CREATE INDEX events_by_time ON events (at)",
      "INSERT INTO radios (serial, last_at, event_count) "
      "SELECT serial, MAX(at), COUNT(*) FROM events GROUP BY serial",
      "UPDATE radios SET last_kind = (SELECT e.kind FROM events e WHERE e.serial = radios.serial "
      "ORDER BY e.at DESC LIMIT 1), last_outcome = (SELECT e.outcome FROM events e "
      "WHERE e.serial = radios.serial ORDER BY e.at DESC LIMIT 1), "
      "search_text = COALESCE((SELECT {agg}(DISTINCT e.file{sep}) FROM events e "
      "WHERE e.serial = radios.serial AND e.file <> ''), '')"}},
};

std::string ForDialect(std::string_view statement, SqlDialect dialect)
{
    std::string sql(statement);
    const bool pg = dialect == SqlDialect::Postgres;
    const std::pair<std::string, std::string> words[] = {
        {"{blob}", pg ? "BYTEA" : "BLOB"},
        {"{agg}", pg ? "string_agg" : "group_concat"},
        {"{sep}", pg ? ", ' | '" : ""}};
    for (const auto &[token, word] : words) {
        for (std::size_t at = sql.find(token); at != std::string::npos; at = sql.find(token))
            sql.replace(at, token.size(), word);
    }
    return sql;
}

bool RunStep(SqlDatabase &db, const SchemaStep &step, std::string &why)
{
    if (!db.begin()) {
        why = db.lastError();
        return false;
    }
    // Another bench may have taken the step meanwhile.
    if (step.version > 1 && StoredSchemaVersion(db) >= step.version)
        return db.commit();
    for (std::string_view statement : step.statements) {
        if (statement.empty())
            break;
        if (!db.exec(ForDialect(statement, db.dialect()))) {
            why = db.lastError();
            db.rollback();
            return false;
        }
    }
    if (!db.exec("UPDATE history_schema SET version = ?", {static_cast<long long>(step.version)}) ||
        !db.commit()) {
        why = db.lastError();
        db.rollback();
        return false;
    }
    return true;
}

} // namespace

int StoredSchemaVersion(SqlDatabase &db)
{
    std::vector<SqlRow> rows;
    const char *probe =
        db.dialect() == SqlDialect::Postgres
            ? "SELECT COUNT(*) FROM information_schema.tables "
              "WHERE table_name = 'history_schema' AND table_schema = current_schema()"
            : "SELECT COUNT(*) FROM sqlite_master WHERE name = 'history_schema'";
    if (!db.exec(probe, {}, &rows) || rows.empty())
        return -1;
    if (SqlInt(rows[0][0]) == 0)
        return 0;
    rows.clear();
    if (!db.exec("SELECT MAX(version) FROM history_schema", {}, &rows) || rows.empty())
        return -1;
    return static_cast<int>(SqlInt(rows[0][0]));
}

bool UpgradeSchema(SqlDatabase &db, std::string &why, int target)
{
    const int stored = StoredSchemaVersion(db);
    if (stored < 0) {
        why = db.lastError();
        return false;
    }
    if (stored > HistorySchemaVersion) {
        why = "the history database was made by a newer version of the program (schema " +
              std::to_string(stored) + ")";
        return false;
    }
    for (const SchemaStep &step : SchemaSteps) {
        if (step.version > stored && step.version <= target && !RunStep(db, step, why))
            return false;
    }
    return true;
}
