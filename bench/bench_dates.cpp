// Reading stored dates: Year()/Month() inside SQL on every row, a month of the cash book
// (Month/Year of one column, answered through the index on the date), and a list whose dates
// are shown day first. Beside plain sqlite3 doing the same work on the same file in the same
// run. Usage: bench_dates [--rows N]
#include "db/Command.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include "BestOf.h"

#include <functional>
#include <sqlite3.h>
#include <string>

namespace {

void report(const char *what, double ours, double raw)
{
    std::printf("%-28s %10.2f ms   sqlite3 %10.2f ms   ratio %6.2f\n", what, ours, raw, raw > 0 ? ours / raw : 0.0);
}

// Rows of a plain statement, each text column touched, as a program would read them.
size_t rawRead(sqlite3 *h, const char *sql)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(h, sql, -1, &st, nullptr);
    size_t bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_TEXT) {
                // Shown day first: the parts of the canonical text rearranged.
                const std::string s(reinterpret_cast<const char *>(sqlite3_column_text(st, c)));
                const std::string shown = s.size() >= 10 ? s.substr(8, 2) + "/" + s.substr(5, 2) + "/" + s.substr(0, 4) : s;
                bytes += shown.size();
            } else {
                bytes += size_t(sqlite3_column_int64(st, c));
            }
        }
    }
    sqlite3_finalize(st);
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int rows = 200000;
    for (int i = 1; i + 1 < argc; ++i)
        if (QByteArray(argv[i]) == "--rows") rows = QByteArray(argv[i + 1]).toInt();

    QTemporaryDir dir;
    const QString path = dir.filePath("bench.db");
    db::Connection conn;
    if (!conn.open(path)) {
        std::fprintf(stderr, "%s\n", qPrintable(conn.error()));
        return 1;
    }
    conn.executeNative("CREATE TABLE finanzia (ID INTEGER PRIMARY KEY AUTOINCREMENT, Data DATETIME, Operazione TEXT COLLATE UNOCASE,"
                       " Entrata REAL DEFAULT 0); CREATE INDEX ix_finanzia_Data ON finanzia (Data)");
    {
        db::Transaction t(conn);
        db::Command insert(&conn, "INSERT INTO finanzia (Data, Operazione, Entrata) VALUES (:data, :op, :entrata)");
        // Ten years of movements, spread over the days.
        for (int i = 0; i < rows; ++i)
            insert.bind(":data", QDate(2016, 1, 1).addDays(i % 3650))
                .bind(":op", QStringLiteral("Incasso fattura"))
                .bind(":entrata", (i % 997) * 1.5)
                .execute();
        t.commit();
    }
    sqlite3 *raw = nullptr;
    sqlite3_open(path.toUtf8().constData(), &raw);
    const int runs = 5;

    double ours = bestOf(runs, [&] { conn.scalar("select count(*) from finanzia where Year(Data) = 2020 and Day(Data) = 1"); });
    double plain = bestOf(runs, [&] {
        rawRead(raw, "select count(*) from finanzia where substr(Data, 1, 4) = '2020' and substr(Data, 9, 2) = '01'");
    });
    report("Year()/Day() on every row", ours, plain);

    ours = bestOf(runs, [&] {
        db::Query q(&conn);
        q.setSql("select * from finanzia where Month(Data)=3 and Year(Data)= 2020 order by Data");
        q.open();
    });
    plain = bestOf(runs, [&] {
        rawRead(raw, "select * from finanzia where Data >= '2020-03-01 00:00:00' and Data < '2020-04-01 00:00:00' order by Data");
    });
    report("one month of the cash book", ours, plain);

    db::Query list(&conn);
    list.setSql("select Data from finanzia");
    list.open();
    const int col = list.fieldIndex("Data");
    ours = bestOf(runs, [&] {
        size_t bytes = 0;
        for (int r = 0; r < list.recordCount(); ++r) bytes += size_t(list.displayTextAt(r, col).size());
        if (bytes == 0) std::printf("?\n");
    });
    plain = bestOf(runs, [&] { rawRead(raw, "select Data from finanzia"); });
    report("dates shown day first", ours, plain);
    sqlite3_close(raw);
    return 0;
}
