#include "Totali.h"

#include "common/LineArithmetic.h"
#include "common/Rounding.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QString>
#include <map>
#include <utility>

namespace vendite {

Totali calcolaTotaliFattura(db::Connection &c, qint64 idFattura) { return calcolaTotali(c, Righe::Fattura, idFattura); }

Totali calcolaTotali(db::Connection &c, Righe tipo, qint64 idFattura)
{
    const TabellaRighe tr = tabellaRighe(tipo);
    db::Query righe(&c);
    righe.setSql(QStringLiteral("select Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID from %1 where %2 = :id").arg(tr.tabella, tr.legame));
    righe.bind(QStringLiteral(":id"), idFattura);
    righe.open();
    // The unrounded net of each rate and VAT row, in rate order.
    std::map<std::pair<double, qint64>, double> netti;
    for (righe.first(); !righe.eof(); righe.next()) {
        const db::Field um = righe.fieldByName(QStringLiteral("Um"));
        if (um.isNull()) continue;
        const double aliquota = righe.fieldByName(QStringLiteral("AliquotaIva")).asFloat();
        const qint64 iva = righe.fieldByName(QStringLiteral("Iva_ID")).asLargeInt();
        netti[{aliquota, iva}] += common::TotaleRigaNetto(false, um.asFloat(), righe.fieldByName(QStringLiteral("ValoreUnitario")).asFloat(),
                                                          righe.fieldByName(QStringLiteral("Sconto")).asFloat(), 0, 0, 0);
    }
    Totali t;
    double imponibile = 0, imposta = 0;
    for (const auto &[chiave, netto] : netti) {
        RiepilogoIva r;
        r.aliquota = chiave.first;
        r.ivaId = chiave.second;
        r.imponibile = common::Arrotonda2Decimali(netto);
        // The rate's VAT on its unrounded net, rounded once: what the printed summary shows for
        // the rate, so print and totals agree to the cent.
        r.imposta = r.aliquota > 0 ? common::Arrotonda2Decimali(netto * r.aliquota / 100) : 0;
        imponibile += r.imponibile;
        imposta += r.imposta;
        t.riepilogo << r;
    }
    // The sums of amounts in cents, brought back to the cent against the doubles' noise.
    t.imponibile = common::Arrotonda2Decimali(imponibile);
    t.imposta = common::Arrotonda2Decimali(imposta);
    t.totale = common::Arrotonda2Decimali(t.imponibile + t.imposta);
    return t;
}

Totali aggiornaTotaliFattura(db::Connection &c, qint64 idFattura) { return aggiornaTotali(c, Righe::Fattura, idFattura); }

Totali aggiornaTotali(db::Connection &c, Righe righe, qint64 idFattura)
{
    db::Transaction tr(c);
    const Totali t = calcolaTotali(c, righe, idFattura);
    c.execute(QStringLiteral("update fattura set TotImponibile = :imponibile, TotImposta = :imposta, TotFattura = :totale where ID = :id"),
              {{QStringLiteral(":imponibile"), t.imponibile},
               {QStringLiteral(":imposta"), t.imposta},
               {QStringLiteral(":totale"), t.totale},
               {QStringLiteral(":id"), idFattura}});
    tr.commit();
    return t;
}

} // namespace vendite
