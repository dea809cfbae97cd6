// The sales invoices on the generated database: opening the invoice list (Table3's SQL read
// whole and its first screen of cells shown), the totals of one invoice from its rows, and a
// new invoice numbered and given its schedule; each beside plain sqlite3 doing the same work in
// the same run, taking turns. What is added is deleted again, so the cached file stays as
// generated. Usage: bench_fatture [--scala X] [--runs N]
#include "BenchData.h"

#include "db/AccessSql.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "sales/services/Fatture.h"
#include "sales/services/Numerazione.h"
#include "sales/services/Scadenze.h"
#include "sales/services/Totali.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QVariant>
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

const QString kElenco =
    QStringLiteral("select * from fattura where Storico = false and Carico = false and FattNota = false order by num");

sqlite3_stmt *prepara(sqlite3 *h, const QByteArray &sql)
{
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        throw db::DbError(QString::fromUtf8(sqlite3_errmsg(h)) + QStringLiteral(": ") + QString::fromUtf8(sql));
    return st;
}

void esegui(sqlite3 *h, const char *sql)
{
    char *errore = nullptr;
    if (sqlite3_exec(h, sql, nullptr, nullptr, &errore) != SQLITE_OK) {
        const QString m = QString::fromUtf8(errore);
        sqlite3_free(errore);
        throw db::DbError(m);
    }
}

QVariant valore(sqlite3_stmt *st, int c)
{
    switch (sqlite3_column_type(st, c)) {
    case SQLITE_INTEGER: return QVariant(qint64(sqlite3_column_int64(st, c)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st, c));
    case SQLITE_NULL: return QVariant();
    default: return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c))));
    }
}

// The plain list: every row of the translated SQL kept as values, then the first screen's
// cells as text.
qint64 elencoCrudo(sqlite3 *h, const QByteArray &sql, std::vector<std::vector<QVariant>> &righe)
{
    righe.clear();
    sqlite3_stmt *st = prepara(h, sql);
    const int colonne = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<QVariant> r(colonne);
        for (int c = 0; c < colonne; ++c) r[c] = valore(st, c);
        righe.push_back(std::move(r));
    }
    sqlite3_finalize(st);
    qint64 caratteri = 0;
    for (size_t i = 0; i < righe.size() && i < 40; ++i)
        for (const QVariant &v : righe[i]) caratteri += v.toString().size();
    return caratteri;
}

// The plain totals: per row with a quantity the net and its VAT, summed in cents.
vendite::Totali totaliCrudi(sqlite3 *h, qint64 id)
{
    sqlite3_stmt *st = prepara(h, "select Um, ValoreUnitario, Sconto, AliquotaIva from fattdett where NumFatt = ?");
    sqlite3_bind_int64(st, 1, id);
    double imponibile = 0, imposta = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const double q = sqlite3_column_double(st, 0);
        if (q == 0) continue;
        const double netto = q * sqlite3_column_double(st, 1) * (1 - sqlite3_column_double(st, 2) / 100);
        imponibile += netto;
        imposta += netto * std::trunc(sqlite3_column_double(st, 3)) / 100;
    }
    sqlite3_finalize(st);
    vendite::Totali t;
    t.imponibile = std::round(imponibile * 100) / 100;
    t.imposta = std::round(imposta * 100) / 100;
    t.totale = t.imponibile + t.imposta;
    return t;
}

// The plain new invoice: in one write transaction the next number and progressive, the row,
// then in a second one its two instalments, as the program's two steps commit twice.
qint64 nuovaCruda(sqlite3 *h, qint64 metodo)
{
    esegui(h, "BEGIN IMMEDIATE");
    sqlite3_stmt *n = prepara(h, "select max(Num) from fattura where Storico = 0 and Carico = 0 and NonNumerare = 0 and FattNota = 0");
    sqlite3_step(n);
    const qint64 numero = sqlite3_column_int64(n, 0) + 1;
    sqlite3_finalize(n);
    sqlite3_stmt *p = prepara(h, "select max(DatiTrasmissione_NumeroInterno) from fattura");
    sqlite3_step(p);
    const qint64 progressivo = sqlite3_column_int64(p, 0) + 1;
    sqlite3_finalize(p);
    sqlite3_stmt *i = prepara(h, "insert into fattura (Num, Data, Storico, Carico, FattNota, NonNumerare, EsportatoXml, "
                                 "DatiTrasmissione_NumeroInterno, DatiTrasmissione_ProgressivoInvio, DatiGenerali_Divisa, "
                                 "ModPagamento_Id) values (?, date('now'), 0, 0, 0, 0, 0, ?, ?, 'EUR', ?)");
    sqlite3_bind_int64(i, 1, numero);
    sqlite3_bind_int64(i, 2, progressivo);
    sqlite3_bind_int64(i, 3, progressivo);
    sqlite3_bind_int64(i, 4, metodo);
    sqlite3_step(i);
    sqlite3_finalize(i);
    const qint64 id = sqlite3_last_insert_rowid(h);
    esegui(h, "COMMIT");
    esegui(h, "BEGIN IMMEDIATE");
    sqlite3_stmt *m = prepara(h, "select NumeroScadenze, GG1Scadenza, GG2Scadenza from ModPagamento where id = ?");
    sqlite3_bind_int64(m, 1, metodo);
    sqlite3_step(m);
    const int rate = std::max(1, sqlite3_column_int(m, 0));
    sqlite3_finalize(m);
    for (int r = 1; r <= rate; ++r) {
        sqlite3_stmt *s = prepara(h, "insert into FatturaScadenze (Fattura_ID, Numero, Importo, DataScadenza, Pagato, Tipo) "
                                     "values (?, ?, 0, date('now'), 0, 'F')");
        sqlite3_bind_int64(s, 1, id);
        sqlite3_bind_int(s, 2, r);
        sqlite3_step(s);
        sqlite3_finalize(s);
    }
    esegui(h, "COMMIT");
    return id;
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
        std::printf("Scale %g, %lld invoices of the year among %lld documents, median of %d runs\n", scala,
                    conn.scalar(QStringLiteral("select count(*) from fattura where Storico = false and Carico = false and FattNota = false"))
                        .toLongLong(),
                    conn.scalar(QStringLiteral("select count(*) from fattura")).toLongLong(), runs);
        std::printf("%-34s %12s %12s %7s\n", "work", "ours", "sqlite3", "ratio");
        const auto riga = [](const char *nome, std::vector<double> &a, std::vector<double> &b) {
            const double x = bench::median(a), y = bench::median(b);
            std::printf("%-34s %9.2f ms %9.2f ms %7.2f\n", nome, x, y, y > 0 ? x / y : 0.0);
        };

        // 1. The invoice list: Table3's SQL read whole, its first screen of cells shown.
        {
            const QByteArray sql = db::AccessSql::translate(kElenco).toUtf8();
            std::vector<double> nostri, crudi;
            std::vector<std::vector<QVariant>> righe;
            int lette = 0;
            for (int i = 0; i < runs; ++i) {
                db::Query q(&conn);
                q.setSql(kElenco);
                nostri.push_back(ms([&] {
                    q.open();
                    qint64 caratteri = 0;
                    for (int r = 0; r < q.recordCount() && r < 40; ++r)
                        for (int c = 0; c < q.fieldCount(); ++c) caratteri += q.displayTextAt(r, c).size();
                    lette = q.recordCount();
                    (void)caratteri;
                }));
                crudi.push_back(ms([&] { elencoCrudo(raw, sql, righe); }));
            }
            if (lette != int(righe.size())) std::printf("  MISMATCH: ours %d rows, sqlite3 %zu\n", lette, righe.size());
            riga("invoice list opened (first screen)", nostri, crudi);
        }

        // 2. One invoice's totals from its rows: the current year's invoice with the most rows.
        {
            const qint64 id = conn.scalar(QStringLiteral("select top 1 NumFatt from fattdett inner join fattura on fattdett.NumFatt = "
                                                         "fattura.ID where fattura.Storico = false and fattura.Carico = false "
                                                         "group by NumFatt order by count(*) desc"))
                                  .toLongLong();
            std::vector<double> nostri, crudi;
            vendite::Totali a, b;
            for (int i = 0; i < runs * 20; ++i) {
                nostri.push_back(ms([&] { a = vendite::calcolaTotaliFattura(conn, id); }));
                crudi.push_back(ms([&] { b = totaliCrudi(raw, id); }));
            }
            if (std::llround(a.totale * 100) != std::llround(b.totale * 100))
                std::printf("  MISMATCH: ours %.2f, sqlite3 %.2f\n", a.totale, b.totale);
            riga("one invoice's totals", nostri, crudi);
        }

        // 3. A new invoice: number and progressive under the numbering's lock, the row stored,
        //    its schedule built from a method of two instalments.
        {
            const qint64 metodo =
                conn.scalar(QStringLiteral("select top 1 id from ModPagamento where NumeroScadenze >= 2 order by id")).toLongLong();
            std::vector<double> nostri, crudi;
            std::vector<qint64> nuove, crude;
            for (int i = 0; i < runs; ++i) {
                nostri.push_back(ms([&] {
                    vendite::NuovoDocumento d;
                    d.oggi = QDate::currentDate();
                    d.valoriPredefiniti = [metodo](db::Query &n) {
                        n.fieldByName(QStringLiteral("ModPagamento_Id")).setAsInteger(metodo);
                    };
                    const qint64 id = vendite::nuovoDocumento(conn, d).id;
                    scadenze::generaScadenze(conn, id, scadenze::Genere::FatturaVendita, false);
                    nuove.push_back(id);
                }));
                crudi.push_back(ms([&] { crude.push_back(nuovaCruda(raw, metodo)); }));
            }
            for (qint64 id : nuove) vendite::eliminaFattura(conn, id);
            for (qint64 id : crude) vendite::eliminaFattura(conn, id);
            riga("new invoice (number + schedule)", nostri, crudi);
            const double mediana = bench::median(nostri);
            if (mediana >= 50) std::printf("  SLOW: a new invoice takes %.1f ms (50 ms at most)\n", mediana);
        }
        sqlite3_close(raw);
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
