#pragma once
// The suppliers without windows: the duplicate tax identifiers and what a save of a supplier
// brings into the documents that copy its name.
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

namespace db {
class Connection;
}

namespace fornitori {

// How many other suppliers (Id not `idEscluso`) hold this VAT number / this tax code.
int duplicatiPartitaIva(db::Connection &c, const QString &partitaIva, qint64 idEscluso);
int duplicatiCodiceFiscale(db::Connection &c, const QString &codiceFiscale, qint64 idEscluso);

// The supplier's current name copied into every document that names it (purchase invoices and
// supplier credit notes, of every year, history rows included). Returns the rows changed.
int propagaNome(db::Connection &c, qint64 id);

// A supplier's save as one unit of work: the post of its row (`posta`, false when refused)
// and, when its name changed, the name into its documents. Nothing of it stays when the post
// is refused or a statement fails (DbError thrown).
struct EsitoSalvataggio {
    bool salvato = false;
    int documenti = 0; // documents that took the new name
};
EsitoSalvataggio salva(db::Connection &c, qint64 id, bool nomeModificato, const std::function<bool()> &posta);

// The supplier category whose description is exactly `descrizione`, as the list's search names it.
std::optional<qint64> idCategoria(db::Connection &c, const QString &descrizione);

} // namespace fornitori
