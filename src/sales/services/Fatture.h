#pragma once
// The sales-invoice list's work without its window: the filter its search boxes give, the
// invoices whose customer order matches a text, and the deletion of an invoice with everything
// that depends on it.
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace db {
class Connection;
}

namespace vendite {

// What the list's search boxes hold, as typed. Keys 0 mean "no choice".
struct CriteriFatture {
    QString daData;   // "Dalla Data", day first (an empty mask "  /  /    " counts as empty)
    QString aData;    // "alla Data"
    QString daNumero; // "Dal numero"
    QString aNumero;  // "al numero"
    QString serie;    // "Serie"
    QString targa;    // "Targa", a prefix
    QString ordine;   // "num. Ordine", contained in a customer order's number
    qint64 cliente = 0;
    qint64 banca = 0;
    qint64 modPagamento = 0;
};

// The filter of Table3 in the dataset filter language, or the message for a box that holds a
// text which is no date or no whole number (then `filtro` is empty and must not be applied;
// `casella` names the box: "maskDaData", "maskAData", "txtDaNumero", "txtANumero").
struct FiltroFatture {
    QString filtro;
    QString errore;
    QString casella;
    bool valido() const { return errore.isEmpty(); }
};

// The conditions, in this order, each only when its box gives one, joined by " and ": from
// date, to date (that day included, whatever time a row carries), from number, plate prefix,
// customer order (when no order matches, everything gathered so far becomes "Id=0", so the
// list shows nothing), to number, customer, series, bank, payment method. "*" and empty boxes
// add nothing. Texts go in with their apostrophes doubled; dates and numbers are validated.
// Reads OrdiniClienti for the order box (bound value). Throws DbError.
FiltroFatture filtroRicerca(db::Connection &c, const CriteriFatture &criteri);

// The invoices (OrdiniClienti.Fattura_ID, in the order read, without repeats) that have a
// customer order whose number contains `testo`. Throws DbError.
QList<qint64> fattureConOrdine(db::Connection &c, const QString &testo);

// The check of the previous invoice's date: among the sales documents (any history state; the
// credit notes too when opzioni.NumerazioneUnicaNoteCredito joins the numbering; within
// `serie` when ditta.FatturazioneMultipla is set and a series is given) dated in the year of
// `data` with a number below `numero`, the highest-numbered one; its number when its date is
// later than `data`, else nothing. Every value is bound. With `notaCredito` the sequence is the
// credit notes' (the invoices join it only when the numbering is one). Throws DbError.
std::optional<qint64> precedenteConDataSuccessiva(db::Connection &c, qint64 numero, const QDate &data, const QString &serie,
                                                  bool notaCredito = false);

// What eliminaFattura did, row counts per table.
struct EsitoEliminazione {
    bool eliminata = false;    // the fattura row was there and is gone
    int preventiviLiberati = 0; // quotes no longer marked invoiced (PreventiTestata.Fatturato)
    int sequestriLiberati = 0;  // seizures unlinked (Fatturato false, Fattura_Id 0)
    int primaNota = 0;          // finanzia rows of the invoice and of its instalments
    int scadenze = 0;           // FatturaScadenze
    int righe = 0;              // fattdett
    int ordini = 0;             // OrdiniClienti
    int allegati = 0;           // Fattura_Allegati
    int collegamentiPreventivi = 0; // FatturaPreventiviRighe
    QStringList noteCredito;    // refused: the credit notes naming it ("n. 3 del 05/02/2026"); nothing changed
};

// Deletes the sales invoice `id` and everything that depends on it, in one transaction: its
// imported quotes count as not invoiced again, its seizures are unlinked, its cash-book rows
// (the document's and its instalments' payments), instalments, rows, customer orders,
// attachments and quote links are deleted, then the invoice. Nothing is left pointing at it.
// Refused, changing nothing, while credit notes name it (NCFattIDRif): they are listed in
// `noteCredito`. On the server run again when another workstation's work collides with it.
// Throws DbError (nothing changed).
EsitoEliminazione eliminaFattura(db::Connection &c, qint64 id);
// The message of a refused delete, naming the credit notes.
QString messaggioNoteCollegate(const QStringList &noteCredito);

} // namespace vendite
