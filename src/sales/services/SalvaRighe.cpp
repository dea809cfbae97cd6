#include "SalvaRighe.h"
#include "Documenti.h"

#include "db/Connection.h"
#include "db/Transaction.h"

namespace vendite {

EsitoRighe salvaRighe(db::Connection &c, Righe righe, qint64 id, const std::function<bool()> &scrivi)
{
    return salvaRighe(c, id, tipoDocumento(righe).genere, [&] { return aggiornaTotali(c, righe, id); }, scrivi);
}

EsitoRighe salvaRighe(db::Connection &c, qint64 id, scadenze::Genere genere, const std::function<Totali()> &totali,
                      const std::function<bool()> &scrivi)
{
    return db::inTransaction(c, [&] {
        EsitoRighe e;
        // Read in the transaction that writes the rows: a document deleted by another
        // workstation at the same moment never gets rows of nobody's.
        if (c.scalar(QStringLiteral("select count(*) from fattura where ID = :id"), {{QStringLiteral(":id"), id}}).toLongLong() == 0) {
            e.documentoMancante = true;
            return e;
        }
        // A partial write of a refusing `scrivi` is not kept: the transaction is rolled back.
        if (scrivi && !scrivi()) {
            e.rifiutato = true;
            throw db::Annulla<EsitoRighe>{e};
        }
        e.totali = totali();
        e.scadenze = scadenze::generaScadenze(c, id, genere, true);
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
