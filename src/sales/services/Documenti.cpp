#include "Documenti.h"

#include "db/Connection.h"

namespace vendite {

TipoDocumento tipoDocumento(scadenze::Genere genere)
{
    using scadenze::Genere;
    switch (genere) {
    case Genere::FatturaVendita:
        return {genere, tabellaRighe(Righe::Fattura),
                {{QStringLiteral("OrdiniClienti"), QStringLiteral("Fattura_ID")},
                 {QStringLiteral("FatturaPreventiviRighe"), QStringLiteral("Fattura_ID")}}};
    case Genere::NotaCreditoVendita:
        return {genere, tabellaRighe(Righe::NotaCredito), {}};
    case Genere::FatturaAcquisto:
        return {genere,
                {QStringLiteral("Movimenti"), QStringLiteral("Fattura_ID"), QStringLiteral("conto_ID_Predefinito_su_FattureAcquisto_")},
                {}};
    case Genere::NotaCreditoAcquisto:
        return {genere,
                {QStringLiteral("NotaCreditoCaricoRighe"), QStringLiteral("NotaCredito_ID"),
                 QStringLiteral("conto_ID_Predefinito_su_NoteCreditoAcquisto_")},
                {}};
    }
    return {};
}

TipoDocumento tipoDocumento(Righe righe)
{
    return tipoDocumento(righe == Righe::NotaCredito ? scadenze::Genere::NotaCreditoVendita : scadenze::Genere::FatturaVendita);
}

EsitoEliminazioneDocumento eliminaDocumento(db::Connection &c, const TipoDocumento &tipo, qint64 id)
{
    const db::Params p = {{QStringLiteral(":id"), id}};
    EsitoEliminazioneDocumento e;
    // Table and column names come from the kinds' declarations above, never from a user.
    for (const auto &[tabella, colonna] : tipo.dipendenti)
        e.dipendenti << c.execute(QStringLiteral("delete from %1 where %2 = :id").arg(tabella, colonna), p);
    // The payments of its instalments go too, even a row that does not name the document.
    e.primaNota = c.execute(QStringLiteral("delete from finanzia where Fattura_ID = :id or FatturaScadenze_Id in "
                                           "(select Id from FatturaScadenze where Fattura_ID = :id)"),
                            p);
    e.scadenze = c.execute(QStringLiteral("delete from FatturaScadenze where Fattura_ID = :id"), p);
    e.righe = c.execute(QStringLiteral("delete from %1 where %2 = :id").arg(tipo.righe.tabella, tipo.righe.legame), p);
    // No attachment is left naming a document that is gone.
    e.allegati = c.execute(QStringLiteral("delete from Fattura_Allegati where Fattura_Id = :id"), p);
    e.eliminata = c.execute(QStringLiteral("delete from fattura where ID = :id"), p) > 0;
    return e;
}

} // namespace vendite
