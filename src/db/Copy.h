#pragma once
// Moving a database from the one-workstation file to a server shared by several workstations.
#include <QList>
#include <QString>
#include <utility>

namespace db {

class Connection;

struct CopyReport {
    QList<std::pair<QString, qint64>> tables; // each table copied, with its rows
    qint64 rows = 0;
    bool schemaCreated = false; // the target had no tables: the schema was made there
};

// Copies every table of the database open on `source` (brought to the current schema version
// first) into the database open on `target`, in one transaction, keeping every key; then the
// keys given from now on follow the highest copied.
//
// The target is accepted when it has no table at all (the schema is made there from the
// program's definitions) or when it holds the program's schema at the current version with
// no more than a new database comes with: every table holds exactly as many rows as in a new
// database (the reference rows, which the source's own replace). Anything else is refused:
// rows written by a workstation, another version, tables that are not the program's. A table
// or column of the source the target lacks (added by an update script) is made there first.
//
// Throws DbError with an Italian message on refusal or failure; the target then holds exactly
// what it held before.
CopyReport copyDatabase(Connection &source, Connection &target);

} // namespace db
