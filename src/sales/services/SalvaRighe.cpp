#include "SalvaRighe.h"
#include "Documenti.h"

#include "Preventivi.h"

#include "db/Connection.h"
#include "db/Transaction.h"

namespace vendite {

namespace {

// Inside the transaction: the document is there and `scrivi` did not refuse. Read in the
// transaction that writes the rows, so a document deleted by another workstation at the same
// moment never gets rows of nobody's; a refusing `scrivi` rolls back what it wrote.
bool scriviSeEsiste(db::Connection &c, const QString &tabella, qint64 id, const std::function<bool()> &scrivi, EsitoRighe &e)
{
    if (c.scalar(QStringLiteral("select count(*) from %1 where ID = :id").arg(tabella), {{QStringLiteral(":id"), id}}).toLongLong()
        == 0) {
        e.documentoMancante = true;
        return false;
    }
    if (scrivi && !scrivi()) {
        e.rifiutato = true;
        throw db::Annulla<EsitoRighe>{e};
    }
    return true;
}

} // namespace

EsitoRighe salvaRighe(db::Connection &c, Righe righe, qint64 id, const std::function<bool()> &scrivi)
{
    return salvaRighe(c, id, tipoDocumento(righe).genere, [&] { return aggiornaTotali(c, righe, id); }, scrivi);
}

EsitoRighe salvaRighe(db::Connection &c, qint64 id, scadenze::Genere genere, const std::function<Totali()> &totali,
                      const std::function<bool()> &scrivi)
{
    return db::inTransaction(c, [&] {
        EsitoRighe e;
        if (!scriviSeEsiste(c, QStringLiteral("fattura"), id, scrivi, e)) return e;
        e.totali = totali();
        e.scadenze = scadenze::generaScadenze(c, id, genere, true);
        e.salvato = true;
        return e;
    });
}

EsitoRighe salvaRighePreventivo(db::Connection &c, qint64 id, const std::function<bool()> &scrivi)
{
    return db::inTransaction(c, [&] {
        EsitoRighe e;
        if (!scriviSeEsiste(c, QStringLiteral("PreventiTestata"), id, scrivi, e)) return e;
        e.totali = calcolaTotaliPreventivo(c, id);
        c.execute(QStringLiteral("update PreventiTestata set TotImponibile = :imponibile, TotImposta = :imposta, "
                                 "TotalePreventivo = :totale where ID = :id"),
                  {{QStringLiteral(":imponibile"), e.totali.imponibile},
                   {QStringLiteral(":imposta"), e.totali.imposta},
                   {QStringLiteral(":totale"), e.totali.totale},
                   {QStringLiteral(":id"), id}});
        e.salvato = true;
        return e;
    });
}

QString messaggioDocumentoMancante()
{
    return QStringLiteral("Il documento non esiste più nell'archivio: forse è stato eliminato da un'altra postazione. "
                          "Le modifiche non sono state salvate.");
}

} // namespace vendite
