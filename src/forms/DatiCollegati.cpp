#include "DatiCollegati.h"

#include "db/Query.h"

namespace forms {

DatiCollegati::DatiCollegati(db::Query *testata, const QString &campoChiave, db::Query *righe,
                             std::function<QString(qint64)> sql, QObject *parent)
    : QObject(parent), m_testata(testata), m_campoChiave(campoChiave), m_righe(righe), m_sql(std::move(sql))
{
    // Every way the header can come to another row: moving, filtering or sorting, opening, and
    // a new row posted (whose key exists only then).
    for (auto segnale : {&db::Query::currentChanged, &db::Query::layoutReset, &db::Query::afterOpen, &db::Query::afterPost})
        connect(m_testata, segnale, this, &DatiCollegati::segui);
    if (m_testata->isActive()) rileggi();
}

qint64 DatiCollegati::chiaveTestata() const
{
    if (!m_testata->isActive() || m_testata->isEmpty()) return 0;
    return m_testata->fieldByName(m_campoChiave).asLargeInt();
}

void DatiCollegati::segui()
{
    if (chiaveTestata() != m_chiave) rileggi();
}

void DatiCollegati::rileggi()
{
    m_chiave = chiaveTestata();
    m_righe->close();
    m_righe->setSql(m_sql(m_chiave));
    m_righe->open();
    Q_EMIT riletti(m_chiave);
}

} // namespace forms
