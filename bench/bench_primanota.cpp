// The cash-book browser over the whole generated cash book: a search ("cerca": the filter its
// boxes give, applied to the rows read, and the totals of what is shown) against plain sqlite3
// selecting the same rows of the same join with a WHERE and summing them in cents, in the same
// run, taking turns. Usage: bench_primanota [--scala X] [--runs N]
#include "BenchData.h"

#include "accounting/services/RicercaPrimaNota.h"
#include "db/AccessSql.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>
#include <functional>
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

struct Somme {
    qint64 entrate = 0, uscite = 0, righe = 0;
};

// The plain side: the rows of the join that pass the WHERE, their amounts rounded to the cent
// and added as integers, as the browser adds them.
Somme somme(sqlite3 *h, const QByteArray &sql)
{
    Somme s;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        throw db::DbError(QString::fromUtf8(sqlite3_errmsg(h)));
    while (sqlite3_step(st) == SQLITE_ROW) {
        s.entrate += std::llround(sqlite3_column_double(st, 0) * 100.0);
        s.uscite += std::llround(sqlite3_column_double(st, 1) * 100.0);
        ++s.righe;
    }
    sqlite3_finalize(st);
    return s;
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

        // The whole cash book in the browser, as the history tab or a caller's query hands it.
        db::Query q(&conn);
        q.setSql(primanota::sqlElenco() + QStringLiteral(" order by finanzia.Data desc, finanzia.Operazione"));
        const double apertura = ms([&] { q.open(); });
        const int anno = QDate::currentDate().year() - 1;
        std::printf("Scale %g, %d rows read in %.0f ms, median of %d runs\n", scala, q.recordCount(), apertura, runs);

        const QByteArray join = db::AccessSql::translate(
            QStringLiteral("SELECT finanzia.Entrata, finanzia.Uscita FROM ((((finanzia LEFT JOIN Clienti ON finanzia.Cliente_id=Clienti.Id) "
                           "LEFT JOIN Fornitor ON finanzia.Fornitore_id=Fornitor.Id) LEFT JOIN ModPagamento ON "
                           "finanzia.ModPagamento_Id=ModPagamento.id) LEFT JOIN Bank ON finanzia.Banca_ID=Bank.Id) LEFT JOIN "
                           "TipologiaPrimaNota ON finanzia.Tipologia_ID=TipologiaPrimaNota.Id")).toUtf8();
        struct Caso {
            const char *nome;
            primanota::CriteriRicerca criteri;
            QByteArray where;
        };
        primanota::CriteriRicerca tutto, annoBanca, prefisso, cliente;
        annoBanca.daData = QStringLiteral("01/01/%1").arg(anno);
        annoBanca.aData = QStringLiteral("31/12/%1").arg(anno);
        annoBanca.tipologia = 2;
        prefisso.operazione = QStringLiteral("Incasso");
        cliente.cliente = QStringLiteral("Ros");
        const std::vector<Caso> casi = {
            {"reset: every row", tutto, ""},
            {"one year, Banca", annoBanca,
             QStringLiteral(" WHERE finanzia.Data >= '%1-01-01' AND finanzia.Data < '%2-01-01' AND finanzia.Tipologia_ID = 2")
                 .arg(anno)
                 .arg(anno + 1)
                 .toUtf8()},
            {"Operazione 'Incasso*'", prefisso, " WHERE finanzia.Operazione LIKE 'Incasso%'"},
            {"Cliente 'Ros*'", cliente, " WHERE Clienti.NominativoVisualizzato LIKE 'Ros%'"},
        };
        std::printf("%-24s %8s %12s %12s %7s\n", "search", "rows", "ours", "sqlite3", "ratio");
        for (const Caso &c : casi) {
            std::vector<double> nostri, crudi;
            primanota::Totali t;
            Somme s;
            for (int i = 0; i < runs; ++i) {
                nostri.push_back(ms([&] {
                    const primanota::FiltroRicerca f = primanota::filtroRicerca(c.criteri);
                    q.setFilter(f.filtro);
                    t = primanota::totaliElenco(q);
                }));
                crudi.push_back(ms([&] { s = somme(raw, join + c.where); }));
            }
            // Both sides must have found the same rows and the same sums.
            if (q.recordCount() != s.righe || std::llround(t.entrate * 100) != s.entrate || std::llround(t.uscite * 100) != s.uscite)
                std::printf("  MISMATCH: ours %d rows %.2f/%.2f, sqlite3 %lld rows %.2f/%.2f\n", q.recordCount(), t.entrate, t.uscite,
                            (long long)s.righe, s.entrate / 100.0, s.uscite / 100.0);
            const double a = bench::median(nostri), b = bench::median(crudi);
            std::printf("%-24s %8d %9.1f ms %9.1f ms %7.2f\n", c.nome, q.recordCount(), a, b, b > 0 ? a / b : 0.0);
        }
        sqlite3_close(raw);
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
