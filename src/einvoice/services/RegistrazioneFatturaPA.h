#pragma once
// The booking of a supplier's FatturaPA file read by ImportazioneFatturaPA: the supplier found,
// created or refreshed with its town, the check that the file is addressed to this company,
// the document already booked found again, and each body written as a purchase invoice or a
// supplier credit note with its rows, VAT codes, payment method, instalments and totals.
// The whole file is one transaction; the one question is asked before it begins.
#include "ImportazioneFatturaPA.h"

#include <QList>
#include <QString>
#include <functional>

namespace db {
class Connection;
}

namespace importazione_fatturapa {

// Asks the user a Yes/No question; true for Yes.
using Domanda = std::function<bool(const QString &)>;

// The question about a file not addressed to this company, as the user reads it.
QString domandaDestinatario();

// True when the header names this company (`ditta`) as addressee: its PEC or SdI code as the
// delivery channel, or its tax code or VAT number as CessionarioCommittente. Blanks around the
// values and letter case do not count. Throws DbError.
bool indirizzataAllaDitta(db::Connection &c, const Intestazione &i);

struct FornitoreTrovato {
    qint64 id = 0;
    qint64 pagamentoId = 0; // the supplier's own payment method, 0 when none
    bool creato = false;
};

// The stored supplier with the file's VAT number or, failing that, tax code, compared without
// padding blanks; an empty identifier is never looked up. The lowest id when several match.
FornitoreTrovato cercaFornitore(db::Connection &c, const Soggetto &s);

// cercaFornitore; then, when `aggiorna` (the options' AggiornaAutomaticamenteInformazioniDaXml),
// the supplier is created or its columns rewritten from the file, its town found (or added for
// a foreign one), and a changed name copied into its documents. Runs in the caller's
// transaction. Throws DbError.
FornitoreTrovato registraFornitore(db::Connection &c, const Soggetto &s, bool aggiorna);

// The town of a seat: by province and town name, else by postcode in Comuni, else in Indirizzi;
// when none and the nation is not Italy and `aggiungi`, a new town flagged ImportatoXml. 0 when
// none. Throws DbError.
qint64 comuneDellaSede(db::Connection &c, const Soggetto &s, bool aggiungi);

// The document of the same supplier, kind, supplier's number and date already booked, 0 when
// none. Throws DbError.
qint64 documentoGiaImportato(db::Connection &c, qint64 idFornitore, Genere genere, const QString &numero, const QDate &data);

// What an import came to.
struct Risultato {
    bool riuscito = false;  // the file was read and its transaction committed
    bool rifiutato = false; // the user answered No to the addressee question: nothing written
    QString messaggio;      // the Italian text for the user on a fault
    qint64 idFornitore = 0;
    QList<qint64> documentiCreati;
    QList<qint64> documentiGiaPresenti;
    int corpiSaltati = 0; // bodies of a kind that is not booked
};

// Books a read document in one transaction: nothing is written when it fails or when the user
// answers No. `chiedi` is called at most once, before the transaction. Throws DbError only for
// the database's own errors (then nothing is written either).
Risultato registra(db::Connection &c, const Documento &d, const Domanda &chiedi);

// Reads a file's content (plain or signed) and books it; a file that cannot be read writes
// nothing and its Italian message is in `messaggio`.
Risultato importa(db::Connection &c, const QByteArray &contenuto, const Domanda &chiedi);
// The same for a file on disk.
Risultato importaFile(db::Connection &c, const QString &percorso, const Domanda &chiedi);

} // namespace importazione_fatturapa
