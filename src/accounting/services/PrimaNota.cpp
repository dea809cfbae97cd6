#include "PrimaNota.h"

#include "common/Decimale.h"
#include "db/Query.h"

#include <QString>
#include <cmath>

namespace primanota {

qint64 centesimi(const QVariant &importo)
{
    if (importo.isNull() || !importo.isValid()) return 0;
    bool ok = false;
    const double v = importo.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return 0;
    if (std::fabs(v) >= 1e26) return 0;
    return common::Decimale::daDouble(v).centesimiInteri();
}

void Sommatore::aggiungi(const QVariant &entrata, const QVariant &uscita)
{
    m_entrate += centesimi(entrata);
    m_uscite += centesimi(uscita);
}

Totali Sommatore::totali() const
{
    Totali t;
    t.entrate = double(m_entrate) / 100.0;
    t.uscite = double(m_uscite) / 100.0;
    t.saldo = double(m_entrate - m_uscite) / 100.0;
    return t;
}

namespace {

// Cents of income minus outgoings of the rows dated before `giorno` (a day's start: a row at
// any time of the day before counts, one at midnight of `giorno` does not).
qint64 movimentiPrima(db::Connection &c, const QDate &giorno, const QString &condizione, const QVariant &banca)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select Entrata, Uscita from finanzia where Data < :giorno") + condizione);
    q.bind(QStringLiteral(":giorno"), QDateTime(giorno, QTime(0, 0)));
    if (banca.isValid()) q.bind(QStringLiteral(":banca"), banca);
    q.open();
    Sommatore s;
    for (q.first(); !q.eof(); q.next())
        s.aggiungi(q.fieldByName(QStringLiteral("Entrata")).value(), q.fieldByName(QStringLiteral("Uscita")).value());
    return s.centesimiEntrate() - s.centesimiUscite();
}

qint64 primoValore(db::Connection &c, const QString &sql, const QVariant &chiave)
{
    db::Query q(&c);
    q.setSql(sql);
    if (chiave.isValid()) q.bind(QStringLiteral(":id"), chiave);
    q.open();
    if (q.eof()) return 0;
    return centesimi(q.value(0));
}

} // namespace

double saldoIniziale(db::Connection &c, const QDate &primoGiorno)
{
    const qint64 partenza = primoValore(c, QStringLiteral("select SaldoInizialePrimaNota from opzioni"), QVariant());
    return double(partenza + movimentiPrima(c, primoGiorno, QString(), QVariant())) / 100.0;
}

double saldoInizialeBanca(db::Connection &c, qint64 banca, const QDate &primoGiorno)
{
    const qint64 partenza = primoValore(c, QStringLiteral("select SaldoInizioAnno from Bank where Id = :id"), banca);
    return double(partenza + movimentiPrima(c, primoGiorno, QStringLiteral(" and Banca_ID = :banca"), banca)) / 100.0;
}

} // namespace primanota
