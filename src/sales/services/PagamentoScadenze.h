#pragma once
// The payment of several open instalments at once. The instalments chosen on a workstation live
// in TempFatturaScadenzeCumulativo under its name (NomeComputer) and are marked in
// FatturaScadenze.TemporaneaSelezionata so that the open list hides them; one payment then
// records the same date (and optionally method, bank and details) on all of them, with their
// cash-book rows when documents are mirrored there.
#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace db {
class Connection;
}

namespace pagamenti {

enum class Parte { Cliente, Fornitore };

// The SQL of the party's open invoice instalments (a customer's sales invoices, a supplier's
// purchase invoices, never credit notes), with the document's date and numbers, by due date.
// The party's Id is the parameter ":parte".
QString sqlScadenzeAperte(Parte parte);

// Empties this workstation's selection and clears the marks of all the party's instalments,
// in one transaction. Throws DbError.
void preparaSelezione(db::Connection &c, const QString &postazione, Parte parte, qint64 idParte);

// Adds the instalments (FatturaScadenze.Id) to the workstation's selection and marks them, in
// one transaction; an instalment already selected here, or already paid, is skipped. Returns
// how many were added. Like every write of the selection, on the server it runs again when
// another workstation marks the same instalments at once. Throws DbError (nothing added).
int aggiungi(db::Connection &c, const QString &postazione, const QList<qint64> &scadenze);

// Removes one row of the workstation's selection (TempFatturaScadenzeCumulativo.id) and clears
// its instalment's mark. False when the workstation has no such row. Throws DbError.
bool togli(db::Connection &c, const QString &postazione, qint64 idRiga);

// Removes the whole selection of the workstation and clears the marks. Returns the rows removed.
int togliTutte(db::Connection &c, const QString &postazione);

struct Pagamento {
    QDate data;              // the payment date: of the instalments and of their cash-book rows
    qint64 modPagamento = 0; // 0: each instalment keeps its own method
    qint64 banca = 0;        // 0: each instalment keeps its own bank
    QString dettagli;        // written on every instalment, also when empty
};

struct Esito {
    bool eseguito = false;
    bool dataNonValida = false;        // refused: no valid payment date
    QList<qint64> scadenzePagate;      // in selection order
    QList<qint64> righePrimaNota;      // finanzia.ID written, with the option on
    QList<qint64> giaPagate;           // refused: these were paid meanwhile (another workstation)
};

// Pays every instalment of the workstation's selection, in one transaction: DataPagamento,
// Pagato, Dettagli, the method and bank when given, the mark cleared; with the option each gets
// its cash-book row (rewritten when it has one), linked both ways; the selection is emptied.
// Nothing is written when the date is not valid or the selection is empty, nor when an
// instalment of the selection is already paid (read again in the transaction: `giaPagate`).
// On the server run again when another workstation's payment collides with it. Throws DbError
// (nothing written).
Esito paga(db::Connection &c, const QString &postazione, const Pagamento &pagamento);
// The message of a payment refused because `quante` instalments were paid meanwhile.
QString messaggioGiaPagate(int quante);

} // namespace pagamenti
