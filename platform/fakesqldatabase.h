#pragma once

// A double of the SQL connection: forwards to a real one and fails on demand, as a server
// that goes away would.

#include "sqldatabase.h"

#include <functional>
#include <memory>

struct SqlOutage {
    bool down = false;                  // every open and statement fails
    bool loseCommitReply = false;       // the next commit is carried out but reported as failed
    std::function<void()> beforeCommit; // e.g. stops a real server
    int opens = 0;
    int commits = 0;
};

class FlakySqlConnector : public SqlConnector
{
public:
    FlakySqlConnector(SqlConnector &real, SqlOutage &outage) : m_real(real), m_outage(outage) {}
    std::unique_ptr<SqlDatabase> open(const SqlConnection &where, std::string &why) override;

private:
    SqlConnector &m_real;
    SqlOutage &m_outage;
};
