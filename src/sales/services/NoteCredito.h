#pragma once
// The sales credit notes' work without a window: the list's search filter, the deletion of a
// credit note with everything that depends on it, and the copy of the rows of the invoice a
// credit note corrects.
#include "Fatture.h"
#include "Totali.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

namespace db {
class Connection;
}

namespace vendite {

// What the credit-note list's search boxes hold, as typed. A key 0 means "no choice".
struct CriteriNoteCredito {
    QString numero; // "Numero": an exact number
    QString daData; // "Dalla Data", day first
    QString aData;  // "alla Data"
    qint64 cliente = 0;
    QString serie;  // "Serie": exact
};

// The filter of TableNotaCredito, in this order and joined by " and ": number (equal), from
// date, to date (that day included, whatever time a row carries), customer, series. "*" and
// empty boxes add nothing; the series goes in with its apostrophes doubled; a box that holds no
// date or no whole number gives the message (`casella` "Edit2", "maskDaData", "maskAData")
// and no filter.
FiltroFatture filtroNoteCredito(const CriteriNoteCredito &criteri);

// What eliminaNotaCredito did, row counts per table.
struct EsitoEliminazioneNota {
    bool eliminata = false; // the fattura row was there and is gone
    int primaNota = 0;      // finanzia rows of the credit note and of its instalments' payments
    int scadenze = 0;       // FatturaScadenze
    int righe = 0;          // NotaCreditoRighe
    int allegati = 0;       // Fattura_Allegati
};

// Deletes the sales credit note `id` in one transaction: its cash-book rows (the document's and
// those of its instalments' payments), instalments, rows and attachments, then the credit note.
// Throws DbError (nothing changed).
EsitoEliminazioneNota eliminaNotaCredito(db::Connection &c, qint64 id);

// The text every row copied from the referenced invoice carries in Note:
// " Fattura numero: N Serie: S Data: dd/mm/yyyy" (the time too when the date has one).
QString notaRigaImportata(qint64 numero, const QString &serie, const QDateTime &data);

// What importaRigheFattura did.
struct EsitoImportazione {
    bool senzaRiferimento = false; // the credit note names no invoice (NCFattIDRif empty or 0): nothing done
    bool fatturaMancante = false;  // the invoice it names no longer exists: nothing done
    bool testataRifiutata = false; // the header's post was refused: nothing done
    int eliminate = 0;             // rows of an earlier copy of the same invoice removed
    QList<qint64> copiate;         // Idx of the rows written, in the invoice's row order
    Totali totali;                 // the credit note's totals as written
};

// "Importa Righe": in one transaction, the credit note's rows that an earlier import took from
// its referenced invoice (Fattura_ID = NCFattIDRif) are removed, every row of that invoice is
// copied (amounts and quantities as they are; "D" and "C" become "N"; the account of the credit
// notes by row type; the note of notaRigaImportata; dated with the credit note), the totals are
// recomputed as for rows typed by hand and the instalments updated. Rows from the price list or
// from another invoice stay. Every value is bound. Throws DbError (nothing changed), also when
// the credit note does not exist. An invoice that no longer exists changes nothing
// (`fatturaMancante`). `postaTestata`, when given, stores the header the editor shows first, in
// the same transaction (false: nothing done). On the server run again when another
// workstation's work collides with it.
EsitoImportazione importaRigheFattura(db::Connection &c, qint64 idNotaCredito, const std::function<bool()> &postaTestata = {});

} // namespace vendite
