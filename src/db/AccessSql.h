#pragma once
#include <QString>
#include <QStringList>

namespace db {

// Translates the program's Access SQL into the SQL of the engine (SQLite).
// Works on tokens (strings, [names], #dates#, numbers, words, punctuation), so text inside
// literals is never touched. Throws DbError on a date literal it cannot read.
class AccessSql {
public:
    static QString translate(const QString &accessSql);

    // The first table named after the top-level FROM of a SELECT (parentheses of nested
    // joins skipped); empty when there is none. Used as the update table of a query.
    static QString firstFromTable(const QString &accessSql);

    // Statements of a script separated by ";" (outside literals), blank pieces dropped.
    static QStringList splitScript(const QString &script);
};

} // namespace db
