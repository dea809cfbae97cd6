#include "Transaction.h"
#include "Connection.h"
#include "DbError.h"

#include <QRandomGenerator>
#include <QThread>

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
    m_conn.committed(m_level);
}

void Transaction::rollback()
{
    if (!m_open) return;
    m_open = false;
    m_conn.setTransactionDepth(m_level);
    m_conn.rolledBack(m_level);
    if (!m_conn.isOpen()) return;
    if (m_level == 0) {
        m_conn.executeNative(QStringLiteral("ROLLBACK"));
    } else {
        m_conn.executeNative(QStringLiteral("ROLLBACK TO sp%1").arg(m_level));
        m_conn.executeNative(QStringLiteral("RELEASE sp%1").arg(m_level));
    }
}

namespace detail {

void attendiPrimaDiRiprovare(int tentativo)
{
    // 5-20 ms at the first retry, doubling: the other workstation finishes meanwhile, and two
    // that collided do not start again in step.
    const int base = 5 << qMin(tentativo - 1, 5);
    QThread::msleep(base + QRandomGenerator::global()->bounded(base * 3));
}

DbError conflittoPersistente(const DbError &ultimo)
{
    return DbError(QStringLiteral("Altre postazioni stanno modificando gli stessi dati: l'operazione è stata "
                                  "tentata %1 volte e annullata, nulla è stato salvato. Riprovare tra qualche istante.\n")
                           .arg(kTentativiTransazione)
                       + ultimo.message(),
                   DbError::Kind::Conflict);
}

} // namespace detail

} // namespace db
