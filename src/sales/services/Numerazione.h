#pragma once
// A new sales invoice or sales credit note, numbered inside the transaction that stores it, so
// that two workstations adding a document at the same moment never get the same number.
#include <QDate>
#include <QString>
#include <functional>

namespace db {
class Connection;
class Query;
}

namespace vendite {

struct NuovoDocumento {
    bool notaCredito = false;  // a sales credit note (FattNota), else a sales invoice
    QString serie;             // the series chosen when the company invoices in several (ditta.FatturazioneMultipla)
    QDate oggi;                // the document's date
    qint64 sequestro = 0;      // an invoice that bills this seizure (Sequestri.Id), 0 for none
    // Called on the new row, before it is stored, inside the transaction: the caller's default
    // values of the kind of document (Personalizzazioni, applied by the form's helper), which may
    // replace any value set here.
    std::function<void(db::Query &nuovo)> valoriPredefiniti;
};

struct DocumentoCreato {
    qint64 id = 0;          // fattura.ID
    qint64 numero = 0;      // Num
    qint64 progressivo = 0; // DatiTrasmissione_NumeroInterno and DatiTrasmissione_ProgressivoInvio
};

// The next number of a document of this kind and series: 1 + the highest Num among the sales
// documents not in history and not marked "Non Numerare", within the series when the company
// invoices in several series and one is given, over invoices and credit notes together when
// opzioni.NumerazioneUnicaNoteCredito is set (else among its own kind); 1 when there is none.
qint64 prossimoNumero(db::Connection &c, bool notaCredito, const QString &serie);
// 1 + the highest DatiTrasmissione_NumeroInterno of every row of fattura, 1 when there is none.
qint64 prossimoProgressivo(db::Connection &c);

// Stores a new sales document, numbered, in one transaction that holds the numbering's lock
// from the reading of the highest number to the commit: Num, the progressive, Storico false
// (a new document is of the current year whatever period a list shows: number 1 there would
// duplicate this year's first, progressive 1 the name of a sent file), FattNota, NonNumerare false, Data,
// DatiGenerali_Divisa "EUR", SerieFatturazione, Banca_ID and ModPagamento_Id from the options
// (opzioni.Bank_ID, opzioni.ModPagamento_Id), EsportatoXml false for an invoice; for a seizure
// its plate, dates and id, and the seizure marked billed with the new invoice. Returns what was
// stored. Throws DbError (nothing stored).
DocumentoCreato nuovoDocumento(db::Connection &c, const NuovoDocumento &d);

} // namespace vendite
