#include "Totali.h"

#include "common/LineArithmetic.h"
#include "common/Rounding.h"
#include "db/Command.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QString>

namespace vendite {

namespace {

QString numero(double v) { return QString::number(v, 'g', 17); }

} // namespace

Totali calcolaTotaliFattura(db::Connection &c, qint64 idFattura)
{
    db::Query righe(&c);
    righe.setSql(QStringLiteral("select Um, ValoreUnitario, Sconto, AliquotaIva from fattdett where NumFatt = %1").arg(idFattura));
    righe.open();
    double netto = 0, iva = 0;
    for (righe.first(); !righe.eof(); righe.next()) {
        const db::Field um = righe.fieldByName(QStringLiteral("Um"));
        if (um.isNull()) continue;
        const double quantita = um.asFloat();
        const double prezzo = righe.fieldByName(QStringLiteral("ValoreUnitario")).asFloat();
        const double sconto = righe.fieldByName(QStringLiteral("Sconto")).asFloat();
        // The rate is taken as a whole number, as the invoice has always computed it.
        const int aliquota = righe.fieldByName(QStringLiteral("AliquotaIva")).asInteger();
        netto += common::TotaleRigaNetto(false, quantita, prezzo, sconto, 0, 0, 0);
        iva += common::TotaleImpostaRiga(false, quantita, prezzo, aliquota, sconto, 0, 0, 0);
    }
    Totali t;
    t.imponibile = common::Arrotonda2Decimali(netto);
    t.imposta = common::Arrotonda2Decimali(iva);
    t.totale = t.imponibile + t.imposta;
    return t;
}

Totali aggiornaTotaliFattura(db::Connection &c, qint64 idFattura)
{
    db::Transaction tr(c);
    const Totali t = calcolaTotaliFattura(c, idFattura);
    db::Command::execute(&c, QStringLiteral("update fattura set TotImponibile = %1, TotImposta = %2, TotFattura = %3 where ID = %4")
                                 .arg(numero(t.imponibile), numero(t.imposta), numero(t.totale))
                                 .arg(idFattura));
    tr.commit();
    return t;
}

} // namespace vendite
