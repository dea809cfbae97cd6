#pragma once
// What the customers and the suppliers ask of their tables alike: the other records holding a
// tax identifier, a category named by its description, the postcodes of a town.
#include <QStringList>
#include <QtGlobal>
#include <optional>

namespace db {
class Connection;
}

namespace anagrafiche {

// How many records of `tabella` other than `idEscluso` hold `valore` in `colonna` (the VAT
// number or the tax code). The value is bound: an apostrophe in it is a character like any other.
int contaDuplicati(db::Connection &c, const QString &tabella, const QString &colonna, const QString &valore,
                   qint64 idEscluso);

// The category of `tabellaCategorie` whose description is exactly `descrizione` (case counts),
// as the lists' search names it; nothing when there is none.
std::optional<qint64> idCategoria(db::Connection &c, const QString &tabellaCategorie, const QString &descrizione);

// The postcodes of a town's hamlets and streets (town by name), as the postcode button reads them.
QStringList capDelComune(db::Connection &c, const QString &comune);

} // namespace anagrafiche
