#pragma once
#include <QList>
#include <QString>

namespace db {

class Connection;

// The program's tables: created whole in a new database, brought up to date in an old one.
// The version is the database's user_version.
namespace schema {

// The version a database created now has.
int currentVersion();
int version(Connection &c);
bool isEmpty(Connection &c); // no table at all: a new file

// Creates every table with the rows a new database comes with, in one transaction.
// Throws DbError (and leaves the file without tables) on failure.
void createNew(Connection &c);

struct UpgradeStep {
    int version;  // the database's version after the step
    QString sql;  // engine SQL, several statements allowed
};
// The program's own steps (from upgrades/NNN.sql).
QList<UpgradeStep> builtInUpgrades();
// Applies the steps above the database's version, in order, each in its own transaction with
// the version it reaches; a failing step throws DbError and leaves the database at the
// version before it, its rows untouched.
void upgrade(Connection &c, const QList<UpgradeStep> &steps);

// A new file is created, an older one upgraded with the built-in steps.
void ensureCurrent(Connection &c);

} // namespace schema
} // namespace db
