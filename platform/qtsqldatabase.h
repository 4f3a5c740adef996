#pragma once

// The SQL connection over Qt SQL: the QSQLITE and QPSQL drivers.

#include "sqldatabase.h"

class QtSqlConnector : public SqlConnector
{
public:
    std::unique_ptr<SqlDatabase> open(const SqlConnection &where, std::string &why) override;
};
