#pragma once
// The FatturaPA 1.2 file of a sales invoice or sales credit note, without widgets: the checks
// the editors run before asking for a file, the document built from the stored rows, the
// checks of what was built (the official schema through libxml2 and the exchange system's
// arithmetic and text rules) and the export that writes the file and marks the document.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace db {
class Connection;
}

namespace fatturapa {

// What an export, a build or a check came to. `messaggio` is the Italian text for the user;
// on a refusal it names the document and, when the fault is in one element, that element
// (`elemento`, its path below the root, "FatturaElettronicaBody/DatiBeniServizi/...").
struct Esito {
    bool riuscito = false;
    QString messaggio;
    QString elemento;
};

// "la fattura numero 7 del 03/03/2025" or "la nota di credito numero 2 del ...", as the
// messages name a document. Throws DbError.
QString descrizioneDocumento(db::Connection &c, qint64 id);

// The file name the standard prescribes: the company's country, its tax code (upper case, when
// it transmits under it) or VAT number, "_", the first five characters of the document's
// transmission progressive left-padded with zeros, ".xml". Throws DbError.
QString nomeFile(db::Connection &c, qint64 id);

// The coherence check: every row's stored net against quantity × price less the discount, and
// the stored totals against the rounded sums; the differences one per line, empty when none.
QString verificaCoerenza(db::Connection &c, qint64 id);

// The customer checks before the file is asked for: the customer found by the document's
// Cliente_ID (a missing one is refused), a public administration's office code, a business's
// SdI code or certified e-mail. Empty when the customer passes.
QString controllaCliente(db::Connection &c, qint64 id);

// The document's file as bytes (UTF-8), built from the stored rows of the document, its
// customer, the company and the options; attachments are read and encoded in memory. Not
// checked. A missing attachment file gives no bytes and the refusal in `rifiuto`.
QByteArray costruisci(db::Connection &c, qint64 id, Esito *rifiuto);

// Checks built bytes: the text within the schema's Latin-1 range, the official schema shipped
// beside the program (offline), then the exchange system's arithmetic: each line's total is
// its price × quantity after its discounts within a cent, each summary block's VAT its taxable
// × rate within a cent and the taxable of a rate and nature the sum of its lines within one
// euro, `Natura` exactly on a rate of 0 and only in the detailed codes, an Italian customer
// identified by VAT number or tax code. `documento` names the document in the message.
Esito verifica(const QByteArray &xml, const QString &documento);

// The export: builds and checks the document; only when it passes writes it under `percorso`
// through a temporary file renamed into place and, in the same transaction, marks the document
// exported (EsportatoXml). On a refusal no file is left and nothing is marked. Throws DbError
// only for the database's own errors (then nothing is marked and no file is left either).
Esito esporta(db::Connection &c, qint64 id, const QString &percorso);

// Several documents into `cartella`, each under its standard name (nomeFile): every document is
// built and checked as by esporta; those that pass are written and marked together, all or
// none, with one flush to the disk for the lot. One Esito per id, in order: a refused document
// has its own refusal, a failed write is every written document's.
QList<Esito> esportaTutti(db::Connection &c, const QList<qint64> &ids, const QString &cartella);

// The folder of the official schema files (the .xsd files and catalog.xml), beside the program.
QString cartellaSchema();

} // namespace fatturapa
