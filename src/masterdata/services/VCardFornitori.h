#pragma once
// The suppliers' side of the vCard exchange: their cards and their rules for the shared import
// engine (scambio_vcard::importa). The name travels in the family-name slot.
#include "VCardClienti.h"

namespace vcard_fornitori {

// The UID of a supplier's card: this prefix (the customers' letters in lower case) and its id.
inline const QString &PrefissoUid = vcard_clienti::PrefissoFornitori;

// The card of one supplier; nothing when there is no supplier with this id.
std::optional<common::Vcard4> scheda(db::Connection &c, qint64 id);
// The cards of the suppliers with these ids, in this order, as the text of one .vcf file.
QString esporta(db::Connection &c, const QList<qint64> &ids);

// The suppliers' rules of the import.
const scambio_vcard::Regole &regole();
// The cards into Fornitor and FornitorCategoria (see scambio_vcard::importa).
scambio_vcard::Esito importa(db::Connection &c, const QList<common::Vcard4> &schede, int azione,
                             const scambio_vcard::Domanda &salta);

} // namespace vcard_fornitori
