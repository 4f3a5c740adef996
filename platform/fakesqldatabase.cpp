#include "fakesqldatabase.h"

namespace
{

class FlakySqlDatabase : public SqlDatabase
{
public:
    FlakySqlDatabase(std::unique_ptr<SqlDatabase> real, SqlOutage &outage)
        : m_real(std::move(real)), m_outage(outage)
    {
    }
    SqlDialect dialect() const override { return m_real->dialect(); }
    bool exec(const std::string &sql, const std::vector<SqlValue> &params,
              std::vector<SqlRow> *rows) override
    {
        return !m_outage.down && m_real->exec(sql, params, rows);
    }
    bool begin() override { return !m_outage.down && m_real->begin(); }
    bool commit() override
    {
        if (m_outage.beforeCommit)
            m_outage.beforeCommit();
        if (m_outage.down)
            return false;
        const bool ok = m_real->commit();
        ++m_outage.commits;
        if (ok && m_outage.loseCommitReply) {
            m_outage.loseCommitReply = false;
            return false;
        }
        return ok;
    }
    bool rollback() override { return !m_outage.down && m_real->rollback(); }
    std::string lastError() const override
    {
        return m_outage.down ? std::string("server closed the connection") : m_real->lastError();
    }

private:
    std::unique_ptr<SqlDatabase> m_real;
    SqlOutage &m_outage;
};

} // namespace

std::unique_ptr<SqlDatabase> FlakySqlConnector::open(const SqlConnection &where, std::string &why)
{
    ++m_outage.opens;
    if (m_outage.down) {
        why = "could not connect to server";
        return nullptr;
    }
    std::unique_ptr<SqlDatabase> real = m_real.open(where, why);
    if (!real)
        return nullptr;
    return std::make_unique<FlakySqlDatabase>(std::move(real), m_outage);
}
