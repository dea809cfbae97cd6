#pragma once
#include <QString>
#include <QStringList>

namespace db {

// Translates the program's Access SQL into the SQL of the engine (SQLite).
// Works on tokens (strings, [names], #dates#, numbers, words, parameters, punctuation), so text
// inside literals is never touched and bound parameters (":name") pass as they are; comments
// ("--" to the end of the line, "/* */") are dropped. "Month(col) = m And Year(col) = y"
// (either order, literal numbers) becomes the range of that month on the column, so that an
// index on it is used. Throws DbError on a date literal it cannot read.
class AccessSql {
public:
    static QString translate(const QString &accessSql);

    // The first table named after the top-level FROM of a SELECT (parentheses of nested
    // joins skipped); empty when there is none. Used as the update table of a query.
    static QString firstFromTable(const QString &accessSql);

    // Statements of a script separated by ";" (outside literals and comments), comments
    // dropped, blank pieces dropped.
    static QStringList splitScript(const QString &script);

    // True for a statement that opens or closes a transaction or a savepoint (BEGIN, COMMIT,
    // END, ROLLBACK, SAVEPOINT, RELEASE): a caller running a script in its own transaction
    // must not pass these on.
    static bool isTransactionStatement(const QString &statement);
};

} // namespace db
