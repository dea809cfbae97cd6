#pragma once
// The instalment schedule of a document (FatturaScadenze) from its payment method, for the four
// kinds of document, and its mirror in the cash book (finanzia) when documents are mirrored
// there (opzioni.DuplicaFatturazioneInPrimaNota).
#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace db {
class Connection;
}

namespace scadenze {

// The kind of a fattura row (its Carico and FattNota flags).
enum class Genere {
    FatturaVendita,      // Carico false, FattNota false; instalments "F", cash-book row "1"
    NotaCreditoVendita,  // Carico false, FattNota true;  "N", "2"
    FatturaAcquisto,     // Carico true,  FattNota false; "C", "3"
    NotaCreditoAcquisto, // Carico true,  FattNota true;  "B", "4"
};

Genere genereDocumento(bool carico, bool fattNota);

// What a run did. Ids are FatturaScadenze.Id and finanzia.ID.
struct Esito {
    // False when nothing was built: no such document, no payment method or a method that no
    // longer exists (after a rebuild the document then has no instalments), or a rebuild
    // refused because of paid instalments (pagateConservate).
    bool eseguito = false;
    // A rebuild was asked without leave to discard payments while the document has paid
    // instalments: nothing was changed.
    bool pagateConservate = false;
    // An update found paid instalments that leave nothing to share on the open ones: they
    // exceed the new total, or every instalment is paid and the total changed. Nothing was
    // changed; the amounts say why (cents).
    bool pagateNonRipartibili = false;
    qint64 totaleCentesimi = 0;
    qint64 pagatoCentesimi = 0;
    int scadenzeEliminate = 0;
    QList<qint64> scadenzeInserite;   // in instalment order
    QList<qint64> scadenzeAggiornate; // in instalment order
    int primaNotaEliminate = 0;       // cash-book rows deleted
    qint64 rigaDocumento = 0;         // the document's cash-book row written (also fattura.Finanzia_id), 0 none
    QList<qint64> righePagamento;     // cash-book rows written for instalments paid at issue
};

// True when an instalment of the document has been paid (a payment date, or marked paid),
// not counting the one instalment a method without instalments marks paid at issue on its
// due date. A rebuild would discard those payments: the editor asks before it.
bool haScadenzePagate(db::Connection &c, qint64 idDocumento);

// The schedule of document `idDocumento` of kind `genere`, read from its stored fattura row
// (the caller posts the header first), in one transaction.
//
// Rebuild (`aggiorna` false): the instalments are deleted with their cash-book payment rows
// (with the option, every cash-book row of the document, and fattura.Finanzia_id emptied) and
// made again from the payment
// method: max(n, 1) instalments, due dates from the method's days counted from the document
// date (today without one), unpaid, or paid on that date when the method has no instalments.
// When the document has paid instalments (haScadenzePagate) the rebuild runs only with
// `scartaPagamenti`; otherwise nothing changes and the result says pagateConservate.
//
// Update (`aggiorna` true): a paid instalment (as haScadenzePagate counts them) is not touched:
// its amount, payment date and cash-book row stay. The other stored instalments keep their rows,
// due dates, numbers, bank, method, paid state and payment date; amounts, texts, party, kind and
// document are rewritten, the amounts sharing the total less what is paid. When that leaves a
// rest of the total's opposite sign, or a rest and no open instalment, nothing changes and the
// result says pagateNonRipartibili.
// Each instalment number 1 .. max(n, 1) updates the stored row carrying that number; the
// numbers left take the rows left in due-date order (and their number); a number still without
// a row gets a new one as a rebuild makes it; a paired row without a due date gets the method's;
// stored rows beyond the method's count (added by hand) are left as they are. No row is written
// twice.
//
// Amounts: the total (TotImponibile under split payment on sales kinds, else TotFattura) split
// in whole cents, each instalment the total / n rounded to the cent, the last one the rest, so
// the instalments add up to the total exactly. With the option the document's cash-book row is
// written (and linked from fattura.Finanzia_id), and the payment row of each instalment paid at
// issue. Throws DbError (nothing written).
Esito generaScadenze(db::Connection &c, qint64 idDocumento, Genere genere, bool aggiorna, bool scartaPagamenti = false);

// The message of an update that left the schedule to the user (pagateNonRipartibili); empty
// otherwise.
QString avvisoScadenzeNonAggiornate(const Esito &e);

// The payment method of a document was cleared: its instalments are deleted together with the
// cash-book rows that record their payments (whatever the option), in one transaction; the
// document's own cash-book row stays. Refused like a rebuild when instalments are paid and
// `scartaPagamenti` is false. Throws DbError (nothing deleted).
Esito eliminaScadenze(db::Connection &c, qint64 idDocumento, bool scartaPagamenti = false);

// The cash-book row that records the payment of one instalment.
struct RigaPagamento {
    qint64 idScadenza = 0;   // FatturaScadenze.Id
    qint64 idDocumento = 0;  // fattura.ID
    QString tipo;            // the instalment's Tipo: "F" and "B" are money in (Entrata), the others out
    QDate data;
    QString operazione;
    double importo = 0;
    qint64 cliente = 0;
    qint64 fornitore = 0;
    qint64 modPagamento = 0;
    qint64 banca = 0;
    // The instalment editor copies a missing customer or supplier as it is: 0 is written null.
    bool partiNulle = false;
};

// Writes the payment row of an instalment: the row already linked to it by
// finanzia.FatturaScadenze_Id is rewritten (never a second one), otherwise one is appended; the
// amount goes in Entrata or Uscita by the kind, the other column 0; the instalment is linked back
// through FatturaScadenze.Finanzia_id. Runs inside the caller's transaction. Returns finanzia.ID.
qint64 scriviRigaPagamento(db::Connection &c, const RigaPagamento &riga);

// True when the rows of documents are mirrored in the cash book (opzioni.DuplicaFatturazioneInPrimaNota).
bool duplicaInPrimaNota(db::Connection &c);

// The instalment amounts in cents of `totale` split in `numero` instalments: each the total /
// numero rounded to the cent (halves away from zero), the last the rest; when rounding up would
// leave the last instalment with the opposite sign, the cents are cut instead.
QList<qint64> importiRate(double totale, int numero);

} // namespace scadenze
