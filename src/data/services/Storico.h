#pragma once
// The yearly roll-over: rows of past years go into history, rows of this year come out of it.
#include <QDate>
#include <QList>
#include <QStringList>

namespace db {
class Connection;
}

namespace storico {

// The thirteen statements of the roll-over for the year of `oggi`, in the order they run:
// cash book, calendar (by its concluded flag), sales documents by date, purchases by
// registration date, quotes, seizures (into history only), instalments paid exactly when they
// have a payment date. Rows dated after this year are left as they are.
QStringList istruzioni(const QDate &oggi);

// Runs the statements in one transaction; returns the rows each one changed. Running it again
// changes nothing. Throws DbError (nothing changed) when the database refuses one.
QList<int> aggiorna(db::Connection &c, const QDate &oggi);

} // namespace storico
