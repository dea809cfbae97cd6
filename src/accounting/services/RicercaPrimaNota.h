#pragma once
// The cash-book browser's work without its window: the list's query, the filter its boxes give,
// the totals of the rows shown and whether a row may be deleted.
#include "PrimaNota.h"

#include <QString>
#include <QVariant>

namespace db {
class Connection;
class Query;
} // namespace db

namespace primanota {

// The list's select and joins, without conditions.
QString sqlElenco();
// The current year's rows not in history, newest first.
QString sqlElencoAnno(int anno);
// The rows from `da` to `a` (day-first texts, both days whole), newest first. Throws
// std::invalid_argument when either is not a date.
QString sqlElencoPeriodo(const QString &da, const QString &a);

// What the boxes hold. `tipologia`: 0 every kind of book, else the kind's id (1 Cassa, 2 Banca,
// 3 Fuori Cassa); `banca`: 0 none.
struct CriteriRicerca {
    QString daData;
    QString aData;
    int tipologia = 0;
    QString operazione;
    QString note;
    QString cliente;
    QString fornitore;
    QString modPagamento;
    qint64 banca = 0;
};

// The filter in the dataset filter language, or the message for a date box that holds a text
// which is not a day-first date (then `filtro` is empty and must not be applied).
struct FiltroRicerca {
    QString filtro;
    QString errore;
    bool valido() const { return errore.isEmpty(); }
};

// The end date covers its whole day, whatever time a row carries. A date box with no digit
// (empty, or only the mask's blanks and slashes) and a text box empty or "*" add nothing.
FiltroRicerca filtroRicerca(const CriteriRicerca &c);

// The totals of the rows the list shows (its filter applied), without moving its current row.
Totali totaliElenco(db::Query &elenco);

// An amount as the lists show one: no fixed decimals, no thousands separator, the decimal comma.
QString testoNumero(double valore);

// The message that refuses to delete a row tied to a document.
QString messaggioLegataAFattura();
// While documents are mirrored into the cash book, a row of a document (Fattura_ID above 0)
// belongs to it. Throws DbError.
bool legataADocumento(db::Connection &c, const QVariant &fatturaId);

} // namespace primanota
