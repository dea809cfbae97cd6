#include "Connection.h"
#include "AccessSql.h"
#include "DbError.h"
#include "SqliteFunctions.h"
#include "Statement.h"

#include <QAtomicInt>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

namespace db {

namespace {
QAtomicInt g_connectionCounter;
}

Connection::Connection()
    : m_connectionName(QStringLiteral("pella_%1").arg(g_connectionCounter.fetchAndAddRelaxed(1)))
{
    // Each connection is used by one thread only: SQLite's per-call mutex is pure cost
    // (it doubled the time to read a large list). Must happen before SQLite starts.
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_MULTITHREAD);
        return true;
    }();
    Q_UNUSED(configured);
}

Connection::~Connection() { close(); }

bool Connection::open(const QString &path)
{
    close();
    m_error.clear();
    {
        QSqlDatabase qdb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        qdb.setDatabaseName(path);
        if (!qdb.open()) {
            const QSqlError e = qdb.lastError();
            m_error = engineMessage(e.nativeErrorCode().toInt(), e.databaseText().isEmpty() ? e.text() : e.databaseText());
        } else {
            const QVariant h = qdb.driver()->handle();
            if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
                m_handle = *static_cast<sqlite3 *const *>(h.constData());
            if (!m_handle) m_error = QStringLiteral("Il driver del database non espone il collegamento SQLite");
        }
    }
    if (!m_handle) {
        QSqlDatabase::removeDatabase(m_connectionName);
        return false;
    }
    m_path = path;
    registerAccessFunctions(m_handle, &m_now);
    try {
        // Another workstation may hold the file for a moment; never lose a write to a crash.
        sqlite3_busy_timeout(m_handle, 10000);
        executeNative(QStringLiteral("PRAGMA synchronous = FULL"));
        // Reading the schema catches a file that is not a database at all.
        scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (const DbError &e) {
        m_error = e.message();
        close();
        return false;
    }
    return true;
}

void Connection::close()
{
    m_tables.clear();
    m_txDepth = 0;
    if (!m_handle && !QSqlDatabase::contains(m_connectionName)) return;
    m_handle = nullptr;
    {
        QSqlDatabase qdb = QSqlDatabase::database(m_connectionName, false);
        qdb.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_path.clear();
}

int Connection::execute(const QString &accessSql)
{
    const QString native = AccessSql::translate(accessSql);
    Statement st(m_handle, native);
    while (st.step()) {
    }
    const QString head = native.trimmed().section(u' ', 0, 0).toLower();
    if (head == u"create" || head == u"alter" || head == u"drop") clearMetadataCache();
    return sqlite3_changes(m_handle);
}

void Connection::executeNative(const QString &sql)
{
    if (!m_handle) throw DbError(QStringLiteral("Database non aperto"));
    if (sqlite3_exec(m_handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DbError(engineError(m_handle));
    static const QRegularExpression ddl(QStringLiteral("\\b(create|alter|drop)\\b"), QRegularExpression::CaseInsensitiveOption);
    if (sql.contains(ddl)) clearMetadataCache();
}

QVariant Connection::scalar(const QString &accessSql)
{
    Statement st(m_handle, AccessSql::translate(accessSql));
    return st.step() ? st.value(0) : QVariant();
}

qint64 Connection::lastInsertId() const { return m_handle ? sqlite3_last_insert_rowid(m_handle) : 0; }

const Connection::TableInfo &Connection::tableInfo(const QString &table)
{
    const QString key = table.toLower();
    auto it = m_tables.find(key);
    if (it != m_tables.end()) return *it;
    TableInfo info;
    Statement st(m_handle, QStringLiteral("PRAGMA table_info(\"%1\")").arg(QString(table).replace(u'"', QLatin1String("\"\""))));
    while (st.step()) {
        info.exists = true;
        const QString name = st.value(1).toString();
        info.columns << name;
        if (st.value(5).toInt() == 1 && info.primaryKey.isEmpty()) info.primaryKey = name;
    }
    return *m_tables.insert(key, info);
}

QString Connection::primaryKey(const QString &table) { return tableInfo(table).primaryKey; }
QStringList Connection::columnNames(const QString &table) { return tableInfo(table).columns; }
bool Connection::hasTable(const QString &table) { return tableInfo(table).exists; }
void Connection::clearMetadataCache() { m_tables.clear(); }

} // namespace db
