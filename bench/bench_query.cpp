// Measures the program's dataset against plain sqlite3 on the generated database (the same
// file, the same SQL, the same collation), median of several runs, and prints the ratios.
// The plain side keeps its rows in memory as the dataset does (every column of every row as a
// QVariant), and filters, sorts and searches those rows; a sort orders only the key column,
// case-folded once.
// Usage: bench_query [--scala X] [--runs N]
#include "BenchData.h"

#include "data/SharedQueries.h"
#include "db/AccessSql.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/SqliteFunctions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <sqlite3.h>
#include <vector>

namespace {

int g_runs = 5;

struct Side {
    std::function<void()> prepare; // untimed, before each run
    std::function<void()> work;
};
struct Medians {
    double ours = 0, raw = 0;
};

// Runs alternate between the two sides, so a change in the machine's load hits both alike.
Medians measure(const Side &ours, const Side &raw)
{
    std::vector<double> a, b;
    auto once = [](const Side &side, std::vector<double> &times) {
        if (side.prepare) side.prepare();
        QElapsedTimer t;
        t.start();
        side.work();
        times.push_back(t.nsecsElapsed() / 1e6);
    };
    for (int i = 0; i < g_runs; ++i) {
        once(ours, a);
        once(raw, b);
    }
    return {bench::median(a), bench::median(b)};
}

void report(const QString &what, Medians m)
{
    std::printf("%-44s %9.2f ms   sqlite3 %9.2f ms   ratio %5.2f\n", qPrintable(what), m.ours, m.raw, m.raw > 0 ? m.ours / m.raw : 0.0);
}

QString sharedSql(const char *name)
{
    for (const data::SharedQueryDef &d : data::sharedQueryDefs())
        if (qstrcmp(d.name, name) == 0) return QString::fromUtf8(d.sql);
    throw db::DbError(QStringLiteral("no shared query %1").arg(QLatin1String(name)));
}

// Plain sqlite3 holding a query's rows in memory, as a program without our layer would.
struct RawRows {
    std::vector<std::vector<QVariant>> rows;
    std::vector<int> view; // rows shown, in order
};

RawRows rawRead(sqlite3 *h, const QString &engineSql)
{
    RawRows out;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(h, engineSql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        throw db::DbError(QString::fromUtf8(sqlite3_errmsg(h)));
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<QVariant> row(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            switch (sqlite3_column_type(st, i)) {
            case SQLITE_INTEGER:
                row[size_t(i)] = QVariant(qint64(sqlite3_column_int64(st, i)));
                break;
            case SQLITE_FLOAT:
                row[size_t(i)] = QVariant(sqlite3_column_double(st, i));
                break;
            case SQLITE_TEXT:
                row[size_t(i)] = QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                                                           sqlite3_column_bytes(st, i)));
                break;
            case SQLITE_BLOB:
                row[size_t(i)] = QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i)));
                break;
            default:
                break;
            }
        }
        out.rows.push_back(std::move(row));
    }
    sqlite3_finalize(st);
    out.view.resize(out.rows.size());
    std::iota(out.view.begin(), out.view.end(), 0);
    return out;
}

int columnOf(sqlite3 *h, const QString &engineSql, const char *name)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(h, engineSql.toUtf8().constData(), -1, &st, nullptr);
    int found = -1;
    for (int i = 0; st && i < sqlite3_column_count(st); ++i)
        if (qstricmp(sqlite3_column_name(st, i), name) == 0) found = i;
    sqlite3_finalize(st);
    if (found < 0) throw db::DbError(QStringLiteral("no column %1").arg(QLatin1String(name)));
    return found;
}

void exec(sqlite3 *h, const QString &sql)
{
    if (sqlite3_exec(h, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw db::DbError(QString::fromUtf8(sqlite3_errmsg(h)));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double scala = bench::scalaArg(argc, argv, 1);
    g_runs = bench::runsArg(argc, argv, 5);
    try {
        const QString path = bench::database(scala);
        // Ours first: it sets SQLite's threading mode, which the plain connection then shares.
        db::Connection conn;
        if (!conn.open(path)) throw db::DbError(conn.error());
        sqlite3 *raw = bench::openPlain(path);
        sqlite3_busy_timeout(raw, 10000);
        exec(raw, QStringLiteral("PRAGMA synchronous = FULL"));

        std::printf("Scale %g (%s), median of %d runs\n", scala, qPrintable(path), g_runs);

        // Opening the start-up's largest shared queries: every row read into memory.
        for (const char *name : {"Table7", "TableFatturaStorico", "Table3", "TableMovimentiCaricoTestata", "Table2",
                                 "TableCercaPrimaNota"}) {
            const QString sql = sharedSql(name);
            const QString native = db::AccessSql::translate(sql);
            db::Query q(&conn);
            q.setSql(sql);
            // Rows are freed outside the timed part on both sides (the dataset frees them on close).
            RawRows held;
            const Medians m = measure({[&] { q.close(); }, [&] { q.open(); }},
                                      {[&] { held = RawRows(); }, [&] { held = rawRead(raw, native); }});
            if (size_t(q.recordCount()) != held.rows.size())
                std::printf("  (%s: %d rows against %zu)\n", name, q.recordCount(), held.rows.size());
            report(QStringLiteral("open %1 (%2 rows)").arg(QLatin1String(name)).arg(q.recordCount()), m);
        }

        // The customers' list, as the program opens it, then worked on in memory.
        const QString clientiSql = sharedSql("Table7");
        const QString clientiNative = db::AccessSql::translate(clientiSql);
        db::Query q(&conn);
        q.setSql(clientiSql);
        q.open();
        RawRows rows = rawRead(raw, clientiNative);
        const int rows_n = int(rows.rows.size());
        const int cNome = columnOf(raw, clientiNative, "NominativoVisualizzato");
        const int cCitta = columnOf(raw, clientiNative, "Citta");
        const int cCodice = columnOf(raw, clientiNative, "Codice");

        const Medians filter = measure({[&] { q.setFilter(QString()); }, [&] { q.setFilter("NominativoVisualizzato like 'ros*'"); }},
                                       {nullptr, [&] {
                                            rows.view.clear();
                                            for (int i = 0; i < rows_n; ++i)
                                                if (rows.rows[size_t(i)][size_t(cNome)].toString().startsWith(QLatin1String("ros"),
                                                                                                            Qt::CaseInsensitive))
                                                    rows.view.push_back(i);
                                        }});
        const int kept = q.recordCount();
        if (size_t(kept) != rows.view.size()) std::printf("  (filter: %d rows against %zu)\n", kept, rows.view.size());
        q.setFilter(QString());
        report(QStringLiteral("customers: prefix filter (%1 kept)").arg(kept), filter);

        const Medians sort = measure({[&] { q.setSort(QString()); }, [&] { q.setSort("Citta ASC"); }}, {nullptr, [&] {
            std::vector<QString> keys(static_cast<size_t>(rows_n));
            for (int i = 0; i < rows_n; ++i) keys[size_t(i)] = rows.rows[size_t(i)][size_t(cCitta)].toString().toCaseFolded();
            rows.view.resize(size_t(rows_n));
            std::iota(rows.view.begin(), rows.view.end(), 0);
            std::stable_sort(rows.view.begin(), rows.view.end(), [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
        }});
        report(QStringLiteral("customers: sort by town"), sort);
        q.setSort(QString());

        // The last customer's code, searched from the top.
        const QString codice = rows.rows.empty() ? QString() : rows.rows.back()[size_t(cCodice)].toString();
        int found = -1;
        const Medians locate = measure({[&] { q.first(); }, [&] { q.locate("Codice", codice); }}, {nullptr, [&] {
                                           found = -1;
                                           for (int i = 0; i < rows_n && found < 0; ++i)
                                               if (rows.rows[size_t(i)][size_t(cCodice)].toString() == codice) found = i;
                                       }});
        report(QStringLiteral("customers: locate (no index)"), locate);

        // One edited row written back; the rows get their towns back afterwards, so the cached
        // database stays as it was generated. The plain side writes another row: writing the
        // dataset's row behind its back would be another workstation's change, which the
        // dataset rightly refuses to overwrite.
        q.first();
        const QString cittaAltra = q.fieldByName("Citta").asString();
        const qint64 idAltra = q.fieldByName("Id").asLargeInt();
        q.locate("Codice", codice);
        const QString citta = q.fieldByName("Citta").asString();
        const qint64 id = q.fieldByName("Id").asLargeInt();
        sqlite3_stmt *upd = nullptr;
        sqlite3_prepare_v2(raw, "UPDATE Clienti SET Citta = ? WHERE Id = ?", -1, &upd, nullptr);
        auto update = [&](const QString &value, qint64 riga) {
            const QByteArray v = value.toUtf8();
            sqlite3_bind_text(upd, 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int64(upd, 2, riga);
            if (sqlite3_step(upd) != SQLITE_DONE) throw db::DbError(QString::fromUtf8(sqlite3_errmsg(raw)));
            sqlite3_reset(upd);
        };
        int counter = 0;
        const Medians post = measure({nullptr, [&] {
                                          q.fieldByName("Citta").setAsString(QStringLiteral("Forlì %1").arg(++counter));
                                          if (!q.post()) throw db::DbError(q.lastError());
                                      }},
                                     {nullptr, [&] {
                                          const QString v = QStringLiteral("Cesena %1").arg(++counter);
                                          update(v, idAltra);
                                          rows.rows[0][size_t(cCitta)] = v;
                                      }});
        update(citta, id);
        update(cittaAltra, idAltra);
        sqlite3_finalize(upd);
        report(QStringLiteral("customers: post one edited row"), post);
        sqlite3_close(raw);
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
