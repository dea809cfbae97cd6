#pragma once
#include "Engine.h"

#include <QString>
#include <QVariant>

namespace db {

class Connection;

// A one-off statement on the shared connection (the private commands the forms create).
// Values go in as bound parameters, never into the text:
//     db::Command cmd(&conn, "update fattura set Note = :testo, Data = :data where ID = :id");
//     cmd.bind(":testo", note).bind(":data", QDate(2025, 3, 2)).bind(":id", id);
//     cmd.execute();
// or in one call: db::Command::execute(&conn, sql, {{":id", id}}). Binding a name again replaces
// its value, so one command can run many times with different values.
class Command {
public:
    explicit Command(Connection *conn, const QString &accessSql = QString()) : m_conn(conn), m_sql(accessSql) {}
    // A new statement: the values bound for the previous one are dropped.
    void setSql(const QString &accessSql);
    QString sql() const { return m_sql; }

    Command &bind(const QString &name, const QVariant &value);
    const Params &params() const { return m_params; }
    void clearParams() { m_params.clear(); }

    // Runs the statement; returns the rows it changed. Throws DbError.
    int execute();

    static int execute(Connection *conn, const QString &accessSql, const Params &params = {});

private:
    Connection *m_conn;
    QString m_sql;
    Params m_params;
};

} // namespace db
