#include "Connection.h"
#include "AccessSql.h"
#include "DbError.h"

#include <QRegularExpression>

namespace db {

namespace {

// Distinct statements whose translation is kept; the program has a few hundred. Past this
// the cache starts again rather than grow with statements built around changing values.
constexpr qsizetype kMaxTranslations = 512;

bool changesSchema(const QString &nativeSql)
{
    const QString head = nativeSql.trimmed().section(u' ', 0, 0).toLower();
    return head == u"create" || head == u"alter" || head == u"drop";
}

} // namespace

Connection::Connection() : m_engine(createSqliteEngine(&m_now)) {}

Connection::~Connection() { close(); }

bool Connection::open(const QString &path)
{
    close();
    m_error.clear();
    // A server address opens the shared database on PostgreSQL, a path the SQLite file.
    const bool server = isServerAddress(path);
    if (server != m_onServer) {
        m_engine = server ? createPostgresEngine(&m_now) : createSqliteEngine(&m_now);
        m_onServer = server;
    }
    if (!m_engine->open(path, &m_error)) return false;
    m_path = path;
    return true;
}

void Connection::close()
{
    m_tables.clear();
    m_txDepth = 0;
    m_undo.clear();
    m_engine->close();
    m_path.clear();
}

QString Connection::translate(const QString &accessSql)
{
    auto it = m_translations.constFind(accessSql);
    if (it != m_translations.constEnd()) return *it;
    const QString native = AccessSql::translate(accessSql);
    if (m_translations.size() >= kMaxTranslations) m_translations.clear();
    m_translations.insert(accessSql, native);
    return native;
}

int Connection::execute(const QString &accessSql, const Params &params)
{
    const QString native = translate(accessSql);
    const auto st = m_engine->prepare(native);
    st->bindAll(params);
    while (st->step()) {
    }
    if (changesSchema(native)) clearMetadataCache();
    return m_engine->changes();
}

void Connection::executeNative(const QString &sql)
{
    m_engine->executeScript(sql);
    static const QRegularExpression ddl(QStringLiteral("\\b(create|alter|drop)\\b"), QRegularExpression::CaseInsensitiveOption);
    if (sql.contains(ddl)) clearMetadataCache();
}

QVariant Connection::scalar(const QString &accessSql, const Params &params)
{
    const auto st = m_engine->prepare(translate(accessSql));
    st->bindAll(params);
    return st->step() ? st->value(0) : QVariant();
}

void Connection::lockForNumbering(const QString &name)
{
    if (m_txDepth == 0) throw DbError(QStringLiteral("La numerazione %1 va bloccata dentro una transazione").arg(name));
    m_engine->lockForNumbering(name);
}

void Connection::onRollback(std::function<void()> undo)
{
    if (m_txDepth > 0) m_undo.append({m_txDepth, std::move(undo)});
}

void Connection::rolledBack(int level)
{
    while (!m_undo.isEmpty() && m_undo.last().first > level) {
        const auto undo = m_undo.takeLast().second;
        undo();
    }
}

void Connection::committed(int level)
{
    if (level == 0) {
        m_undo.clear();
        return;
    }
    // A released savepoint's work now belongs to the transaction around it.
    for (auto &u : m_undo)
        if (u.first > level) u.first = level;
}

qint64 Connection::lastInsertId() const { return m_engine->lastInsertId(); }

const TableDescription &Connection::tableInfo(const QString &table)
{
    const QString key = table.toLower();
    auto it = m_tables.find(key);
    if (it != m_tables.end()) return *it;
    return *m_tables.insert(key, m_engine->describeTable(table));
}

QString Connection::primaryKey(const QString &table) { return tableInfo(table).primaryKey; }
QStringList Connection::columnNames(const QString &table) { return tableInfo(table).columns; }
bool Connection::hasTable(const QString &table) { return tableInfo(table).exists; }
QStringList Connection::columnTypes(const QString &table) { return tableInfo(table).types; }
QStringList Connection::tableNames() { return m_engine->tableNames(); }
void Connection::clearMetadataCache() { m_tables.clear(); }

} // namespace db
