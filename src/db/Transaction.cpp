#include "Transaction.h"
#include "Connection.h"
#include "DbError.h"

namespace db {

Transaction::Transaction(Connection &c) : m_conn(c), m_level(c.transactionDepth())
{
    c.executeNative(m_level == 0 ? c.engine().beginTransactionSql() : QStringLiteral("SAVEPOINT sp%1").arg(m_level));
    c.setTransactionDepth(m_level + 1);
}

Transaction::~Transaction()
{
    if (m_open) {
        try {
            rollback();
        } catch (...) {
            // The connection may already be gone; nothing more can be done here.
        }
    }
}

void Transaction::commit()
{
    if (!m_open) return;
    m_conn.executeNative(m_level == 0 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE sp%1").arg(m_level));
    m_open = false;
    m_conn.setTransactionDepth(m_level);
}

void Transaction::rollback()
{
    if (!m_open) return;
    m_open = false;
    m_conn.setTransactionDepth(m_level);
    if (!m_conn.isOpen()) return;
    if (m_level == 0) {
        m_conn.executeNative(QStringLiteral("ROLLBACK"));
    } else {
        m_conn.executeNative(QStringLiteral("ROLLBACK TO sp%1").arg(m_level));
        m_conn.executeNative(QStringLiteral("RELEASE sp%1").arg(m_level));
    }
}

} // namespace db
