#include "Command.h"
#include "Connection.h"
#include "DbError.h"

namespace db {

int Command::execute()
{
    if (!m_conn || !m_conn->isOpen()) throw DbError(QStringLiteral("Database non aperto"));
    return m_conn->execute(m_sql);
}

} // namespace db
