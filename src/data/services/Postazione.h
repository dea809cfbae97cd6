#pragma once
// What belongs to one workstation in a database that several share: its temporary rows and
// the SQL of the shared queries that show only its rows.
#include <QList>
#include <QString>
#include <utility>

namespace db {
class Connection;
}

namespace postazione {

// Deletes the workstation's rows of the temporary tables emptied at every start (TempBilancio,
// TempStampa, TempAvvisi, TempAvvisiClienti); other workstations' rows stay. Throws DbError.
void cancellaTemporanei(db::Connection &c, const QString &nomeComputer);

// The per-workstation shared queries and their SQL, in the order they are bound:
// TableTempEtichette first (its rows are then emptied), then the other six.
QList<std::pair<QString, QString>> sqlPerPostazione(const QString &nomeComputer);

} // namespace postazione
