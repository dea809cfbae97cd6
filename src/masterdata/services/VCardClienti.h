#pragma once
// The vCard exchange of the master data, without widgets. The import is one engine with the
// rules of each list (which card is left out, which columns name its record, the question,
// the columns written); the customers' rules are here, the suppliers' follow the same shape with
// their own table, mapping and UID prefix.
#include "common/VCard.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace db {
class Connection;
}

namespace scambio_vcard {

// The id that a card's UID names in this archive: the list's own prefix followed by digits, or
// digits alone. When both lists' prefixes are the same letters, each list's exact spelling is
// its own and any other spelling (capitals) belongs to the list whose prefix is in lower case.
// The other list's prefix, any other text, or a number too long for an id name nothing: such a
// card is matched by its names, never by an id.
std::optional<qint64> idDaUid(const QString &uid, const QString &prefisso, const QString &prefissoAltrui);

// The street as our own export writes it, "street N°number": the street and the number apart.
// A street without " N°" is all street and no number.
struct Indirizzo {
    QString via;
    QString numero;
};
Indirizzo separaNumeroCivico(const QString &testo);

// One column of the list's table and the text a card gives it.
struct Valore {
    QString colonna;
    QString testo;
};

// What one list's import does differently.
struct Regole {
    QString tabella;          // the list's table (Clienti)
    QString tabellaCategorie; // its categories (ClientiCategoria), found or created by Descrizione; empty: none
    QString colonnaCitta;     // the town's name column (empty: none); Comune_id takes the town's key
    QString ordine;           // the first match in this order is the one updated
    QStringList colonneNome;  // every column `nome` may name
    QString prefissoUid;      // the UID prefix the list's export writes
    QString prefissoAltrui;   // the other list's prefix
    // The card is left out.
    std::function<bool(const common::Vcard4 &)> scarta;
    // The columns that name the card's record when its UID names no id (all must match);
    // empty when the card names no record: it is then always a new one.
    std::function<QList<Valore>(const common::Vcard4 &)> nome;
    // The question asked before a matched record is overwritten (Yes skips the card).
    std::function<QString(const common::Vcard4 &)> domanda;
    // The columns written, each only when the card fills it (the town and the category apart).
    std::function<QList<Valore>(const common::Vcard4 &)> valori;
};

// opzioni.AzioneImportazioneVCard: what the import does with a card that matches a record.
enum Azione { Chiedi = 0, Salta = 1, Aggiorna = 2 }; // any value but 0 and 1 updates
int azioneImportazione(db::Connection &c);

// Asks the question of a matched card; true skips the card.
using Domanda = std::function<bool(const QString &domanda)>;

struct Esito {
    QList<qint64> creati;     // ids of the records created, in file order
    QList<qint64> aggiornati; // ids of the records updated
    int saltati = 0;          // cards left out, skipped by the option or by the answer
};

// Imports the cards in file order: a card whose UID names an id looks that record up (one the
// table held before the import), any other the first record its names match; no match adds a
// record. With `Chiedi` every question is asked first, with no transaction open; then the whole
// file is written in one transaction (run again when the server cancels it), each card looked up
// in memory. A record that another workstation added after the questions, matching a card that
// was not asked about, stops the import with nothing written. Values are
// bound parameters; an empty slot never clears a stored value. A database error (or an exception
// from `salta`) rolls the whole file back and is thrown: nothing of the file is written.
Esito importa(db::Connection &c, const Regole &r, const QList<common::Vcard4> &schede, int azione, const Domanda &salta);

// The card of the record `id` that the export query `sql` (one bound :id, the record's key as
// "Ide") reads: each column of `mappa` into its slot, the UID as `prefissoUid` and the key when
// the key is above 0. Nothing when the query finds no row.
std::optional<common::Vcard4> scheda(db::Connection &c, const QString &sql, qint64 id,
                                     const QList<std::pair<const char *, int>> &mappa, const QString &prefissoUid);

// The cards of the records with these ids, in this order, as the text of one .vcf file (ids
// that name no record add nothing).
QString esporta(db::Connection &c, const QList<qint64> &ids,
                const std::function<std::optional<common::Vcard4>(db::Connection &, qint64)> &scheda);

} // namespace scambio_vcard

namespace vcard_clienti {

// The UID of a customer's card: this prefix and the customer's id.
inline const QString PrefissoUid = QStringLiteral("PellavantoriaC");
// The suppliers' prefix: the same letters in lower case.
inline const QString PrefissoFornitori = QStringLiteral("pellavantoriac");

// The card of one customer; nothing when there is no customer with this id.
std::optional<common::Vcard4> scheda(db::Connection &c, qint64 id);
// The cards of the customers with these ids, in this order, as the text of one .vcf file
// (ids that name no customer add nothing).
QString esporta(db::Connection &c, const QList<qint64> &ids);

// The customers' rules of the import.
const scambio_vcard::Regole &regole();
// The cards into Clienti and ClientiCategoria (see scambio_vcard::importa).
scambio_vcard::Esito importa(db::Connection &c, const QList<common::Vcard4> &schede, int azione,
                             const scambio_vcard::Domanda &salta);

} // namespace vcard_clienti
