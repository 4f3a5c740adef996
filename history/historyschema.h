#pragma once

// The history's tables, one schema for SQLite and PostgreSQL, created and upgraded by the
// program step by step; the version reached is kept in the database.

#include "sqldatabase.h"

#include <string>

constexpr int HistorySchemaVersion = 2;

// The version the database holds; 0 when it has no history tables yet, -1 when unreadable.
int StoredSchemaVersion(SqlDatabase &db);

// Brings the database to the version given (each step in a transaction of its own). False
// with why when a step fails or the database is newer than this program.
bool UpgradeSchema(SqlDatabase &db, std::string &why, int target = HistorySchemaVersion);
