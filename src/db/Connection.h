#pragma once
#include "Engine.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace db {

// The program's one database connection: a database opened through the engine interface (a
// SQLite file, or a PostgreSQL server shared by several workstations), with the collation,
// LIKE and Access functions registered by the engine.
//
// Values reach SQL as bound parameters, written ":name" in the Access SQL and passed by name:
//     conn.execute("update Clienti set Note = :testo where Id = :id", {{":testo", note}, {":id", id}});
//     conn.scalar("select count(*) from fattura where Data >= :dal", {{":dal", QDate(2025, 1, 1)}});
// See Param for how values are stored. A parameter given but absent from the statement, or
// present but not given, is an error (DbError).
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Opens the database: a file path opens (creating when missing) a SQLite file, a server
    // address ("postgresql://..." or "host=... dbname=...") a PostgreSQL database. False with
    // error() on failure.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_engine->isOpen(); }
    bool onServer() const { return m_onServer; }
    QString path() const { return m_path; }
    QString error() const { return m_error; }

    // Answers Date() and Now() inside SQL; the program's clock by default.
    void setNow(std::function<QDateTime()> now) { m_now = std::move(now); }
    QDateTime now() const { return m_now ? m_now() : QDateTime::currentDateTime(); }

    // Runs one Access SQL statement (translated). Returns the rows changed; throws DbError.
    int execute(const QString &accessSql, const Params &params = {});
    // Runs engine SQL as it is (schema scripts). Several statements allowed; throws DbError.
    void executeNative(const QString &sql);
    // The first column of the first row of an Access SELECT, or a null value.
    QVariant scalar(const QString &accessSql, const Params &params = {});
    qint64 lastInsertId() const;

    // The engine SQL of an Access statement. Translations are kept (a bounded number of
    // distinct statements), so a statement run again costs no second translation.
    QString translate(const QString &accessSql);

    // Table metadata (case-insensitive names), cached until the schema changes.
    QString primaryKey(const QString &table);
    QStringList columnNames(const QString &table);
    bool hasTable(const QString &table);
    // Declared types of a table's columns, in the order of columnNames().
    QStringList columnTypes(const QString &table);
    // Every table of the database, by name.
    QStringList tableNames();
    void clearMetadataCache();

    // Inside a Transaction: holds the numbering named `name` (a table, say) until the
    // transaction ends, so that another workstation numbering the same way waits and then reads
    // what this one stored. Throws DbError outside a transaction.
    void lockForNumbering(const QString &name);

    // Nesting depth of open transactions, for Transaction.
    int transactionDepth() const { return m_txDepth; }
    void setTransactionDepth(int d) { m_txDepth = d; }

    // Inside a transaction: `undo` runs when what is written now is rolled back (the
    // transaction, or the savepoint open now), and is forgotten when the transaction commits.
    // A query that posted inside a transaction puts its row back this way. For Transaction:
    // rolledBack(level) runs, latest first, those registered deeper than `level`.
    void onRollback(std::function<void()> undo);
    void rolledBack(int level);
    void committed(int level);

    // The engine behind the connection, for the database layer's own classes.
    Engine &engine() { return *m_engine; }

private:
    const TableDescription &tableInfo(const QString &table);

    QString m_path;
    QString m_error;
    std::function<QDateTime()> m_now;
    std::unique_ptr<Engine> m_engine;
    bool m_onServer = false;
    QHash<QString, TableDescription> m_tables;
    QHash<QString, QString> m_translations;
    int m_txDepth = 0;
    QList<QPair<int, std::function<void()>>> m_undo; // depth when registered, what to do
};

} // namespace db
