#pragma once
#include <QString>

namespace db {

class Connection;

// A one-off statement on the shared connection (the private commands the forms create).
class Command {
public:
    explicit Command(Connection *conn, const QString &accessSql = QString()) : m_conn(conn), m_sql(accessSql) {}
    void setSql(const QString &accessSql) { m_sql = accessSql; }
    QString sql() const { return m_sql; }
    // Runs the statement; returns the rows it changed. Throws DbError.
    int execute();

    static int execute(Connection *conn, const QString &accessSql) { return Command(conn, accessSql).execute(); }

private:
    Connection *m_conn;
    QString m_sql;
};

} // namespace db
