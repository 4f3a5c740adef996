#include "historystore.h"

#include "sha256.h"

namespace
{

constexpr char EventColumns[] = "event_key, serial, at, kind, bench, port, version, outcome, "
                                "detail, file, labels, image, report IS NOT NULL";

SqlValue Text(const std::string &text)
{
    return text;
}

RadioEvent EventOf(const SqlRow &row)
{
    RadioEvent e;
    e.key = SqlText(row[0]);
    e.serial = SqlText(row[1]);
    e.at = SqlText(row[2]);
    e.kind = SqlText(row[3]);
    e.bench = SqlText(row[4]);
    e.port = SqlText(row[5]);
    e.version = SqlText(row[6]);
    e.outcome = SqlText(row[7]);
    e.detail = SqlText(row[8]);
    e.file = SqlText(row[9]);
    e.labels = SqlText(row[10]);
    e.imageHash = SqlText(row[11]);
    e.hasReport = SqlInt(row[12]) != 0 || SqlText(row[12]) == "true";
    return e;
}

// LIKE with the text taken literally.
std::string LikePattern(const std::string &text)
{
    std::string pattern = "%";
    for (char c : text) {
        if (c == '%' || c == '_' || c == '!')
            pattern += '!';
        pattern += c;
    }
    return pattern + "%";
}

} // namespace

bool HistoryStore::Fail()
{
    m_error = m_db.lastError();
    m_db.rollback();
    return false;
}

bool HistoryStore::Query(const std::string &sql, const std::vector<SqlValue> &params,
                         std::vector<SqlRow> &rows)
{
    if (m_db.exec(sql, params, &rows))
        return true;
    m_error = m_db.lastError();
    return false;
}

// Labels and file names are searched in the radio's row, which holds each one once: a
// search reads 2,000 radios instead of 100,000 events.
bool HistoryStore::AddSearchText(const RadioEvent &event)
{
    std::vector<SqlRow> rows;
    if (!m_db.exec("SELECT search_text FROM radios WHERE serial = ?", {event.serial}, &rows) ||
        rows.empty())
        return false;
    std::string text = SqlText(rows[0][0]);
    const std::size_t before = text.size();
    for (const std::string *part : {&event.labels, &event.file}) {
        if (!part->empty() && text.find(*part) == std::string::npos)
            text += (text.empty() ? "" : " | ") + *part;
    }
    return text.size() == before ||
           m_db.exec("UPDATE radios SET search_text = ? WHERE serial = ?", {text, event.serial});
}

bool HistoryStore::addEvent(const RadioEvent &event, bool *added)
{
    if (added != nullptr)
        *added = false;
    if (!m_db.begin())
        return Fail();
    std::vector<SqlRow> rows;
    if (!m_db.exec("SELECT COUNT(*) FROM events WHERE event_key = ?", {Text(event.key)}, &rows) ||
        rows.empty())
        return Fail();
    if (SqlInt(rows[0][0]) > 0) // sent before, its answer lost
        return m_db.commit() || Fail();

    SqlValue imageHash;
    if (!event.image.empty()) {
        const std::string hash = Sha256Hex(event.image);
        imageHash = hash;
        if (!m_db.exec(
                "INSERT INTO images (hash, bytes) VALUES (?, ?) ON CONFLICT (hash) DO NOTHING",
                {hash, event.image}))
            return Fail();
    }
    SqlValue report;
    if (!event.report.empty())
        report = event.report;
    const bool ok =
        m_db.exec(
            "INSERT INTO events (event_key, serial, at, kind, bench, port, version, outcome, "
            "detail, file, labels, image, report) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {Text(event.key), Text(event.serial), Text(event.at), Text(event.kind),
             Text(event.bench), Text(event.port), Text(event.version), Text(event.outcome),
             Text(event.detail), Text(event.file), Text(event.labels), imageHash, report}) &&
        m_db.exec("INSERT INTO radios (serial) VALUES (?) ON CONFLICT (serial) DO NOTHING",
                  {Text(event.serial)}) &&
        m_db.exec("UPDATE radios SET event_count = event_count + 1 WHERE serial = ?",
                  {Text(event.serial)}) &&
        AddSearchText(event) &&
        m_db.exec("UPDATE radios SET last_at = ?, last_kind = ?, last_outcome = ? "
                  "WHERE serial = ? AND last_at <= ?",
                  {Text(event.at), Text(event.kind), Text(event.outcome), Text(event.serial),
                   Text(event.at)});
    if (!ok || !m_db.commit())
        return Fail();
    if (added != nullptr)
        *added = true;
    return true;
}

std::optional<std::vector<RadioSummary>> HistoryStore::findRadios(const std::string &text)
{
    std::string sql = "SELECT serial, customer, note, last_at, last_kind, last_outcome, "
                      "event_count FROM radios";
    std::vector<SqlValue> params;
    if (!text.empty()) {
        const std::string like = LikePattern(text);
        // Dates are searched from their start ("2026-03"), over the index of event times.
        sql += " WHERE serial LIKE ? ESCAPE '!' OR customer LIKE ? ESCAPE '!' "
               "OR note LIKE ? ESCAPE '!' OR search_text LIKE ? ESCAPE '!' "
               "OR serial IN (SELECT serial FROM events WHERE at >= ? AND at < ?)";
        params.assign(4, like);
        params.push_back(text);
        params.push_back(text + "~");
    }
    sql += " ORDER BY last_at DESC, serial";
    std::vector<SqlRow> rows;
    if (!Query(sql, params, rows))
        return std::nullopt;
    std::vector<RadioSummary> radios;
    for (const SqlRow &row : rows)
        radios.push_back({SqlText(row[0]), SqlText(row[1]), SqlText(row[2]), SqlText(row[3]),
                          SqlText(row[4]), SqlText(row[5]), SqlInt(row[6])});
    return radios;
}

std::optional<std::vector<RadioEvent>> HistoryStore::timeline(const std::string &serial)
{
    std::vector<SqlRow> rows;
    if (!Query(std::string("SELECT ") + EventColumns +
                   " FROM events WHERE serial = ? ORDER BY at DESC, event_key DESC",
               {serial}, rows))
        return std::nullopt;
    std::vector<RadioEvent> events;
    for (const SqlRow &row : rows)
        events.push_back(EventOf(row));
    return events;
}

std::optional<std::vector<RadioEvent>> HistoryStore::allEvents()
{
    std::vector<SqlRow> rows;
    if (!Query(std::string("SELECT ") + EventColumns + " FROM events ORDER BY at, event_key", {},
               rows))
        return std::nullopt;
    std::vector<RadioEvent> events;
    for (const SqlRow &row : rows)
        events.push_back(EventOf(row));
    return events;
}

std::optional<std::vector<std::uint8_t>> HistoryStore::image(const std::string &hash)
{
    std::vector<SqlRow> rows;
    if (!Query("SELECT bytes FROM images WHERE hash = ?", {hash}, rows) || rows.empty())
        return std::nullopt;
    return SqlBlob(rows[0][0]);
}

std::optional<std::vector<std::uint8_t>> HistoryStore::report(const std::string &eventKey)
{
    std::vector<SqlRow> rows;
    if (!Query("SELECT report FROM events WHERE event_key = ?", {eventKey}, rows) || rows.empty() ||
        std::holds_alternative<std::monostate>(rows[0][0]))
        return std::nullopt;
    return SqlBlob(rows[0][0]);
}

bool HistoryStore::setRadioNote(const std::string &serial, const std::string &customer,
                                const std::string &note)
{
    if (!m_db.begin())
        return Fail();
    if (!m_db.exec("INSERT INTO radios (serial) VALUES (?) ON CONFLICT (serial) DO NOTHING",
                   {serial}) ||
        !m_db.exec("UPDATE radios SET customer = ?, note = ? WHERE serial = ?",
                   {customer, note, serial}) ||
        !m_db.commit())
        return Fail();
    return true;
}

long long HistoryStore::count(const std::string &table)
{
    std::vector<SqlRow> rows;
    if (!Query("SELECT COUNT(*) FROM " + table, {}, rows) || rows.empty())
        return -1;
    return SqlInt(rows[0][0]);
}
