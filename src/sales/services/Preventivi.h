#pragma once
// The quotes without a window: the list's search filter, a new quote numbered inside the
// transaction that stores it, the deletion of a quote with its rows, the rows made from tariffs
// and the free row, and the quote's totals from its stored rows.
#include "Totali.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace db {
class Connection;
class Query;
}

namespace vendite {

// ---------------------------------------------------------------- search

// What the quote list's search boxes hold, as typed.
struct CriteriPreventivi {
    QString cliente; // "Cliente", a prefix of the name stored in the quote
    QString numero;  // "Numero", a whole number
    QString daData;  // "Dalla Data", day first (the empty mask "  /  /    " counts as empty)
    QString aData;   // "alla Data"
    QString targa;   // "Targa", a prefix
};

// The filter of Table16 in the dataset filter language, or the message for a box that holds a
// text which is no date or no whole number (`filtro` is then empty and must not be applied;
// `casella` names the box: "Edit2", "maskDaData", "maskAData").
struct FiltroPreventivi {
    QString filtro;
    QString errore;
    QString casella;
    bool valido() const { return errore.isEmpty(); }
};

// The conditions, in this order, each only when its box gives one, joined by " and ": number,
// from date, to date (that day included, whatever time a row carries), customer prefix, plate
// prefix. Empty boxes and "*" add nothing; a date box counts once its trimmed text has 10
// characters (a date being typed is not yet a condition). Texts go in with their apostrophes
// doubled; dates and numbers are validated.
FiltroPreventivi filtroPreventivi(const CriteriPreventivi &criteri);

// ---------------------------------------------------------------- numbering, new quote, delete

// 1 + the highest Numero among the quotes not in history; 1 when there is none.
qint64 prossimoNumeroPreventivo(db::Connection &c);

struct NuovoPreventivo {
    // The quote's date. A new quote is always of the current year (Storico false) with its
    // next number, whatever period the list shows.
    QDate oggi;
    qint64 sequestro = 0; // a quote made for this seizure (Sequestri.Id), 0 for none
    // Called on the new row before it is stored, inside the transaction: the defaults kept for
    // "PreventiviTestata". The seizure's plate and dates are written after them.
    std::function<void(db::Query &nuovo)> valoriPredefiniti = {};
};

struct PreventivoCreato {
    qint64 id = 0;
    qint64 numero = 0;
};

// Stores a new quote in one transaction that holds the quote numbering's lock from the reading
// of the highest number to the commit: Numero, Data, Storico; for a seizure its plate
// (AutoTarga), entry (Data) and exit (DataDissequestro) dates, and the seizure linked to the
// new quote (Preventivo_Id and its label Preventivo_Descrizione "N - del dd/mm/yyyy"). Throws
// DbError (nothing stored), std::invalid_argument from a default value that does not convert.
PreventivoCreato nuovoPreventivo(db::Connection &c, const NuovoPreventivo &d);

// What eliminaPreventivo did, row counts per table.
struct EsitoEliminazionePreventivo {
    bool eliminato = false;    // the PreventiTestata row was there and is gone
    int righe = 0;             // PreventiRighe
    int sequestriLiberati = 0; // seizures no longer linked (Preventivo_Id and its label emptied)
};

// Deletes quote `id` with its rows in one transaction and unlinks the seizures that named it.
// The invoices that imported its rows keep those rows and their link rows: they are the
// invoice's own now. Throws DbError (nothing changed).
EsitoEliminazionePreventivo eliminaPreventivo(db::Connection &c, qint64 id);

// ---------------------------------------------------------------- rows

// What the rows take from their quote: its id, and the customer and date the editor holds now
// (the header may carry a customer just chosen and not stored yet).
struct TestataPreventivo {
    qint64 id = 0;
    qint64 cliente = 0;
    QVariant data = {}; // the quote's date; today when null
};

// The NumeroRiga of a new row of the quote: with opzioni.IncrementaNumeroRigaArticoli the
// quote's stored rows + 1, else 1.
int numeroNuovaRigaPreventivo(db::Connection &c, qint64 idPreventivo);

// One row per tariff (prezziar.Id), in the order given, in one transaction; returns the Id of
// the rows written in that order. Each row: quantity 1, "N", the tariff's description, code,
// price, final price (ValoreTotale, as the tariff has it), VAT rate and row, department, unit;
// dated with the quote's date (today without one). Discount: the tariff's, replaced by the
// customer's (Clienti.Sconto of `testata.cliente`, also when it is 0) unless the tariff has a
// fixed price (PrezzoImposto). TotaleImponibile: the net to the cent. Ids that are no tariff are
// skipped. Throws DbError (nothing written) when the quote does not exist.
QList<qint64> righeDaTariffePreventivo(db::Connection &c, const TestataPreventivo &testata, const QList<qint64> &tariffe);

// The row "Articolo non in archivio" ("A", code "00000", "Articolo da inserire"): quantity 1,
// unit price 1, the options' VAT rate and row (opzioni.AliquotaIva, Iva_Id), its gross 1 plus
// VAT at that rate (the rate with its decimals). Returns its Id. Throws DbError when the quote
// does not exist.
qint64 rigaLiberaPreventivo(db::Connection &c, const TestataPreventivo &testata);

// ---------------------------------------------------------------- totals

// The quote's totals by the rule of every sales document (vendite::calcolaTotali over
// PreventiRighe): TotImponibile, TotImposta, TotalePreventivo and the VAT summary; a quote and the
// invoice made from its rows have the same totals. Throws DbError.
using TotaliPreventivo = Totali;
TotaliPreventivo calcolaTotaliPreventivo(db::Connection &c, qint64 id);

} // namespace vendite
