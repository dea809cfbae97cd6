#pragma once
// The register of seized vehicles without windows: the register's search, the next number, the
// delete with the invoices that name the seizure, the labels of linked documents, which quote
// or invoice a seizure is linked to, and the plate matching of the whole register.
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <optional>

namespace db {
class Connection;
}

namespace sequestri {

// A seizure is released when its DataDissequestro holds a date from 1 January 1900 on; an empty
// one, or a placeholder before 1900 (the zero date of older archives), means still held. The
// register's "Dissequestrati", its print of the seizures not released and the editor all read
// it so.
inline const QString kRilasciatiDal = QStringLiteral("01/01/1900"); // day first, as the filter reads it

enum class Dissequestrati { Tutti, Si, No };

// The register's search boxes as typed.
struct Ricerca {
    QString daData;   // "Dalla Data", dd/mm/yyyy; the mask's blanks or an incomplete date add nothing
    QString aData;    // "alla Data"
    QString daNumero; // "Numero"
    QString aNumero;  // "al Numero"
    QString proprietario;
    Dissequestrati dissequestrati = Dissequestrati::Tutti;
    QString targa;
    QString modello;
    QString tipo;
    QString note;
    QString matricola;
    QString ente;
};

// The filter of TableSequestri, or the message for a box that holds what its box cannot take
// (then `filtro` is empty and must not be applied; `casella` names the box: "maskDaData",
// "maskAData", "txtDaNumero", "txtANumero").
struct Filtro {
    QString filtro;
    QString errore;
    QString casella;
    bool valido() const { return errore.isEmpty(); }
};

// Conditions in this order, joined by " and ": from date, to date (that day whole, whatever
// time a row carries), from number, to number, owner, released, plate, model, kind, notes,
// serial number, authority. A text box counts unless empty or a lone "*" and is a prefix with
// its apostrophes doubled; a date box counts once it holds ten characters, which must be a
// real day; a number box must hold a whole number.
Filtro filtroRegistro(const Ricerca &r);

// 1 + the highest Numero of the register (every year, lettered rows included); 1 when empty.
qint64 prossimoNumero(db::Connection &c);

struct Eliminazione {
    int fattureLiberate = 0; // invoices whose Sequestro_ID went to 0
    bool eliminato = false;
};
// Deletes the seizure; the invoices made from it lose their reference (Sequestro_ID 0), in one
// transaction. Its quote and invoice stay. Throws DbError (nothing changed).
Eliminazione elimina(db::Connection &c, qint64 idSequestro);

// A document's number as a whole number ("7" for 7.0), empty for none.
QString testoNumero(const QVariant &numero);
// The labels shown beside the document buttons: "15 - del 03/02/2023", "7/B - del 03/02/2023".
QString descrizionePreventivo(const QVariant &numero, const QVariant &data);
QString descrizioneFattura(const QVariant &numero, const QString &serie, const QVariant &data);

struct Documento {
    qint64 id = 0;
    QVariant numero;
    QVariant data;
    QString serie; // invoices only
    QString descrizione;
};

// The quote of a plate: among the quotes of every year whose Targa1 equals it (as text is
// compared: case-blind), the latest: ORDER BY Data DESC, Numero DESC, ID DESC.
std::optional<Documento> preventivoDellaTarga(db::Connection &c, const QString &targa);
// The invoice made from the seizure: among the sales invoices whose Sequestro_ID is the seizure,
// the first made: ORDER BY Data, Num, ID.
std::optional<Documento> fatturaDelSequestro(db::Connection &c, qint64 idSequestro);
// The sales invoice of a plate for the plate matching: the one made from the seizure when there
// is one, otherwise the latest sales invoice whose Targa equals it (ORDER BY Data DESC, Num DESC,
// ID DESC).
std::optional<Documento> fatturaDellaTarga(db::Connection &c, qint64 idSequestro, const QString &targa);
// The quote or the sales invoice by id, with its label.
std::optional<Documento> preventivo(db::Connection &c, qint64 id);
std::optional<Documento> fattura(db::Connection &c, qint64 id);

// Writes the link into the seizure (Preventivo_Id and its label; Fattura_Id, its label and
// Fatturato true), one statement, bound values. Throws DbError.
void collegaPreventivo(db::Connection &c, qint64 idSequestro, const Documento &d);
void collegaFattura(db::Connection &c, qint64 idSequestro, const Documento &d);

struct Abbinamento {
    int preventivi = 0; // seizures given a quote
    int fatture = 0;    // seizures given an invoice
};
// The plate matching of the main window: every seizure with a plate and no quote gets the quote
// of its plate, every one with a plate and no invoice the invoice of its plate (the orders
// above). A link already there is never replaced. One transaction. Throws DbError.
Abbinamento abbinaTarghe(db::Connection &c);

} // namespace sequestri
