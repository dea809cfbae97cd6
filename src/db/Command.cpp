#include "Command.h"
#include "Connection.h"
#include "DbError.h"

namespace db {

void Command::setSql(const QString &accessSql)
{
    m_sql = accessSql;
    m_params.clear();
}

Command &Command::bind(const QString &name, const QVariant &value)
{
    setParam(m_params, name, value);
    return *this;
}

int Command::execute()
{
    if (!m_conn || !m_conn->isOpen()) throw DbError(QStringLiteral("Database non aperto"));
    return m_conn->execute(m_sql, m_params);
}

int Command::execute(Connection *conn, const QString &accessSql, const Params &params)
{
    Command c(conn, accessSql);
    c.m_params = params;
    return c.execute();
}

} // namespace db
