// The PostgreSQL engine: the only place that calls libpq. A shared database for several
// workstations; the program's values travel as text both ways.
#include "DateTimeText.h"
#include "DbError.h"
#include "Engine.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <libpq-fe.h>
#include <memory>
#include <vector>

namespace db {

namespace {

// Type ids of PostgreSQL's built-in types (pg_type.oid), fixed by the server.
enum : Oid {
    kBool = 16, kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26,
    kFloat4 = 700, kFloat8 = 701, kNumeric = 1700, kDate = 1082, kTimestamp = 1114, kTimestampTz = 1184,
};

// A server failure as the user reads it: for the failures a user can act on an Italian sentence,
// then the server's own text as a detail. A serialization failure or a deadlock is a Conflict
// (the transaction is gone whole and may run again), a lock waited for past lock_timeout Busy.
DbError engineFailure(const char *sqlState, const QString &serverText)
{
    const QByteArray state(sqlState ? sqlState : "");
    const char *sentence = nullptr;
    DbError::Kind kind = DbError::Kind::Other;
    if (state == "23502")
        sentence = "Manca un dato obbligatorio: inserirlo e riprovare.";
    else if (state == "23505")
        sentence = "Il valore è già presente nell'archivio e non può essere ripetuto: cambiarlo e riprovare.";
    else if (state.startsWith("23"))
        sentence = "I dati non rispettano le regole dell'archivio (un dato obbligatorio mancante, un valore "
                   "ripetuto o un collegamento a un dato che non esiste): correggerli e riprovare.";
    else if (state == "40001" || state == "40P01") {
        sentence = "Un'altra postazione ha modificato gli stessi dati nello stesso momento: l'operazione è stata "
                   "annullata e nulla è stato salvato. Riprovare.";
        kind = DbError::Kind::Conflict;
    } else if (state == "55P03") {
        sentence = "L'archivio è occupato da un'altra postazione o da un altro programma: "
                   "attendere qualche istante e riprovare.";
        kind = DbError::Kind::Busy;
    } else if (state.startsWith("08") || state == "57P01")
        sentence = "Il collegamento con il server dell'archivio si è interrotto: controllare la rete e riprovare.";
    else if (state == "53100")
        sentence = "Il disco del server dell'archivio è pieno: le modifiche non sono state salvate.";
    return DbError(sentence ? QString::fromUtf8(sentence) + u'\n' + serverText : serverText, kind);
}

DbError resultError(const PGresult *r, PGconn *conn)
{
    // The server's words without the statement it quotes ("LINE 1: ..."), which goes to the log.
    QString text;
    if (r && PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY)) {
        text = QString::fromUtf8(PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY));
        if (const char *detail = PQresultErrorField(r, PG_DIAG_MESSAGE_DETAIL)) text += u'\n' + QString::fromUtf8(detail);
    } else {
        text = QString::fromUtf8(r ? PQresultErrorMessage(r) : PQerrorMessage(conn)).trimmed();
    }
    return engineFailure(r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr, text);
}

struct ResultDeleter {
    void operator()(PGresult *r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

// What the catalogue says of one column of a table.
struct ColumnOrigin {
    QString table;
    QString column;
    QString type; // as declared, domains by their own name ("datetime", "yesno")
};

// The state one connection shares with its statements.
struct Session {
    PGconn *conn = nullptr;
    const std::function<QDateTime()> *now = nullptr;
    int changes = 0;
    QHash<quint64, ColumnOrigin> origins; // (table oid << 16 | column number) -> origin
    QHash<Oid, bool> originsLoaded;

    const ColumnOrigin *origin(Oid table, int column)
    {
        if (table == InvalidOid || column <= 0) return nullptr;
        const quint64 key = (quint64(table) << 16) | quint64(column);
        const bool known = originsLoaded.value(table);
        if (!known) load(table);
        auto it = origins.constFind(key);
        // A column added since the table was looked up: look it up again.
        if (it == origins.constEnd() && known) {
            load(table);
            it = origins.constFind(key);
        }
        return it == origins.constEnd() ? nullptr : &*it;
    }

    // One look-up per table: every column at once.
    void load(Oid table)
    {
        const QByteArray id = QByteArray::number(table);
        const char *values[] = {id.constData()};
        Result r(PQexecParams(conn,
                              "SELECT c.relname, a.attnum, a.attname, t.typname FROM pg_attribute a "
                              "JOIN pg_class c ON c.oid = a.attrelid JOIN pg_type t ON t.oid = a.atttypid "
                              "WHERE a.attrelid = $1::oid AND a.attnum > 0 AND NOT a.attisdropped",
                              1, nullptr, values, nullptr, nullptr, 0));
        if (PQresultStatus(r.get()) != PGRES_TUPLES_OK) return;
        for (int i = 0, n = PQntuples(r.get()); i < n; ++i) {
            const quint64 key = (quint64(table) << 16) | quint64(atoi(PQgetvalue(r.get(), i, 1)));
            origins.insert(key, {QString::fromUtf8(PQgetvalue(r.get(), i, 0)), QString::fromUtf8(PQgetvalue(r.get(), i, 2)),
                                 QString::fromUtf8(PQgetvalue(r.get(), i, 3))});
        }
        originsLoaded.insert(table, true);
    }
};

// Rewrites ":name", "@name" and "?" parameters as "$n", leaving strings, quoted names,
// comments and "::" casts alone. One name is one "$n" however often it appears. Names in
// brackets or double quotes are quoted in lower case, as the tables were made.
QString numberParameters(const QString &sql, QStringList *names)
{
    QString out;
    out.reserve(sql.size() + 8);
    const qsizetype n = sql.size();
    auto isNameChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            qsizetype j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            // A quoted name is folded to lower case, as the server folds unquoted ones.
            const QStringView quoted = QStringView(sql).mid(i, j - i + 1);
            out += c == u'"' ? quoted.toString().toLower() : quoted.toString();
            i = j;
        } else if (c == u'[' && i + 1 < n && !sql[i + 1].isDigit()) {
            // Access's [name] (not an array subscript), quoted as the server does it.
            const qsizetype j = sql.indexOf(u']', i);
            if (j < 0) {
                out += c;
                continue;
            }
            out += u'"' + sql.mid(i + 1, j - i - 1).toLower().replace(u'"', QLatin1String("\"\"")) + u'"';
            i = j;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            const qsizetype j = sql.indexOf(u'\n', i);
            const qsizetype end = j < 0 ? n : j;
            out += QStringView(sql).mid(i, end - i);
            i = end - 1;
        } else if (c == u':' && i + 1 < n && sql[i + 1] == u':') {
            out += QLatin1String("::");
            ++i;
        } else if ((c == u':' || c == u'@') && i + 1 < n && (sql[i + 1].isLetter() || sql[i + 1] == u'_')) {
            qsizetype j = i + 1;
            while (j < n && isNameChar(sql[j])) ++j;
            const QString name = sql.mid(i, j - i);
            qsizetype k = 0;
            for (; k < names->size(); ++k)
                if ((*names)[k].compare(name, Qt::CaseInsensitive) == 0) break;
            if (k == names->size()) names->append(name);
            out += u'$' + QString::number(k + 1);
            i = j - 1;
        } else if (c == u'?') {
            names->append(QString());
            out += u'$' + QString::number(names->size());
        } else {
            out += c;
        }
    }
    return out;
}

// The schema is written once, in SQLite's dialect; the same definitions make the tables on
// the server by rule: quoted names in lower case (as the server folds unquoted ones, which the
// program's SQL uses), keys from an identity, text that ignores case as citext, whole numbers
// as bigint, REAL as double precision, BLOB as bytea; yes/no (BOOLEAN) and dates (DATETIME)
// stay as the domains yesno (0/1) and datetime (canonical text) the engine creates.
QString schemaForServer(const QString &sql)
{
    struct Rule {
        QRegularExpression re;
        QString with;
    };
    static const std::vector<Rule> rules = [] {
        const auto ci = QRegularExpression::CaseInsensitiveOption;
        return std::vector<Rule>{
            {QRegularExpression(QStringLiteral("\\bINTEGER\\s+PRIMARY\\s+KEY(\\s+AUTOINCREMENT)?\\b"), ci),
             QStringLiteral("bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY")},
            {QRegularExpression(QStringLiteral("\\bTEXT\\s+COLLATE\\s+U?NOCASE\\b"), ci), QStringLiteral("citext")},
            {QRegularExpression(QStringLiteral("\\s+COLLATE\\s+U?NOCASE\\b"), ci), QString()},
            {QRegularExpression(QStringLiteral("\\bINTEGER\\b"), ci), QStringLiteral("bigint")},
            {QRegularExpression(QStringLiteral("\\bREAL\\b"), ci), QStringLiteral("double precision")},
            {QRegularExpression(QStringLiteral("\\bBLOB\\b"), ci), QStringLiteral("bytea")},
            {QRegularExpression(QStringLiteral("\\bBOOLEAN\\b"), ci), QStringLiteral("yesno")},
        };
    }();
    // Rules apply outside strings and comments; quoted names go to lower case.
    QString out;
    QString code;
    auto flush = [&] {
        for (const Rule &r : rules) code.replace(r.re, r.with);
        out += code;
        code.clear();
    };
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            qsizetype j = i + 1;
            while (j < n && !(sql[j] == c && !(j + 1 < n && sql[j + 1] == c))) j += (sql[j] == c) ? 2 : 1;
            const QString quoted = sql.mid(i, j - i + 1);
            flush();
            out += c == u'"' ? quoted.toLower() : quoted;
            i = j;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            qsizetype j = sql.indexOf(u'\n', i);
            if (j < 0) j = n;
            flush();
            out += QStringView(sql).mid(i, j - i);
            i = j - 1;
        } else {
            code += c;
        }
    }
    flush();
    return out;
}

class PostgresStatement final : public EngineStatement {
public:
    PostgresStatement(Session *session, const QString &sql) : m_session(session)
    {
        m_sql = numberParameters(sql, &m_names).toUtf8();
        m_asksClock = m_sql.contains("acc_now(") || m_sql.contains("acc_date(");
        m_values.resize(m_names.size());
        m_null.assign(m_names.size(), true);
    }

    int parameterCount() const override { return int(m_names.size()); }
    QString parameterName(int index1) const override { return m_names.value(index1 - 1); }

    void bind(int index1, const QVariant &v) override
    {
        if (index1 < 1 || index1 > m_names.size()) throw DbError(QStringLiteral("Parametro %1 inesistente").arg(index1));
        const int i = index1 - 1;
        m_null[i] = v.isNull();
        if (v.isNull()) return;
        switch (v.typeId()) {
        case QMetaType::Bool:
            m_values[i] = v.toBool() ? "1" : "0";
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            // The shortest text that reads back as the same number, as the server writes it.
            m_values[i] = QByteArray::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
            break;
        case QMetaType::QDate:
        case QMetaType::QDateTime: {
            const QString c = toCanonicalValue(v).toString();
            m_null[i] = c.isEmpty();
            m_values[i] = c.toUtf8();
            break;
        }
        case QMetaType::QByteArray:
            // Bytes travel in bytea's hex form: raw, a zero byte would end the value and
            // a backslash would be read as an escape.
            m_values[i] = "\\x" + v.toByteArray().toHex();
            break;
        default:
            m_values[i] = v.toString().toUtf8();
        }
    }

    bool step() override
    {
        if (!m_result) run();
        if (m_row + 1 >= PQntuples(m_result.get())) {
            m_row = PQntuples(m_result.get());
            return false;
        }
        ++m_row;
        return true;
    }

    void reset() override
    {
        m_result.reset();
        m_row = -1;
        m_null.assign(m_names.size(), true);
    }

    // The columns are known once the statement ran: asking for them first runs it.
    int columnCount() const override { return PQnfields(result()); }

    QVariant value(int col) const override
    {
        const PGresult *r = m_result.get();
        if (!r || m_row < 0 || PQgetisnull(r, m_row, col)) return QVariant();
        const char *t = PQgetvalue(r, m_row, col);
        const int len = PQgetlength(r, m_row, col);
        switch (PQftype(r, col)) {
        case kInt2:
        case kInt4:
        case kInt8:
        case kOid:
            return QVariant(qint64(strtoll(t, nullptr, 10)));
        case kFloat4:
        case kFloat8:
        case kNumeric:
            return QVariant(QByteArray::fromRawData(t, len).toDouble());
        case kBool:
            return QVariant(qint64(t[0] == 't' ? 1 : 0));
        case kBytea: {
            size_t size = 0;
            unsigned char *raw = PQunescapeBytea(reinterpret_cast<const unsigned char *>(t), &size);
            const QByteArray b(reinterpret_cast<const char *>(raw), qsizetype(size));
            PQfreemem(raw);
            return QVariant(b);
        }
        case kTimestamp:
        case kTimestampTz:
            // The canonical text the program stores: no fractions of a second.
            return QVariant(QString::fromUtf8(t, std::min(len, 19)));
        default:
            return QVariant(QString::fromUtf8(t, len));
        }
    }

    void readRow(QVariant *row) override
    {
        const int n = columnCount();
        for (int i = 0; i < n; ++i) row[i] = value(i);
    }

    QString columnName(int col) const override { return QString::fromUtf8(PQfname(result(), col)); }

    QString declaredType(int col) const override
    {
        if (const ColumnOrigin *o = originOf(col)) return o->type;
        switch (PQftype(result(), col)) {
        case kInt2:
        case kInt4:
        case kInt8:
            return QStringLiteral("INTEGER");
        case kFloat4:
        case kFloat8:
        case kNumeric:
            return QStringLiteral("DOUBLE");
        case kBool:
            return QStringLiteral("BOOLEAN");
        case kDate:
        case kTimestamp:
        case kTimestampTz:
            return QStringLiteral("DATETIME");
        case kBytea:
            return QStringLiteral("BLOB");
        default:
            return QString(); // an expression: typed by its values
        }
    }

    QString originTable(int col) const override
    {
        const ColumnOrigin *o = originOf(col);
        return o ? o->table : QString();
    }
    QString originColumn(int col) const override
    {
        const ColumnOrigin *o = originOf(col);
        return o ? o->column : QString();
    }

private:
    const PGresult *result() const
    {
        if (!m_result) const_cast<PostgresStatement *>(this)->run();
        return m_result.get();
    }

    const ColumnOrigin *originOf(int col) const
    {
        const PGresult *r = result();
        return m_session->origin(PQftable(r, col), PQftablecol(r, col));
    }

    void run()
    {
        if (!m_session->conn) throw DbError(QStringLiteral("Database non aperto"));
        if (m_asksClock) handOverClock();
        std::vector<const char *> values(m_names.size());
        std::vector<int> lengths(m_names.size());
        for (qsizetype i = 0; i < m_names.size(); ++i) {
            values[i] = m_null[i] ? nullptr : m_values[i].constData();
            lengths[i] = int(m_values[i].size());
        }
        Result r(PQexecParams(m_session->conn, m_sql.constData(), int(m_names.size()), nullptr, values.data(),
                              lengths.data(), nullptr, 0));
        const ExecStatusType status = PQresultStatus(r.get());
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
            const DbError failure = resultError(r.get(), m_session->conn);
            logStatement(failure.message(), QString::fromUtf8(m_sql));
            throw failure;
        }
        m_session->changes = atoi(PQcmdTuples(r.get()));
        m_result = std::move(r);
        m_row = -1;
    }

    // Date() and Now() answer the program's clock: handed to the server before the statement.
    void handOverClock()
    {
        const QDateTime now = (m_session->now && *m_session->now) ? (*m_session->now)() : QDateTime::currentDateTime();
        const QByteArray text = canonicalDateTime(now).toUtf8();
        const char *values[] = {text.constData()};
        Result r(PQexecParams(m_session->conn, "SELECT set_config('pella.adesso', $1, false)", 1, nullptr, values, nullptr,
                              nullptr, 0));
        if (PQresultStatus(r.get()) != PGRES_TUPLES_OK) throw resultError(r.get(), m_session->conn);
    }

    Session *m_session;
    bool m_asksClock = false;
    QByteArray m_sql;
    QStringList m_names;
    std::vector<QByteArray> m_values;
    std::vector<bool> m_null;
    Result m_result;
    int m_row = -1;
};

class PostgresEngine final : public Engine {
public:
    explicit PostgresEngine(const std::function<QDateTime()> *now) { m_session.now = now; }
    ~PostgresEngine() override { close(); }

    bool open(const QString &address, QString *error) override
    {
        close();
        PGconn *c = PQconnectdb(address.toUtf8().constData());
        if (PQstatus(c) != CONNECTION_OK) {
            if (error)
                *error = QStringLiteral("Impossibile collegarsi al server dell'archivio: controllare l'indirizzo, "
                                        "la rete e che il server sia acceso.\n")
                         + QString::fromUtf8(PQerrorMessage(c)).trimmed();
            PQfinish(c);
            return false;
        }
        m_session.conn = c;
        try {
            // Warnings of the server ("NOTICE: ... already exists") are not the user's business.
            PQsetNoticeProcessor(c, [](void *, const char *) {}, nullptr);
            // The session does not trust the server's defaults: a backslash in a literal is a
            // backslash, and a lock is waited for as long as on the file (10 s), then the
            // statement fails with a clear message instead of freezing the workstation.
            executeScript(QStringLiteral("SET client_encoding = 'UTF8'; SET DateStyle = 'ISO, YMD'; "
                                         "SET client_min_messages = warning; SET standard_conforming_strings = on; "
                                         "SET lock_timeout = '10s'"));
            provideSchemaTypes();
        } catch (const DbError &e) {
            if (error) *error = e.message();
            close();
            return false;
        }
        return true;
    }

    // What the schema's definitions and the translated SQL rely on, made in a new database and
    // made again when the program's functions changed: the citext extension, the domains
    // yesno and datetime, the Access functions (schema/server/funzioni.sql, known by the
    // fingerprint of its text). Another connection may be making them at the same moment:
    // then they are there when this one fails.
    void provideSchemaTypes()
    {
        QFile file(QStringLiteral(":/schema/server/funzioni.sql"));
        if (!file.open(QIODevice::ReadOnly)) throw DbError(QStringLiteral("Funzioni del server mancanti nel programma"));
        const QByteArray functions = file.readAll();
        const QString fingerprint = QString::fromLatin1(QCryptographicHash::hash(functions, QCryptographicHash::Md5).toHex());
        auto present = [&] {
            const auto st = prepare(QStringLiteral(
                "SELECT to_regtype('yesno') IS NOT NULL AND to_regtype('datetime') IS NOT NULL AND to_regtype('citext') IS NOT NULL "
                "AND EXISTS (SELECT 1 FROM pg_proc WHERE proname = 'acc_funzioni_impronta' AND prosrc LIKE '%' || ? || '%')"));
            st->bind(1, fingerprint);
            return st->step() && st->value(0).toInt() != 0;
        };
        if (present()) return;
        try {
            runScript(QStringLiteral("BEGIN; CREATE EXTENSION IF NOT EXISTS citext; "
                                         "DO $$ BEGIN "
                                         "IF to_regtype('yesno') IS NULL THEN CREATE DOMAIN yesno AS integer; END IF; "
                                         "IF to_regtype('datetime') IS NULL THEN CREATE DOMAIN datetime AS text; END IF; "
                                         "END $$;")
                          + QString::fromUtf8(functions)
                          + QStringLiteral("; CREATE OR REPLACE FUNCTION acc_funzioni_impronta() RETURNS text LANGUAGE sql "
                                           "IMMUTABLE AS $$ SELECT '%1' $$; COMMIT")
                                .arg(fingerprint));
        } catch (const DbError &) {
            runScript(QStringLiteral("ROLLBACK"));
            if (!present()) throw;
        }
    }

    void close() override
    {
        if (!m_session.conn) return;
        PQfinish(m_session.conn);
        m_session.conn = nullptr;
        m_session.origins.clear();
        m_session.originsLoaded.clear();
    }

    bool isOpen() const override { return m_session.conn != nullptr; }

    std::unique_ptr<EngineStatement> prepare(const QString &sql) override
    {
        if (!m_session.conn) throw DbError(QStringLiteral("Database non aperto"));
        // Table definitions come in the schema's dialect (translated Access DDL included).
        static const QRegularExpression ddl(QStringLiteral("^\\s*(create|alter)\\b"), QRegularExpression::CaseInsensitiveOption);
        return std::make_unique<PostgresStatement>(&m_session, ddl.match(sql).hasMatch() ? schemaForServer(sql) : sql);
    }

    // Runs the schema's dialect (see schemaForServer) as well as the server's own.
    void executeScript(const QString &sql) override { runScript(schemaForServer(sql)); }

    // Runs the server's own SQL as it is.
    void runScript(const QString &sql)
    {
        if (!m_session.conn) throw DbError(QStringLiteral("Database non aperto"));
        Result r(PQexec(m_session.conn, sql.toUtf8().constData()));
        const ExecStatusType status = PQresultStatus(r.get());
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK && status != PGRES_EMPTY_QUERY) {
            const DbError failure = resultError(r.get(), m_session.conn);
            logStatement(failure.message(), sql.left(2000));
            throw failure;
        }
        // A transaction a failed statement aborted answers COMMIT with ROLLBACK and no error: that
        // is no success to report.
        if (qstrcmp(PQcmdStatus(r.get()), "ROLLBACK") == 0 && sql.trimmed().compare(u"COMMIT", Qt::CaseInsensitive) == 0)
            throw DbError(QStringLiteral("Le modifiche non sono state salvate: un passo dell'operazione non è riuscito e "
                                         "l'archivio l'ha annullata tutta."));
        // A table may have been dropped and made again: its columns are looked up anew.
        m_session.origins.clear();
        m_session.originsLoaded.clear();
    }

    int changes() const override { return m_session.changes; }

    void keysFollowRows() override
    {
        executeScript(QStringLiteral(
            "DO $$ DECLARE r record; BEGIN "
            "FOR r IN SELECT c.relname AS tab, a.attname AS col FROM pg_attribute a "
            "JOIN pg_class c ON c.oid = a.attrelid JOIN pg_namespace s ON s.oid = c.relnamespace "
            "WHERE a.attidentity <> '' AND s.nspname = current_schema() LOOP "
            "EXECUTE format('SELECT setval(pg_get_serial_sequence(%L, %L), coalesce((SELECT max(%I) FROM %I), 0) + 1, false)', "
            "quote_ident(r.tab), r.col, r.col, r.tab); "
            "END LOOP; END $$"));
    }

    qint64 lastInsertId() const override
    {
        if (!m_session.conn) return 0;
        // The last value a sequence of this session gave; none yet is an error, answered 0. A
        // savepoint keeps a failed look-up from spoiling an open transaction.
        const bool inTx = PQtransactionStatus(m_session.conn) == PQTRANS_INTRANS;
        if (inTx) Result(PQexec(m_session.conn, "SAVEPOINT pella_lastval"));
        Result r(PQexec(m_session.conn, "SELECT lastval()"));
        const bool ok = PQresultStatus(r.get()) == PGRES_TUPLES_OK;
        if (inTx) Result(PQexec(m_session.conn, ok ? "RELEASE pella_lastval" : "ROLLBACK TO pella_lastval; RELEASE pella_lastval"));
        return ok ? strtoll(PQgetvalue(r.get(), 0, 0), nullptr, 10) : 0;
    }

    TableDescription describeTable(const QString &table) override
    {
        TableDescription info;
        const auto st = prepare(QStringLiteral(
            "SELECT a.attname, EXISTS (SELECT 1 FROM pg_index i WHERE i.indrelid = c.oid AND i.indisprimary "
            "AND i.indkey[0] = a.attnum), format_type(a.atttypid, a.atttypmod) "
            "FROM pg_class c JOIN pg_attribute a ON a.attrelid = c.oid "
            "WHERE c.relname = lower(?) AND c.relkind IN ('r', 'v', 'p') AND pg_table_is_visible(c.oid) "
            "AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum"));
        st->bind(1, table);
        while (st->step()) {
            info.exists = true;
            const QString name = st->value(0).toString();
            info.columns << name;
            info.types << st->value(2).toString();
            if (st->value(1).toInt() == 1 && info.primaryKey.isEmpty()) info.primaryKey = name;
        }
        return info;
    }

    bool hasAnyTable() override
    {
        const auto st = prepare(QStringLiteral(
            "SELECT count(*) FROM pg_tables WHERE schemaname = current_schema() AND tablename <> 'pella_versione'"));
        return st->step() && st->value(0).toInt() > 0;
    }

    QStringList tableNames() override
    {
        QStringList names;
        const auto st = prepare(QStringLiteral("SELECT tablename FROM pg_tables WHERE schemaname = current_schema() "
                                               "AND tablename <> 'pella_versione' ORDER BY tablename"));
        while (st->step()) names << st->value(0).toString();
        return names;
    }

    // The schema version lives in a one-row table; none yet is version 0.
    int userVersion() override
    {
        const auto st = prepare(QStringLiteral("SELECT to_regclass('pella_versione') IS NOT NULL"));
        if (!st->step() || st->value(0).toInt() == 0) return 0;
        const auto v = prepare(QStringLiteral("SELECT versione FROM pella_versione"));
        return v->step() ? v->value(0).toInt() : 0;
    }

    void setUserVersion(int version) override
    {
        executeScript(QStringLiteral("CREATE TABLE IF NOT EXISTS pella_versione (versione integer NOT NULL); "
                                     "DELETE FROM pella_versione; INSERT INTO pella_versione VALUES (%1)")
                          .arg(version));
    }

    // Unquoted names are folded to lower case by the server, so the tables made from the
    // schema's definitions have lower-case names: a quoted name is folded the same way.
    QString quoteName(const QString &name) const override { return Engine::quoteName(name.toLower()); }

    // Every transaction sees one consistent world: two that read and write the same data at once
    // cannot both commit (the server cancels one with a serialization failure, which
    // inTransaction runs again). A single statement outside a transaction is atomic as it is.
    QString beginTransactionSql() const override { return QStringLiteral("BEGIN ISOLATION LEVEL SERIALIZABLE"); }

    // Two workstations numbering at once queue on the numbering's own lock, an advisory one
    // released with the transaction. The one that waited read with a snapshot older than the
    // other's commit, so the server cancels it (serialization failure) and inTransaction runs
    // it again, now after the other: numbers never repeat.
    void lockForNumbering(const QString &name) override
    {
        const auto st = prepare(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(?))"));
        st->bind(1, QString(QStringLiteral("pellavantoria.numerazione.") + name.toLower()));
        st->step();
    }

    QString sameValueCondition(const QString &quotedColumn, const QString &parameter) const override
    {
        // Compared as text: exact (a change of case counts) and the same for every column type.
        return QStringLiteral("%1::text IS NOT DISTINCT FROM %2::text").arg(quotedColumn, parameter);
    }

private:
    Session m_session;
};

} // namespace

std::unique_ptr<Engine> createPostgresEngine(const std::function<QDateTime()> *now) { return std::make_unique<PostgresEngine>(now); }

bool isServerAddress(const QString &location)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(postgres(ql)?://|(host|hostaddr|port|dbname|user|service)\\s*=)"),
        QRegularExpression::CaseInsensitiveOption);
    return re.match(location).hasMatch();
}

QString serverAddressText(const ServerAddress &a)
{
    // Values in single quotes, with quotes and backslashes escaped, as libpq reads them.
    auto quoted = [](const QString &v) -> QString {
        QString e = v;
        e.replace(u'\\', QLatin1String("\\\\")).replace(u'\'', QLatin1String("\\'"));
        return u'\'' + e + u'\'';
    };
    QStringList parts;
    if (!a.host.isEmpty()) parts << QStringLiteral("host=") + quoted(a.host);
    parts << QStringLiteral("port=%1").arg(a.port);
    if (!a.database.isEmpty()) parts << QStringLiteral("dbname=") + quoted(a.database);
    if (!a.user.isEmpty()) parts << QStringLiteral("user=") + quoted(a.user);
    parts << QStringLiteral("connect_timeout=10");
    return parts.join(u' ');
}

ServerAddress parseServerAddress(const QString &address)
{
    ServerAddress a;
    a.port = 0;
    if (!isServerAddress(address)) return a;
    char *error = nullptr;
    PQconninfoOption *options = PQconninfoParse(address.toUtf8().constData(), &error);
    if (error) PQfreemem(error);
    if (!options) return a;
    for (PQconninfoOption *o = options; o->keyword; ++o) {
        if (!o->val) continue;
        const QByteArray k(o->keyword);
        const QString v = QString::fromUtf8(o->val);
        if (k == "host") a.host = v;
        else if (k == "port") a.port = v.toInt();
        else if (k == "dbname") a.database = v;
        else if (k == "user") a.user = v;
    }
    PQconninfoFree(options);
    if (a.port <= 0) a.port = 5432; // the client library's own default
    return a;
}

} // namespace db
