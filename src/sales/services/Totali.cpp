#include "Totali.h"

#include "common/LineArithmetic.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QString>
#include <algorithm>
#include <vector>

namespace vendite {

using common::Decimale;

Totali calcolaTotaliFattura(db::Connection &c, qint64 idFattura) { return calcolaTotali(c, Righe::Fattura, idFattura); }

Totali calcolaTotali(db::Connection &c, Righe tipo, qint64 idDocumento) { return calcolaTotali(c, tabellaRighe(tipo), idDocumento); }

Totali calcolaTotali(db::Connection &c, const TabellaRighe &tr, qint64 idDocumento)
{
    db::Query righe(&c);
    righe.setSql(QStringLiteral("select %1.Um, %1.ValoreUnitario, %1.Sconto, %3%1.AliquotaIva, %1.Iva_ID, Iva.Pa_Natura_Codice "
                                "from %1 left join Iva on Iva.Id = %1.Iva_ID where %1.%2 = :id")
                     .arg(tr.tabella, tr.legame,
                          tr.quattroSconti ? QStringLiteral("%1.Sconto2, %1.Sconto3, %1.Sconto4, ").arg(tr.tabella) : QString()));
    righe.bind(QStringLiteral(":id"), idDocumento);
    righe.open();
    Riepilogo riepilogo;
    const db::Field um = righe.fieldByName(QStringLiteral("Um")), prezzo = righe.fieldByName(QStringLiteral("ValoreUnitario")),
                    sconto = righe.fieldByName(QStringLiteral("Sconto")), aliquota = righe.fieldByName(QStringLiteral("AliquotaIva")),
                    iva = righe.fieldByName(QStringLiteral("Iva_ID")), natura = righe.fieldByName(QStringLiteral("Pa_Natura_Codice"));
    // The further discounts of rows that have them; a missing column reads as no discount.
    const auto altroSconto = [&](const char *nome) {
        return tr.quattroSconti ? Decimale::daVariant(righe.fieldByName(QLatin1String(nome)).value()) : Decimale();
    };
    for (righe.first(); !righe.eof(); righe.next()) {
        if (um.isNull()) continue;
        riepilogo.aggiungi(Decimale::daVariant(aliquota.value()), natura.asString(), iva.asLargeInt(),
                           common::NettoRiga(Decimale::daVariant(um.value()), Decimale::daVariant(prezzo.value()),
                                             Decimale::daVariant(sconto.value()), altroSconto("Sconto2"), altroSconto("Sconto3"),
                                             altroSconto("Sconto4")));
    }
    return riepilogo.totali();
}

void Riepilogo::aggiungi(const Decimale &aliquota, const QString &natura, qint64 ivaId, const Decimale &netto)
{
    const QString n = natura.trimmed().toUpper();
    auto b = std::find_if(m_blocchi.begin(), m_blocchi.end(), [&](const Blocco &x) { return x.aliquota == aliquota && x.natura == n; });
    if (b == m_blocchi.end()) b = m_blocchi.insert(m_blocchi.end(), Blocco{aliquota, n, 0, {}});
    if (ivaId > 0 && (b->ivaId == 0 || ivaId < b->ivaId)) b->ivaId = ivaId;
    b->netto += netto;
}

Totali Riepilogo::totali() const
{
    std::vector<Blocco> blocchi = m_blocchi;
    std::sort(blocchi.begin(), blocchi.end(),
              [](const Blocco &x, const Blocco &y) { return x.aliquota != y.aliquota ? x.aliquota < y.aliquota : x.natura < y.natura; });
    Totali t;
    Decimale imponibile, imposta;
    for (const Blocco &b : blocchi) {
        RiepilogoIva r;
        r.aliquota = b.aliquota.toDouble();
        r.natura = b.natura;
        r.ivaId = b.ivaId;
        const Decimale netto = b.netto.centesimi();
        // The block's VAT on its exact net, rounded once.
        const Decimale iv = common::ImpostaSu(b.netto, b.aliquota).centesimi();
        r.imponibile = netto.toDouble();
        r.imposta = iv.toDouble();
        imponibile += netto;
        imposta += iv;
        t.riepilogo << r;
    }
    t.imponibile = imponibile.toDouble();
    t.imposta = imposta.toDouble();
    t.totale = (imponibile + imposta).toDouble();
    return t;
}

Totali aggiornaTotaliFattura(db::Connection &c, qint64 idFattura) { return aggiornaTotali(c, Righe::Fattura, idFattura); }

Totali aggiornaTotali(db::Connection &c, Righe righe, qint64 idFattura)
{
    return db::inTransaction(c, [&] {
        const Totali t = calcolaTotali(c, righe, idFattura);
        c.execute(QStringLiteral("update fattura set TotImponibile = :imponibile, TotImposta = :imposta, TotFattura = :totale where ID = :id"),
                  {{QStringLiteral(":imponibile"), t.imponibile},
                   {QStringLiteral(":imposta"), t.imposta},
                   {QStringLiteral(":totale"), t.totale},
                   {QStringLiteral(":id"), idFattura}});
        return t;
    });
}

} // namespace vendite
