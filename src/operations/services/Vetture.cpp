#include "Vetture.h"

#include "Cisterne.h"
#include "Rifornimento.h"
#include "common/Decimale.h"
#include "common/SqlText.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QDate>
#include <QStringList>

namespace vetture {

namespace {

// The exact sum of a column over the rows of `sql`, null when there is no row or every value is
// null (as SQL's Sum): the engine adds in binary doubles, which can miss the decimal sum.
QVariant somma(db::Connection &c, const QString &sql, qint64 idVettura, const QString &colonna)
{
    db::Query q(&c);
    q.setSql(sql);
    q.bind(QStringLiteral(":id"), idVettura);
    q.open();
    const int i = q.fieldIndex(colonna);
    common::Decimale totale;
    bool qualcosa = false;
    for (int r = 0; r < q.recordCount(); ++r) {
        const QVariant v = q.valueAt(r, i);
        if (v.isNull()) continue;
        totale += common::Decimale::daVariant(v);
        qualcosa = true;
    }
    return qualcosa ? QVariant(totale.toDouble()) : QVariant();
}

} // namespace

Totali totali(db::Connection &c, qint64 idVettura)
{
    Totali t;
    const QString carburante = QStringLiteral("SELECT Litri, Importo FROM VettureCarburante WHERE Vettura_ID = :id");
    t.litri = somma(c, carburante, idVettura, QStringLiteral("Litri"));
    t.carburante = somma(c, carburante, idVettura, QStringLiteral("Importo"));
    t.costi = somma(c, QStringLiteral("SELECT Importo FROM VettureCosti WHERE Vettura_ID = :id"), idVettura, QStringLiteral("Importo"));
    return t;
}

int targheUguali(db::Connection &c, const QString &targa, qint64 idVettura)
{
    return c.scalar(QStringLiteral("SELECT count(*) FROM Vetture where Targa = :targa and Id <> :id"),
                    {{":targa", targa}, {":id", idVettura}})
        .toInt();
}

QVariant kmUltimoRifornimento(db::Connection &c, qint64 idVettura)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("Select top 1 KmPartenza from VettureCarburante where Vettura_ID = :id order by Data desc"));
    q.bind(QStringLiteral(":id"), idVettura);
    q.open();
    if (q.isEmpty()) return QVariant();
    return q.fieldByName(QStringLiteral("KmPartenza")).value();
}

Eliminazione elimina(db::Connection &c, qint64 idVettura, bool lavoraCisterne)
{
    const db::Params p{{":id", idVettura}};
    // The refuellings' litres are summed and given back in the transaction that deletes them:
    // a refuelling saved at the same moment on another workstation makes one of the two run
    // again, so its litres are either given back with it or never taken.
    return db::inTransaction(c, [&] {
        Eliminazione e;
        e.schede = c.execute(QStringLiteral("DELETE FROM VettureSchede WHERE Vettura_ID = :id"), p);
        e.scadenze = c.execute(QStringLiteral("DELETE FROM VettureScadenze WHERE Vettura_ID = :id"), p);
        if (lavoraCisterne) e.litriRestituiti = cisterne::restituisciLitriVettura(c, idVettura).litri;
        e.rifornimenti = c.execute(QStringLiteral("DELETE FROM VettureCarburante WHERE Vettura_ID = :id"), p);
        e.costi = c.execute(QStringLiteral("DELETE FROM VettureCosti WHERE Vettura_ID = :id"), p);
        e.vetture = c.execute(QStringLiteral("DELETE FROM Vetture WHERE ID = :id"), p);
        return e;
    });
}

namespace {

QString prefisso(const QString &colonna, const QString &testo)
{
    if (testo.isEmpty() || testo == QLatin1String("*")) return QString();
    return colonna + QStringLiteral(" like '") + common::RaddoppiaApici(testo) + QStringLiteral("*'");
}

QString data(const QString &operatore, const QString &testo)
{
    // Only a complete day/month/year that is a real date; the filter reads it day first.
    const QString t = testo.trimmed();
    if (t.size() != 10) return QString();
    const QDate d = QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid()) return QString();
    return QStringLiteral("DataImmatricolazione ") + operatore + QStringLiteral(" #") + d.toString(QStringLiteral("dd/MM/yyyy"))
           + QStringLiteral("#");
}

} // namespace

QString filtroElenco(const Ricerca &r)
{
    QStringList condizioni;
    for (const QString &c : {prefisso(QStringLiteral("NumTelaio"), r.telaio), prefisso(QStringLiteral("VeicoloDesc"), r.tipoVeicolo),
                             data(QStringLiteral(">="), r.daData), data(QStringLiteral("<="), r.aData),
                             prefisso(QStringLiteral("Targa"), r.targa), prefisso(QStringLiteral("Modello"), r.marca)})
        if (!c.isEmpty()) condizioni << c;
    return condizioni.join(QStringLiteral(" and "));
}

} // namespace vetture
