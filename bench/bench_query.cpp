// Measures the dataset against plain sqlite3 doing the same work on the same file, in one
// run, and prints the ratios. Usage: bench_query [--rows N]
#include "db/Command.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <string>

namespace {

double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e99;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

void report(const char *what, double ours, double raw)
{
    std::printf("%-28s %10.2f ms   sqlite3 %10.2f ms   ratio %6.2f\n", what, ours, raw, raw > 0 ? ours / raw : 0.0);
}

const char *kNames[] = {"Rossi", "Bianchi", "Verdi", "Abate", "Abbondanza", "Colombo", "Ricci", "Marino", "Greco", "Bruno",
                        "Gallo", "Conti", "De Luca", "Mancini", "Costa", "Giordano", "Rizzo", "Lombardi", "Moretti", "Àlberti"};

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
    conn.executeNative("CREATE TABLE Clienti (Id INTEGER PRIMARY KEY AUTOINCREMENT, Nome TEXT COLLATE UNOCASE,"
                       " Citta TEXT COLLATE UNOCASE, Importo REAL, Data DATETIME, Annullato BOOLEAN NOT NULL DEFAULT 0,"
                       " Numero INTEGER, Note TEXT COLLATE UNOCASE)");
    {
        db::Transaction t(conn);
        db::Command insert(&conn, "INSERT INTO Clienti (Nome, Citta, Importo, Data, Annullato, Numero, Note)"
                                  " VALUES (:nome, :citta, :importo, :data, :annullato, :numero, :note)");
        for (int i = 0; i < rows; ++i) {
            const std::string nome = std::string(kNames[i % 20]) + " " + std::to_string(i * 7919 % rows);
            const std::string data = "2026-" + std::string(i % 12 < 9 ? "0" : "") + std::to_string(i % 12 + 1) + "-15 00:00:00";
            insert.bind(":nome", QString::fromStdString(nome))
                .bind(":citta", QString::fromUtf8(kNames[(i / 20) % 20]))
                .bind(":importo", (i % 1000) * 1.25)
                .bind(":data", QString::fromStdString(data))
                .bind(":annullato", i % 7 == 0)
                .bind(":numero", i)
                .bind(":note", QStringLiteral("nota di prova per il cliente"));
            insert.execute();
        }
        t.commit();
    }

    sqlite3 *raw = nullptr;
    sqlite3_open(path.toUtf8().constData(), &raw);
    // The plain connection knows nothing of our collation: it orders with SQLite's NOCASE.
    auto rawRead = [raw](const char *sql) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(raw, sql, -1, &st, nullptr);
        size_t bytes = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            const int n = sqlite3_column_count(st);
            for (int c = 0; c < n; ++c) {
                if (sqlite3_column_type(st, c) == SQLITE_TEXT) bytes += std::string(reinterpret_cast<const char *>(sqlite3_column_text(st, c))).size();
                else bytes += size_t(sqlite3_column_int64(st, c));
            }
        }
        sqlite3_finalize(st);
        return bytes;
    };

    std::printf("Dataset of %d rows\n", rows);
    db::Query q(&conn);
    q.setSql("select * from Clienti order by Id");
    const double openOurs = bestOf(3, [&] {
        q.close();
        q.open();
    });
    const double openRaw = bestOf(3, [&] { rawRead("select * from Clienti order by Id"); });
    report("open (read every row)", openOurs, openRaw);

    const double filterOurs = bestOf(3, [&] {
        q.setFilter("");
        q.setFilter("Nome like 'abb*'");
    });
    const int filtered = q.recordCount();
    const double filterRaw = bestOf(3, [&] { rawRead("select * from Clienti where Nome like 'abb%'"); });
    report("prefix filter", filterOurs, filterRaw);
    q.setFilter("");

    double sortOurs = 1e99;
    for (int i = 0; i < 3; ++i) {
        q.setSort("");
        sortOurs = std::min(sortOurs, bestOf(1, [&] { q.setSort("Nome ASC"); }));
    }
    const double sortRaw = bestOf(3, [&] { rawRead("select * from Clienti order by Nome collate nocase"); });
    report("sort by text", sortOurs, sortRaw);

    const double locateOurs = bestOf(3, [&] { q.locate("Numero", rows - 1); });
    const double locateRaw = bestOf(3, [&] {
        const std::string sql = "select * from Clienti where Numero = " + std::to_string(rows - 1);
        rawRead(sql.c_str());
    });
    report("locate (no index)", locateOurs, locateRaw);

    int counter = 0;
    const double postOurs = bestOf(5, [&] {
        q.fieldByName("Citta").setAsString(QString("Forlì %1").arg(++counter));
        q.post();
    });
    const double postRaw = bestOf(5, [&] {
        const std::string sql = "update Clienti set Citta = 'Cesena " + std::to_string(++counter) + "' where Id = 1";
        sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr);
    });
    report("post one edited row", postOurs, postRaw);
    std::printf("(filter kept %d rows)\n", filtered);
    sqlite3_close(raw);
    return 0;
}
