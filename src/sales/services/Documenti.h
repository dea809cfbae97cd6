#pragma once
// The four kinds of document kept in fattura (sales invoice and credit note, purchase invoice
// and supplier credit note), each declaring only what sets it apart: its kind for the schedule
// and the cash book, its rows' table, and the tables that hang on it besides the ones every
// kind has. The delete cascade is written once for the four.
#include "RigheFattura.h"
#include "Scadenze.h"

#include <QList>
#include <QPair>
#include <QString>

namespace db {
class Connection;
}

namespace vendite {

struct TipoDocumento {
    scadenze::Genere genere;
    TabellaRighe righe; // rows' table, link and the options' accounts prefix
    // Rows of other tables that belong to the document alone and go with it: (table, column
    // naming the document), deleted in this order before the shared ones.
    QList<QPair<QString, QString>> dipendenti;
};

TipoDocumento tipoDocumento(scadenze::Genere genere);
TipoDocumento tipoDocumento(Righe righe);

// What eliminaDocumento removed, row counts per table.
struct EsitoEliminazioneDocumento {
    bool eliminata = false; // the fattura row was there and is gone
    int primaNota = 0;      // finanzia rows of the document and of its instalments' payments
    int scadenze = 0;       // FatturaScadenze
    int righe = 0;          // the kind's rows
    int allegati = 0;       // Fattura_Allegati
    QList<int> dipendenti;  // per table of the kind's `dipendenti`, in order
};

// Deletes the document `id` of kind `tipo` with everything that hangs on it, inside the
// caller's transaction: the kind's own dependent rows, its cash-book rows (the document's and
// those of its instalments' payments, even a row that does not name the document), its
// instalments, rows and attachments, then the document. Throws DbError.
EsitoEliminazioneDocumento eliminaDocumento(db::Connection &c, const TipoDocumento &tipo, qint64 id);

} // namespace vendite
