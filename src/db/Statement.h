#pragma once
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// A prepared engine statement, finalized on destruction. Internal to src/db.
class Statement {
public:
    // Prepares engine SQL; throws DbError with the engine's message and the statement.
    Statement(sqlite3 *handle, const QString &nativeSql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(int index1, const QVariant &value);
    // True while a row is available; throws DbError on failure.
    bool step();
    void reset();

    int columnCount() const;
    QVariant value(int col) const;
    QString columnName(int col) const;
    QString declaredType(int col) const;
    QString originTable(int col) const;
    QString originColumn(int col) const;
    sqlite3_stmt *raw() const { return m_stmt; }

private:
    sqlite3 *m_handle;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_sql;
};

// The text of an engine failure as the user reads it: for the failures a user can act on (archive
// busy, read-only, damaged, not a database, disk full, unreachable, data against the rules) an
// Italian sentence saying what happened and what to do, then the engine's own text.
QString engineMessage(int code, const QString &engineText);
// engineMessage of the handle's last failure.
QString engineError(sqlite3 *handle);

} // namespace db
