// The VAT settlement of the current year on the generated database: its four quarters rebuilt
// by the program (rows, totals, carried credit, each in its transaction) beside plain sqlite3
// reading the same rows of the same periods and summing them by VAT code, taking turns. The
// settlements written are deleted again, so the cached file stays as generated.
// Usage: bench_chiusuraiva [--scala X] [--runs N]
#include "BenchData.h"

#include "accounting/services/ChiusuraIva.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <cstdio>
#include <functional>
#include <map>
#include <sqlite3.h>
#include <vector>

namespace {

double ms(const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

// The same rows the settlement reads, summed by VAT code per line: net and VAT in doubles.
struct Fonte {
    const char *sql;
    bool quantita; // net from quantity, price and discount; otherwise the stored net
};
const Fonte kFonti[] = {
    {"select f.Iva_ID, f.Um, f.ValoreUnitario, f.Sconto, f.AliquotaIva from fattdett f join fattura d on f.NumFatt = d.ID where d.Data >= ? "
     "and d.Data <= ? and d.Carico = 0 and d.FattNota = 0 and d.ScissionePagamenti = 0",
     true},
    {"select f.Iva_ID, f.Um, f.ValoreUnitario, f.Sconto, f.AliquotaIva from NotaCreditoRighe f join fattura d on f.NotaCredito_ID = d.ID "
     "where d.Data >= ? and d.Data <= ? and d.Carico = 0 and d.FattNota = 1 and d.ScissionePagamenti = 0",
     true},
    {"select f.Iva_ID, f.TotaleImponibile, f.AliquotaIva from Movimenti f join fattura d on f.Fattura_ID = d.ID where d.DataRegistrazione "
     ">= ? and d.DataRegistrazione <= ? and d.Carico = 1 and d.FattNota = 0 and f.Scarico = 0",
     false},
    {"select f.Iva_ID, f.TotaleImponibile, f.AliquotaIva from NotaCreditoCaricoRighe f join fattura d on f.NotaCredito_ID = d.ID where "
     "d.DataRegistrazione >= ? and d.DataRegistrazione <= ? and d.Carico = 1 and d.FattNota = 1",
     false},
    {"select Iva_id, Entrata - Uscita, AliquotaIva from finanzia where Corrispettivi = 1 and Data >= ? and Data <= ?", false},
};

qint64 trimestreCrudo(sqlite3 *h, int anno, int q)
{
    const QByteArray dal = QDate(anno, 3 * q - 2, 1).toString(QStringLiteral("yyyy-MM-dd 00:00:00")).toUtf8();
    const QByteArray al = QDate(anno, 3 * q, 1).addMonths(1).addDays(-1).toString(QStringLiteral("yyyy-MM-dd 23:59:59")).toUtf8();
    qint64 righe = 0;
    std::map<qint64, std::pair<double, double>> somme;
    for (const Fonte &f : kFonti) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(h, f.sql, -1, &st, nullptr) != SQLITE_OK) throw db::DbError(QString::fromUtf8(sqlite3_errmsg(h)));
        sqlite3_bind_text(st, 1, dal.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, al.constData(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(st) == SQLITE_ROW) {
            const double netto = f.quantita ? sqlite3_column_double(st, 1) * sqlite3_column_double(st, 2) * (1 - sqlite3_column_double(st, 3) / 100)
                                            : sqlite3_column_double(st, 1);
            auto &s = somme[sqlite3_column_int64(st, 0)];
            s.first += netto;
            s.second += netto * sqlite3_column_double(st, f.quantita ? 4 : 2) / 100;
            ++righe;
        }
        sqlite3_finalize(st);
    }
    return righe;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double scala = bench::scalaArg(argc, argv, 1);
    const int runs = bench::runsArg(argc, argv, 5);
    try {
        const QString path = bench::database(scala);
        db::Connection conn;
        if (!conn.open(path)) throw db::DbError(conn.error());
        sqlite3 *raw = bench::openPlain(path);
        const int anno = QDate::currentDate().year();
        std::printf("Scale %g, %lld documents of %d among %lld, median of %d runs\n", scala,
                    conn.scalar(QStringLiteral("select count(*) from fattura where Year(Data) = %1").arg(anno)).toLongLong(), anno,
                    conn.scalar(QStringLiteral("select count(*) from fattura")).toLongLong(), runs);
        std::vector<qint64> testate;
        for (int q = 1; q <= 4; ++q) {
            conn.execute(QStringLiteral("insert into ContabilitaChiusuraIvaTrimestre (Anno, Trimestre) values (%1, %2)").arg(anno).arg(q));
            testate.push_back(conn.lastInsertId());
        }
        std::vector<double> nostri, crudi;
        qint64 lette = 0;
        for (int i = 0; i < runs; ++i) {
            nostri.push_back(ms([&] {
                for (int q = 1; q <= 4; ++q)
                    contabilita::calcolaChiusura(conn, contabilita::Periodicita::Trimestrale, testate[q - 1], anno, q);
            }));
            crudi.push_back(ms([&] {
                lette = 0;
                for (int q = 1; q <= 4; ++q) lette += trimestreCrudo(raw, anno, q);
            }));
        }
        const double x = bench::median(nostri), y = bench::median(crudi);
        std::printf("%-40s %12s %12s %7s\n", "work", "ours", "sqlite3", "ratio");
        std::printf("%-40s %9.2f ms %9.2f ms %7.2f\n", "year settled by quarter (4 rebuilds)", x, y, y > 0 ? x / y : 0.0);
        std::printf("  %lld source rows read; goal under 200 ms at scale 1\n", lette);
        for (qint64 id : testate) contabilita::eliminaChiusura(conn, contabilita::Periodicita::Trimestrale, id);
        sqlite3_close(raw);
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
