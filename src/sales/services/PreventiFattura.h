#pragma once
// The quotes copied into a sales invoice and the single instalments of its schedule grid:
// what the invoice editor's side pages store, without a window.
#include <QString>
#include <QtGlobal>

namespace db {
class Connection;
}

namespace vendite {

// The query of the quotes an invoice may import: the customer's quotes not yet invoiced, each
// with its choice text "numero N Data: dd/mm/yyyy" (`Scelta`), `Id`, `Numero`, `Data` and
// `Cliente_Id`. An invoice without a customer (0 or less) is offered none, not the quotes that
// have no customer either.
QString sqlPreventiDaFatturare(qint64 idCliente);

struct ImportazionePreventivo {
    qint64 idCollegamento = 0;  // the FatturaPreventiviRighe row written
    int righeCopiate = 0;       // fattdett rows written
    int righeSostituite = 0;    // fattdett rows of an earlier import of the same quote removed
};

// Copies the rows of quote `idPreventivo` into invoice `idFattura`, in one transaction: the
// quote is marked invoiced (`Fatturato`), an earlier link of the same quote to the invoice and
// the rows it had copied are removed, a new link row holds the quote's number and date, and
// each quote row (in NumeroRiga order) becomes an invoice row with `Prev_ID`, the note
// "Preventivo numero N", the revenue account of its kind (the options' transport-cost account
// for "T", collection-cost for "S", the general one otherwise), `Storico` = `storico` and its
// row number (with opzioni.IncrementaNumeroRigaArticoli the invoice's row count + 1, else 1).
// Every value is bound. Throws DbError (nothing changed) and std::invalid_argument when the
// invoice or the quote does not exist.
ImportazionePreventivo importaPreventivo(db::Connection &c, qint64 idFattura, qint64 idPreventivo, bool storico);

struct AnnullamentoPreventivo {
    qint64 idPreventivo = 0;
    int righeEliminate = 0;
};

// Undoes the import of one link row (FatturaPreventiviRighe.Id), in one transaction: the quote
// is no longer invoiced, the invoice rows copied from it go and the link row goes. A link that
// does not exist changes nothing (idPreventivo 0). Throws DbError (nothing changed).
AnnullamentoPreventivo annullaPreventivo(db::Connection &c, qint64 idCollegamento);

struct EliminazioneScadenza {
    int scadenze = 0;     // instalment rows deleted (0 or 1)
    int movimenti = 0;    // finanzia rows of its payment deleted
};

// Deletes one instalment; with opzioni.DuplicaFatturazioneInPrimaNota also the cash-book rows
// of its payment (finanzia.FatturaScadenze_Id), in the same transaction. The other
// instalments keep their amounts. Throws DbError (nothing changed).
EliminazioneScadenza eliminaScadenza(db::Connection &c, qint64 idScadenza);

} // namespace vendite
