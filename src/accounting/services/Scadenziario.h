#pragma once
// The due-date schedule and the instalment editor without their windows: the query of each of
// the schedule's four views, the filter its boxes give, which rows are overdue, and the save of
// one instalment together with its cash-book payment row as one unit of work.
#include <QDate>
#include <QString>
#include <QtGlobal>
#include <functional>

namespace db {
class Connection;
}

namespace scadenziario {

// The four views of the main window's "Scadenziario" tab: open or paid instalments of the
// customers' documents (Tipo neither 'C' nor 'B') or of the suppliers' ('C' or 'B').
enum class Vista { ScadenzeClienti, PagamentiClienti, ScadenzeFornitori, PagamentiFornitori };

// The view's statement for TableCercaFattureScadenze: one row per instalment, left-joined to
// supplier, customer, payment method, bank and document, ordered by due date and number.
QString sqlVista(Vista v);
// The view's list caption ("Scadenziario Clienti" ...).
QString titoloVista(Vista v);
// True for the two suppliers' views.
bool vistaFornitori(Vista v);

// What the schedule's filter boxes hold, as typed.
struct CriteriRicerca {
    QString daScadenza;
    QString aScadenza;
    QString cliente;
    QString fornitore;
    QString modPagamento;
    QString dettagli;
    QString iban;
    QString numeroDocumento;
    QString serie;
};

// The dataset filter, or the message for a box whose text cannot be placed (then `filtro` is
// empty and must not be applied: the filter in force stays).
struct FiltroRicerca {
    QString filtro;
    QString errore;
    bool valido() const { return errore.isEmpty(); }
};

// The conditions joined by " and ", in the boxes' order. A date box without digits (empty, or
// the mask's blanks) adds nothing; one with digits must hold a whole real day-first date. The
// end date covers its whole day. Text boxes empty or "*" add nothing, the others a prefix match
// with apostrophes doubled. The document number must be a whole number.
FiltroRicerca filtroRicerca(const CriteriRicerca &c);

// An instalment is overdue when it is not paid and its due day is before today (one due today
// is not).
bool scaduta(bool pagato, const QDate &scadenza, const QDate &oggi);

// What a save did.
struct EsitoSalvataggio {
    bool salvato = false;      // false: the post was refused and nothing was written
    bool pagata = false;       // the stored instalment has a payment date
    qint64 rigaPrimaNota = 0;  // finanzia.ID of its payment row written (0 none)
    int righeEliminate = 0;    // cash-book rows of its payment deleted
};

// The save of instalment `id` as one transaction: `posta` stores the row as edited (false when
// refused: nothing stays), then the paid state follows the stored payment date (Pagato set;
// without a date Pagato cleared and Finanzia_id emptied) and, with
// opzioni.DuplicaFatturazioneInPrimaNota, its one cash-book row is written or rewritten through
// scadenze::scriviRigaPagamento (no customer or supplier stays null), or every row of its
// payment deleted when it has no date. The old row goes only together with the new state: a
// statement that fails rolls everything back, the instalment's post included (DbError thrown).
// An instalment stored without a due date is refused the same way (DbError, nothing stays).
EsitoSalvataggio salvaScadenza(db::Connection &c, qint64 id, const std::function<bool()> &posta);

} // namespace scadenziario
