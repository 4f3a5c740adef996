#pragma once

// The radio history in an SQL database: events stored whole or not at all, each distinct
// image once, and the questions the window and the tool ask of it.

#include "radioevent.h"
#include "sqldatabase.h"

#include <optional>
#include <string>
#include <vector>

class HistoryStore
{
public:
    explicit HistoryStore(SqlDatabase &db) : m_db(db) {}

    // Stores the event in one transaction; an event whose key is stored already counts as
    // stored (added tells which). False with lastError() and nothing stored.
    bool addEvent(const RadioEvent &event, bool *added = nullptr);

    // Radios whose serial number, customer, note, or any event's labels or file name contain
    // the text, or with an event on a date that starts with it (all radios for ""), newest
    // first.
    std::optional<std::vector<RadioSummary>> findRadios(const std::string &text);
    // A radio's events, newest first, without their image and report bytes.
    std::optional<std::vector<RadioEvent>> timeline(const std::string &serial);
    std::optional<std::vector<std::uint8_t>> image(const std::string &hash);
    std::optional<std::vector<std::uint8_t>> report(const std::string &eventKey);
    bool setRadioNote(const std::string &serial, const std::string &customer,
                      const std::string &note);
    // Every event, oldest first, for the export.
    std::optional<std::vector<RadioEvent>> allEvents();

    long long count(const std::string &table);
    const std::string &lastError() const { return m_error; }

private:
    bool Fail();
    bool AddSearchText(const RadioEvent &event);
    bool Query(const std::string &sql, const std::vector<SqlValue> &params,
               std::vector<SqlRow> &rows);

    SqlDatabase &m_db;
    std::string m_error;
};
