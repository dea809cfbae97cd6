#include "Fatture.h"

#include "common/Decimale.h"
#include "sales/services/Documenti.h"
#include "db/Connection.h"
#include "db/Transaction.h"

namespace acquisti {

using common::Decimale;

vendite::TabellaRighe tabellaRighe()
{
    return {QStringLiteral("Movimenti"), QStringLiteral("Fattura_ID"), QStringLiteral("conto_ID_Predefinito_su_FattureAcquisto_"),
            true};
}

vendite::Totali calcolaTotali(db::Connection &c, qint64 id)
{
    vendite::Totali t = vendite::calcolaTotali(c, tabellaRighe(), id);
    const Decimale ritenuta = Decimale::daVariant(
        c.scalar(QStringLiteral("select RitenutaAcconto from fattura where ID = :id"), {{QStringLiteral(":id"), id}}));
    t.totale = (Decimale::daDouble(t.imponibile) + Decimale::daDouble(t.imposta) - ritenuta).toDouble();
    return t;
}

vendite::Totali aggiornaTotali(db::Connection &c, qint64 id)
{
    return db::inTransaction(c, [&] {
        const vendite::Totali t = calcolaTotali(c, id);
        c.execute(QStringLiteral("update fattura set TotImponibile = :imponibile, TotImposta = :imposta, TotFattura = :totale "
                                 "where ID = :id"),
                  {{QStringLiteral(":imponibile"), t.imponibile},
                   {QStringLiteral(":imposta"), t.imposta},
                   {QStringLiteral(":totale"), t.totale},
                   {QStringLiteral(":id"), id}});
        return t;
    });
}

vendite::EsitoRighe salvaRighe(db::Connection &c, qint64 id, const std::function<bool()> &scrivi)
{
    return vendite::salvaRighe(c, id, scadenze::Genere::FatturaAcquisto, [&] { return aggiornaTotali(c, id); }, scrivi);
}

EsitoTestata salvaTestata(db::Connection &c, qint64 id, const std::function<bool()> &scrivi, bool ricostruisci,
                          bool scartaPagamenti)
{
    return db::inTransaction(c, [&] {
        EsitoTestata e;
        if (c.scalar(QStringLiteral("select count(*) from fattura where ID = :id"), {{QStringLiteral(":id"), id}}).toLongLong() == 0) {
            e.documentoMancante = true;
            return e;
        }
        if (scrivi && !scrivi()) {
            e.rifiutato = true;
            throw db::Annulla<EsitoTestata>{e};
        }
        if (ricostruisci) {
            e.scadenze = scadenze::generaScadenze(c, id, scadenze::Genere::FatturaAcquisto, false, scartaPagamenti);
            // The header's change and the schedule go together or not at all.
            if (e.scadenze.pagateConservate) {
                e.pagateConservate = true;
                throw db::Annulla<EsitoTestata>{e};
            }
        }
        e.salvato = true;
        return e;
    });
}

EsitoEliminazione eliminaFattura(db::Connection &c, qint64 id)
{
    const db::Params p = {{QStringLiteral(":id"), id}};
    return db::inTransaction(c, [&] {
        EsitoEliminazione e;
        if (c.scalar(QStringLiteral("select count(*) from fattura where ID = :id and Carico = true and FattNota = false"), p).toInt() == 0)
            return e;
        const auto cascata = vendite::eliminaDocumento(c, vendite::tipoDocumento(scadenze::Genere::FatturaAcquisto), id);
        e.primaNota = cascata.primaNota;
        e.scadenze = cascata.scadenze;
        e.righe = cascata.righe;
        e.eliminata = cascata.eliminata;
        return e;
    });
}

} // namespace acquisti
