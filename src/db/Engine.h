#pragma once
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

namespace db {

// One named value for a statement's ":name" parameter. Written as {":id", 5}; the colon may be
// left out. Dates (QDate, QDateTime) are bound as the engine stores dates, booleans as 0/1,
// numbers typed, a null QVariant as NULL.
struct Param {
    QString name;
    QVariant value;
};
using Params = QList<Param>;
// Sets or replaces the value of a parameter in a list.
void setParam(Params &params, const QString &name, const QVariant &value);

// What the engine knows of a table. Internal to src/db.
struct TableDescription {
    bool exists = false;
    QStringList columns;
    QStringList types;  // each column's declared type, in the same order
    QString primaryKey; // the first column of the primary key
};

// A prepared engine statement, released on destruction. Internal to src/db: the rest of the
// program uses Connection, Command and Query.
class EngineStatement {
public:
    virtual ~EngineStatement() = default;

    // Parameters are numbered from 1; a named one is known by its name as written (":id").
    virtual int parameterCount() const = 0;
    virtual QString parameterName(int index1) const = 0; // empty for an anonymous "?"
    // Binds a value; see Param for how values are stored. Throws DbError.
    virtual void bind(int index1, const QVariant &value) = 0;
    // Binds every parameter of that name (case-insensitive, the colon optional). Throws DbError
    // when the statement has none.
    void bind(const QString &name, const QVariant &value);
    // Binds the values by name, then checks that every named parameter of the statement has one:
    // a forgotten parameter is an error, not a silent null.
    void bindAll(const Params &params);

    // True while a row is available; throws DbError on failure.
    virtual bool step() = 0;
    // Back to before the first step, bindings cleared.
    virtual void reset() = 0;

    virtual int columnCount() const = 0;
    // The current row's value: null, qint64, double, QString or QByteArray.
    virtual QVariant value(int col) const = 0;
    // The whole current row into row[0 .. columnCount()). A text equal to the one the previous
    // call gave in the same column is shared, not converted again (lists repeat values).
    virtual void readRow(QVariant *row) = 0;
    virtual QString columnName(int col) const = 0;
    virtual QString declaredType(int col) const = 0;
    // The table and column a result column reads, empty for an expression.
    virtual QString originTable(int col) const = 0;
    virtual QString originColumn(int col) const = 0;
};

// The one boundary between the database layer and a database engine. Everything that is
// particular to one engine (its C library, its catalogue, its dialect of a few statements)
// is behind it; Connection, Query, Command, Transaction and Schema talk only to this.
class Engine {
public:
    virtual ~Engine() = default;

    // Opens the database; false with a message the user can read (Italian) on failure.
    virtual bool open(const QString &location, QString *error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Prepares one statement of engine SQL ("?" and ":name" parameters). Throws DbError with
    // the engine's message and the statement.
    virtual std::unique_ptr<EngineStatement> prepare(const QString &sql) = 0;
    // Runs engine SQL, several statements allowed, no parameters. Throws DbError.
    virtual void executeScript(const QString &sql) = 0;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    virtual int changes() const = 0;
    // The key given to the last row inserted on this connection.
    virtual qint64 lastInsertId() const = 0;

    // After rows were written with their keys given (reference data, a copy): the keys given
    // from now on follow the highest there is. Nothing to do where keys are taken from the rows.
    virtual void keysFollowRows() {}

    virtual TableDescription describeTable(const QString &table) = 0;
    virtual bool hasAnyTable() = 0;
    // The database's tables, by name (the engine's own bookkeeping tables left out).
    virtual QStringList tableNames() = 0;
    // The schema version stored in the database.
    virtual int userVersion() = 0;
    virtual void setUserVersion(int version) = 0;

    // The statement that opens a transaction which takes the write lock at once, so that two
    // workstations never both read and then both fail to write.
    virtual QString beginTransactionSql() const = 0;
    // Inside the write transaction: holds the lock named `name` until the transaction ends,
    // waiting while another connection holds it, so that two workstations taking the next number
    // of one numbering never read the same highest number.
    virtual void lockForNumbering(const QString &name) = 0;
    // A condition true when the column holds exactly the parameter's value, nulls equal.
    virtual QString sameValueCondition(const QString &quotedColumn, const QString &parameter) const = 0;

    // A table or column name quoted for the engine.
    virtual QString quoteName(const QString &name) const;
};

// Writes a failed statement with the engine's words to the program's log (category "pella.db"):
// the user's message box never shows SQL.
void logStatement(const QString &failure, const QString &sql);

// The SQLite engine on a file; `now` answers Date() and Now() inside SQL and must outlive it.
std::unique_ptr<Engine> createSqliteEngine(const std::function<QDateTime()> *now);
// The PostgreSQL engine on a server; `now` as above.
std::unique_ptr<Engine> createPostgresEngine(const std::function<QDateTime()> *now);
// True when a database address names a PostgreSQL server ("postgresql://..." or
// "host=... dbname=..."), false for a file path.
bool isServerAddress(const QString &location);

// What the program asks of a server address. The password is never part of it: the server's
// client library reads it from the user's own password file (~/.pgpass).
struct ServerAddress {
    QString host;     // name or address of the server, or the folder of its local socket
    int port = 5432;
    QString database;
    QString user;
};
// The address text for those parts ("host=... port=... dbname=... user=..."), each value quoted
// as the client library reads it, with a connection timeout so that a server that does not
// answer is reported in seconds.
QString serverAddressText(const ServerAddress &a);
// The parts of a server address (keywords or "postgresql://..."); empty parts where the address
// names none, and every part empty for a text that is no server address.
ServerAddress parseServerAddress(const QString &address);

} // namespace db
