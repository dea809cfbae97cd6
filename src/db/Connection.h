#pragma once
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

struct sqlite3;

namespace db {

// The program's one database connection: a SQLite file opened through QtSql, with the
// collation, LIKE and Access functions registered on the raw handle.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Opens (creating when missing) the database file. False with error() on failure.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_handle != nullptr; }
    QString path() const { return m_path; }
    QString error() const { return m_error; }
    sqlite3 *handle() const { return m_handle; }

    // Answers Date() and Now() inside SQL; the program's clock by default.
    void setNow(std::function<QDateTime()> now) { m_now = std::move(now); }
    QDateTime now() const { return m_now ? m_now() : QDateTime::currentDateTime(); }

    // Runs one Access SQL statement (translated). Returns the rows changed; throws DbError.
    int execute(const QString &accessSql);
    // Runs engine SQL as it is (schema scripts). Several statements allowed; throws DbError.
    void executeNative(const QString &sql);
    // The first column of the first row of an Access SELECT, or a null value.
    QVariant scalar(const QString &accessSql);
    qint64 lastInsertId() const;

    // Table metadata (case-insensitive names), cached until the schema changes.
    QString primaryKey(const QString &table);
    QStringList columnNames(const QString &table);
    bool hasTable(const QString &table);
    void clearMetadataCache();

    // Nesting depth of open transactions, for Transaction.
    int transactionDepth() const { return m_txDepth; }
    void setTransactionDepth(int d) { m_txDepth = d; }

private:
    struct TableInfo {
        QString primaryKey;
        QStringList columns;
        bool exists = false;
    };
    const TableInfo &tableInfo(const QString &table);

    QString m_connectionName;
    QString m_path;
    QString m_error;
    sqlite3 *m_handle = nullptr;
    std::function<QDateTime()> m_now;
    QHash<QString, TableInfo> m_tables;
    int m_txDepth = 0;
};

} // namespace db
