// The SQLite engine: the only place, with SqliteFunctions.cpp and SqliteExtension.cpp, that
// calls the SQLite library.
#include "DateTimeText.h"
#include "DbError.h"
#include "Engine.h"
#include "SqliteFunctions.h"

#include <cstring>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace db {

namespace {

// The text of an engine failure as the user reads it: for the failures a user can act on (archive
// busy, read-only, damaged, not a database, disk full, unreachable, data against the rules) an
// Italian sentence saying what happened and what to do, then the engine's own text.
QString engineMessage(int code, const QString &engineText)
{
    const char *sentence = nullptr;
    switch (code) {
    case SQLITE_READONLY_DBMOVED:
        sentence = "Il file dell'archivio è stato spostato, rinominato o cancellato mentre il programma lo usava: "
                   "le modifiche non possono essere salvate. Chiudere il programma, rimettere il file al suo posto "
                   "e riaprire il programma.";
        break;
    case SQLITE_CONSTRAINT_NOTNULL:
        sentence = "Manca un dato obbligatorio: inserirlo e riprovare.";
        break;
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        sentence = "Il valore è già presente nell'archivio e non può essere ripetuto: cambiarlo e riprovare.";
        break;
    default:
        switch (code & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            sentence = "L'archivio è occupato da un'altra postazione o da un altro programma: "
                       "attendere qualche istante e riprovare.";
            break;
        case SQLITE_READONLY:
            sentence = "L'archivio è in sola lettura: le modifiche non possono essere salvate. "
                       "Controllare i permessi del file dell'archivio e della sua cartella.";
            break;
        case SQLITE_CORRUPT:
            sentence = "L'archivio è danneggiato. Non fare altre modifiche: fare subito una copia del file "
                       "dell'archivio, poi ripristinare l'ultima copia di sicurezza o farlo riparare.";
            break;
        case SQLITE_NOTADB:
            sentence = "Il file aperto non è un archivio del programma, oppure è danneggiato fin dall'inizio. "
                       "Controllare il percorso dell'archivio o ripristinare l'ultima copia di sicurezza.";
            break;
        case SQLITE_FULL:
            sentence = "Il disco dell'archivio è pieno: le modifiche non sono state salvate. "
                       "Liberare spazio sul disco e riprovare.";
            break;
        case SQLITE_CANTOPEN:
            sentence = "Impossibile aprire il file dell'archivio: controllare che la cartella esista e sia "
                       "raggiungibile (disco o cartella di rete) e che si possa scriverci.";
            break;
        case SQLITE_IOERR:
            sentence = "Errore di lettura o scrittura sul disco dell'archivio: controllare il disco o il "
                       "collegamento alla cartella di rete e riprovare.";
            break;
        case SQLITE_CONSTRAINT:
            sentence = "I dati non rispettano le regole dell'archivio (un dato obbligatorio mancante, un valore "
                       "ripetuto o un collegamento a un dato che non esiste): correggerli e riprovare.";
            break;
        }
    }
    return sentence ? QString::fromUtf8(sentence) + u'\n' + engineText : engineText;
}

// engineMessage of the handle's last failure.
QString engineError(sqlite3 *handle)
{
    return engineMessage(sqlite3_extended_errcode(handle), QString::fromUtf8(sqlite3_errmsg(handle)));
}

// The handle's last failure as the error thrown: a lock held past the busy timeout is Busy.
DbError engineFailure(sqlite3 *handle)
{
    const int code = sqlite3_extended_errcode(handle) & 0xff;
    return DbError(engineError(handle), code == SQLITE_BUSY || code == SQLITE_LOCKED ? DbError::Kind::Busy : DbError::Kind::Other);
}

QString fromC(const char *s) { return s ? QString::fromUtf8(s) : QString(); }

class SqliteStatement final : public EngineStatement {
public:
    SqliteStatement(sqlite3 *handle, const QString &sql) : m_handle(handle)
    {
        const QByteArray u = sql.toUtf8();
        const char *tail = nullptr;
        if (sqlite3_prepare_v2(handle, u.constData(), int(u.size()), &m_stmt, &tail) != SQLITE_OK) {
            const DbError failure = engineFailure(handle);
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
            logStatement(failure.message(), sql);
            throw failure;
        }
        if (!m_stmt) throw DbError(QStringLiteral("Istruzione SQL vuota"));
        // A trailing ";" is fine; a second statement is not run silently.
        if (tail) {
            QString rest = QString::fromUtf8(tail).trimmed();
            while (rest.startsWith(u';')) rest = rest.mid(1).trimmed();
            if (!rest.isEmpty()) {
                sqlite3_finalize(m_stmt);
                m_stmt = nullptr;
                logStatement(QStringLiteral("Più istruzioni in un solo comando"), sql);
                throw DbError(QStringLiteral("Più istruzioni in un solo comando: l'istruzione non è stata eseguita."));
            }
        }
    }
    ~SqliteStatement() override { sqlite3_finalize(m_stmt); }

    int parameterCount() const override { return sqlite3_bind_parameter_count(m_stmt); }
    QString parameterName(int index1) const override { return fromC(sqlite3_bind_parameter_name(m_stmt, index1)); }

    void bind(int index1, const QVariant &v) override
    {
        int rc;
        if (v.isNull()) {
            rc = sqlite3_bind_null(m_stmt, index1);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
                rc = sqlite3_bind_int(m_stmt, index1, v.toBool() ? 1 : 0);
                break;
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::ULongLong:
            case QMetaType::Long:
            case QMetaType::ULong:
            case QMetaType::Short:
            case QMetaType::UShort:
                rc = sqlite3_bind_int64(m_stmt, index1, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, index1, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob(m_stmt, index1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QDate:
            case QMetaType::QDateTime: {
                // Dates are stored as canonical text, midnight written out.
                const QString c = toCanonicalValue(v).toString();
                rc = c.isEmpty() ? sqlite3_bind_null(m_stmt, index1) : bindText(index1, c);
                break;
            }
            default:
                rc = bindText(index1, v.toString());
            }
        }
        if (rc != SQLITE_OK) throw DbError(engineError(m_handle));
    }

    bool step() override
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        const DbError failure = engineFailure(m_handle);
        sqlite3_reset(m_stmt);
        logStatement(failure.message(), QString::fromUtf8(sqlite3_sql(m_stmt)));
        throw failure;
    }

    void reset() override
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

    int columnCount() const override { return sqlite3_column_count(m_stmt); }

    QVariant value(int col) const override
    {
        switch (sqlite3_column_type(m_stmt, col)) {
        case SQLITE_INTEGER:
            return QVariant(qint64(sqlite3_column_int64(m_stmt, col)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(m_stmt, col));
        case SQLITE_TEXT:
            return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, col)),
                                              sqlite3_column_bytes(m_stmt, col)));
        case SQLITE_BLOB:
            return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, col)),
                                       sqlite3_column_bytes(m_stmt, col)));
        default:
            return QVariant();
        }
    }

    void readRow(QVariant *row) override
    {
        const int n = columnCount();
        if (int(m_lastBytes.size()) != n) {
            m_lastBytes.assign(n, std::string());
            m_lastText.assign(n, QVariant());
        }
        for (int i = 0; i < n; ++i) {
            switch (sqlite3_column_type(m_stmt, i)) {
            case SQLITE_INTEGER:
                row[i] = QVariant(qint64(sqlite3_column_int64(m_stmt, i)));
                break;
            case SQLITE_FLOAT:
                row[i] = QVariant(sqlite3_column_double(m_stmt, i));
                break;
            case SQLITE_TEXT: {
                const char *t = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
                const int len = sqlite3_column_bytes(m_stmt, i);
                // The previous row's text of the column is kept in a buffer reused row after row,
                // so a repeated value costs a comparison and no allocation.
                std::string &last = m_lastBytes[i];
                if (last.size() != size_t(len) || memcmp(last.data(), t, size_t(len)) != 0) {
                    last.assign(t, size_t(len));
                    m_lastText[i] = QVariant(QString::fromUtf8(t, len));
                }
                row[i] = m_lastText[i];
                break;
            }
            case SQLITE_NULL:
                row[i] = QVariant();
                break;
            default:
                row[i] = value(i);
            }
        }
    }

    QString columnName(int col) const override { return fromC(sqlite3_column_name(m_stmt, col)); }
    QString declaredType(int col) const override { return fromC(sqlite3_column_decltype(m_stmt, col)); }
    QString originTable(int col) const override { return fromC(sqlite3_column_table_name(m_stmt, col)); }
    QString originColumn(int col) const override { return fromC(sqlite3_column_origin_name(m_stmt, col)); }

private:
    int bindText(int index1, const QString &s)
    {
        const QByteArray u = s.toUtf8();
        return sqlite3_bind_text(m_stmt, index1, u.constData(), int(u.size()), SQLITE_TRANSIENT);
    }

    sqlite3 *m_handle;
    sqlite3_stmt *m_stmt = nullptr;
    // Lists repeat values down a column (towns, flags, notes): the previous row's text is
    // shared instead of converted and allocated again.
    std::vector<std::string> m_lastBytes;
    std::vector<QVariant> m_lastText;
};

class SqliteEngine final : public Engine {
public:
    explicit SqliteEngine(const std::function<QDateTime()> *now) : m_now(now)
    {
        // Each connection is used by one thread only: SQLite's per-call mutex is pure cost
        // (it doubled the time to read a large list). Must happen before SQLite starts.
        static const bool configured = [] {
            sqlite3_config(SQLITE_CONFIG_MULTITHREAD);
            return true;
        }();
        Q_UNUSED(configured);
    }
    ~SqliteEngine() override { close(); }

    bool open(const QString &path, QString *error) override
    {
        close();
        sqlite3 *h = nullptr;
        const int rc = sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            if (error) *error = h ? engineError(h) : engineMessage(rc, QString::fromUtf8(sqlite3_errstr(rc)));
            sqlite3_close(h);
            return false;
        }
        m_handle = h;
        sqlite3_extended_result_codes(h, 1);
        try {
            if (registerAccessFunctions(h, m_now) != SQLITE_OK) throw DbError(engineError(h));
            // Another workstation may hold the file for a moment; never lose a write to a crash.
            sqlite3_busy_timeout(h, 10000);
            executeScript(QStringLiteral("PRAGMA synchronous = FULL"));
            // Reading the schema catches a file that is not a database at all.
            hasAnyTable();
        } catch (const DbError &e) {
            if (error) *error = e.message();
            close();
            return false;
        }
        return true;
    }

    void close() override
    {
        if (!m_handle) return;
        // Statements still alive are finalized by their owners; the handle goes when they do.
        sqlite3_close_v2(m_handle);
        m_handle = nullptr;
    }

    bool isOpen() const override { return m_handle != nullptr; }

    std::unique_ptr<EngineStatement> prepare(const QString &sql) override
    {
        if (!m_handle) throw DbError(QStringLiteral("Database non aperto"));
        return std::make_unique<SqliteStatement>(m_handle, sql);
    }

    void executeScript(const QString &sql) override
    {
        if (!m_handle) throw DbError(QStringLiteral("Database non aperto"));
        if (sqlite3_exec(m_handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw engineFailure(m_handle);
    }

    int changes() const override { return m_handle ? sqlite3_changes(m_handle) : 0; }
    qint64 lastInsertId() const override { return m_handle ? sqlite3_last_insert_rowid(m_handle) : 0; }

    TableDescription describeTable(const QString &table) override
    {
        TableDescription info;
        const auto st = prepare(QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(table)));
        while (st->step()) {
            info.exists = true;
            const QString name = st->value(1).toString();
            info.columns << name;
            info.types << st->value(2).toString();
            if (st->value(5).toInt() == 1 && info.primaryKey.isEmpty()) info.primaryKey = name;
        }
        return info;
    }

    bool hasAnyTable() override
    {
        const auto st = prepare(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'"));
        return st->step() && st->value(0).toInt() > 0;
    }

    QStringList tableNames() override
    {
        QStringList names;
        const auto st = prepare(QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type = 'table' AND substr(name, 1, 7) <> 'sqlite_' ORDER BY name"));
        while (st->step()) names << st->value(0).toString();
        return names;
    }

    int userVersion() override
    {
        const auto st = prepare(QStringLiteral("PRAGMA user_version"));
        return st->step() ? st->value(0).toInt() : 0;
    }

    void setUserVersion(int version) override { executeScript(QStringLiteral("PRAGMA user_version = %1").arg(version)); }

    QString beginTransactionSql() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    // The write transaction (BEGIN IMMEDIATE) already keeps every other writer of the file out.
    void lockForNumbering(const QString &) override {}

    QString sameValueCondition(const QString &quotedColumn, const QString &parameter) const override
    {
        // IS treats two nulls as equal; the binary collation tells apart a change of case only.
        return QStringLiteral("%1 IS %2 COLLATE BINARY").arg(quotedColumn, parameter);
    }

private:
    const std::function<QDateTime()> *m_now;
    sqlite3 *m_handle = nullptr;
};

} // namespace

std::unique_ptr<Engine> createSqliteEngine(const std::function<QDateTime()> *now) { return std::make_unique<SqliteEngine>(now); }

} // namespace db
