#include "Fornitori.h"
#include "Anagrafiche.h"

#include "db/Connection.h"
#include "db/Transaction.h"

namespace fornitori {

int duplicatiPartitaIva(db::Connection &c, const QString &partitaIva, qint64 idEscluso)
{
    return anagrafiche::contaDuplicati(c, QStringLiteral("Fornitor"), QStringLiteral("Iva"), partitaIva, idEscluso);
}

int duplicatiCodiceFiscale(db::Connection &c, const QString &codiceFiscale, qint64 idEscluso)
{
    return anagrafiche::contaDuplicati(c, QStringLiteral("Fornitor"), QStringLiteral("CodFiscale"), codiceFiscale, idEscluso);
}

int propagaNome(db::Connection &c, qint64 id)
{
    return db::inTransaction(c, [&] {
        const int n = c.execute(QStringLiteral("UPDATE fattura INNER JOIN Fornitor ON fattura.Fornitore_ID = Fornitor.Id "
                                               "SET fattura.Fornitore = [Fornitor].[Fornitore] where Fornitor.Id = :id"),
                                {{":id", id}});
        return n;
    });
}

EsitoSalvataggio salva(db::Connection &c, qint64 id, bool nomeModificato, const std::function<bool()> &posta)
{
    return db::inTransaction(c, [&] {
        EsitoSalvataggio e;
        if (!posta()) throw db::Annulla<EsitoSalvataggio>{e}; // rolled back
        if (nomeModificato) e.documenti = propagaNome(c, id);
        e.salvato = true;
        return e;
    });
}

std::optional<qint64> idCategoria(db::Connection &c, const QString &descrizione)
{
    return anagrafiche::idCategoria(c, QStringLiteral("FornitorCategoria"), descrizione);
}

} // namespace fornitori
