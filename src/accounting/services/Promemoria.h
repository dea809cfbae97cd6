#pragma once
// The start-up reminders without their window: what needs attention on a day, read by four
// queries (instalments not paid, vehicle and staff deadlines not validated, calendar entries
// not concluded) and turned into the texts of the reminder window's cells.
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class Connection;
}

namespace promemoria {

// One list of the reminder window: its column titles and, per record in the query's order, the
// text of each cell in the same order. The record's id is the last cell (empty when the id is
// not above 0); the instalments have their document letter (`Tipo`) after it.
struct Elenco {
    QStringList titoli;
    QList<QStringList> righe;
    bool isEmpty() const { return righe.isEmpty(); }
};

struct Promemoria {
    Elenco pagamenti;  // instalments without a payment date due that day or earlier
    Elenco vetture;    // vehicle deadlines not validated whose notice day has come
    Elenco personale;  // staff deadlines not validated whose notice day has come
    Elenco calendario; // calendar entries not concluded whose notice day has come
    // True when none of the four found a record: the window is not shown.
    bool isEmpty() const;
};

// The four queries. Each takes the bound value ":domani", the start of the day after the
// reminders' day: a due or notice date counts on its whole day, whatever time it carries.
QString sqlPagamenti();
QString sqlVetture();
QString sqlPersonale();
QString sqlCalendario();

// Column positions of the id and of the instalment's letter in the rows of each list.
inline constexpr int kColonnaIdPagamenti = 7;
inline constexpr int kColonnaTipoPagamenti = 8;
inline constexpr int kColonnaIdVetture = 5;
inline constexpr int kColonnaIdPersonale = 4;
inline constexpr int kColonnaIdCalendario = 5;

// Reads the four lists for the day `oggi`. Throws DbError when a query fails.
Promemoria leggi(db::Connection &c, const QDate &oggi);
// The same for today (the program's clock).
Promemoria leggi(db::Connection &c);

// A payment method's text as its cell shows it: only a text that sorts after "0" in character
// code order is shown (empty, "0" and texts beginning with a blank or a sign stay blank).
QString testoModPagamento(const QString &descrizione);

} // namespace promemoria
