#include "tst_numerazione.h"

#include "data/services/Postazione.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "sales/services/Numerazione.h"
#include "support/TestCore.h"

#include <QSet>
#include <QTest>
#include <atomic>
#include <thread>

using namespace testing_support;

namespace {

const QDate kOggi(2026, 3, 15);

// Existing documents, one text each: "number series flags progressive", flags among N (credit
// note), S (in history), X (Non Numerare), C (purchase document), "-" for none.
void documenti(db::Connection &c, const QStringList &righe)
{
    for (const QString &r : righe) {
        const QStringList p = r.split(' ');
        c.execute("insert into fattura (Num, SerieFatturazione, FattNota, Storico, NonNumerare, Carico, "
                  "DatiTrasmissione_NumeroInterno) values (:num, :serie, :nota, :storico, :non, :carico, :prog)",
                  {{":num", p[0].toLongLong()},
                   {":serie", p[1] == "-" ? QVariant() : QVariant(p[1])},
                   {":nota", p[2].contains('N')},
                   {":storico", p[2].contains('S')},
                   {":non", p[2].contains('X')},
                   {":carico", p[2].contains('C')},
                   {":prog", p[3].toLongLong()}});
    }
}

} // namespace

void TestServiziNumerazione::numeroEProgressivo_data()
{
    QTest::addColumn<QStringList>("esistenti");
    QTest::addColumn<bool>("numerazioneUnica"); // opzioni.NumerazioneUnicaNoteCredito
    QTest::addColumn<bool>("piuSerie");         // ditta.FatturazioneMultipla
    QTest::addColumn<bool>("notaCredito");
    QTest::addColumn<QString>("serie");
    QTest::addColumn<qint64>("numero");
    QTest::addColumn<qint64>("progressivo");
    const QStringList none;
    QTest::newRow("empty table") << none << false << false << false << "" << 1ll << 1ll;
    QTest::newRow("after the highest") << QStringList{"1 - - 1", "3 - - 2", "2 - - 3"} << false << false << false << ""
                                       << 4ll << 4ll;
    QTest::newRow("history ignored, progressive of every row")
        << QStringList{"40 - S 40", "2 - - 41"} << false << false << false << "" << 3ll << 42ll;
    QTest::newRow("first of the year") << QStringList{"40 - S 40"} << false << false << false << "" << 1ll << 41ll;
    QTest::newRow("Non Numerare on the highest")
        << QStringList{"1 - - 1", "2 - - 2", "9 - X 3"} << false << false << false << "" << 3ll << 4ll;
    QTest::newRow("purchase documents ignored")
        << QStringList{"50 - C 60", "2 - - 5"} << false << false << false << "" << 3ll << 61ll;
    QTest::newRow("joint off: invoice ignores credit notes")
        << QStringList{"7 - N 1", "3 - - 2"} << false << false << false << "" << 4ll << 3ll;
    QTest::newRow("joint off: credit notes among themselves")
        << QStringList{"7 - N 1", "3 - - 2"} << false << false << true << "" << 8ll << 3ll;
    QTest::newRow("joint off: first credit note") << QStringList{"3 - - 2"} << false << false << true << "" << 1ll << 3ll;
    QTest::newRow("joint on: invoice after a credit note")
        << QStringList{"7 - N 1", "3 - - 2"} << true << false << false << "" << 8ll << 3ll;
    QTest::newRow("joint on: credit note after an invoice")
        << QStringList{"7 - - 1", "3 - N 2"} << true << false << true << "" << 8ll << 3ll;
    QTest::newRow("series: within its own") << QStringList{"5 A - 1", "2 B - 2"} << false << true << false << "B"
                                            << 3ll << 3ll;
    QTest::newRow("series: first of a new one") << QStringList{"5 A - 1", "2 B - 2"} << false << true << false << "C"
                                                << 1ll << 3ll;
    QTest::newRow("series: case ignored") << QStringList{"5 a - 1"} << false << true << false << "A" << 6ll << 2ll;
    QTest::newRow("series given, company with one series")
        << QStringList{"5 A - 1", "2 B - 2"} << false << false << false << "B" << 6ll << 3ll;
    QTest::newRow("series: credit notes of the series, joint on")
        << QStringList{"5 A - 1", "6 A N 2", "9 B N 3"} << true << true << true << "A" << 7ll << 4ll;
}

void TestServiziNumerazione::numeroEProgressivo()
{
    QFETCH(QStringList, esistenti);
    QFETCH(bool, numerazioneUnica);
    QFETCH(bool, piuSerie);
    QFETCH(bool, notaCredito);
    QFETCH(QString, serie);
    QFETCH(qint64, numero);
    QFETCH(qint64, progressivo);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    documenti(d.conn(), esistenti);
    d.conn().execute("update opzioni set NumerazioneUnicaNoteCredito = :v", {{":v", numerazioneUnica}});
    d.conn().execute("update ditta set FatturazioneMultipla = :v", {{":v", piuSerie}});
    QCOMPARE(vendite::prossimoNumero(d.conn(), notaCredito, serie), numero);
    QCOMPARE(vendite::prossimoProgressivo(d.conn()), progressivo);
    const vendite::DocumentoCreato n = vendite::nuovoDocumento(d.conn(), {.notaCredito = notaCredito, .serie = serie, .oggi = kOggi});
    QCOMPARE(n.numero, numero);
    QCOMPARE(n.progressivo, progressivo);
    const db::Params id = {{":id", n.id}};
    QCOMPARE(d.conn().scalar("select Num from fattura where ID = :id", id).toLongLong(), numero);
    QCOMPARE(d.conn().scalar("select DatiTrasmissione_NumeroInterno from fattura where ID = :id", id).toLongLong(), progressivo);
    QCOMPARE(d.conn().scalar("select DatiTrasmissione_ProgressivoInvio from fattura where ID = :id", id).toLongLong(), progressivo);
    // A new document is of the current year, whatever period a list shows.
    QCOMPARE(d.conn().scalar("select Storico from fattura where ID = :id", id).toInt(), 0);
    QCOMPARE(d.conn().scalar("select count(*) from fattura").toInt(), int(esistenti.size()) + 1);
}

void TestServiziNumerazione::rigaScritta()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("update opzioni set Bank_ID = 4, ModPagamento_Id = 9");
    d.conn().execute("update ditta set FatturazioneMultipla = true");
    const auto f = vendite::nuovoDocumento(d.conn(), {.serie = "B", .oggi = kOggi});
    const auto n = vendite::nuovoDocumento(d.conn(), {.notaCredito = true, .oggi = kOggi});
    QCOMPARE(n.id, f.id + 1);
    db::Query q(&d.conn());
    q.setSql("select * from fattura order by ID");
    q.open();
    const QStringList colonne = {"Num", "SerieFatturazione", "FattNota", "Carico", "NonNumerare", "EsportatoXml", "Storico",
                                 "Data", "DatiTrasmissione_NumeroInterno", "DatiTrasmissione_ProgressivoInvio",
                                 "DatiGenerali_Divisa", "Banca_ID", "ModPagamento_Id"};
    QStringList righe;
    for (q.first(); !q.eof(); q.next()) {
        QStringList valori;
        for (const QString &c : colonne) valori << q.fieldByName(c).asString();
        righe << valori.join('|');
    }
    QCOMPARE(righe, QStringList({"1|B|False|False|False|False|False|15/03/2026|1|1|EUR|4|9",
                                 "1||True|False|False|False|False|15/03/2026|2|2|EUR|4|9"}));
    QCOMPARE(d.conn().scalar("select Data from fattura where ID = :id", {{":id", f.id}}).toString(),
             QString("2026-03-15 00:00:00"));
}

void TestServiziNumerazione::sequestroFatturato()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("insert into Sequestri (Id, AutoTarga, Data, DataDissequestro) values "
                     "(12, 'AB123CD', #2/1/2026 10.30.00#, #3/10/2026#), (13, 'ZZ999ZZ', #2/2/2026#, null)");
    const auto f = vendite::nuovoDocumento(d.conn(), {.oggi = kOggi, .sequestro = 12});
    const db::Params id = {{":id", f.id}};
    auto campo = [&](const char *col) { return d.conn().scalar(QString("select %1 from fattura where ID = :id").arg(col), id); };
    QCOMPARE(campo("Targa").toString(), QString("AB123CD"));
    QCOMPARE(campo("DataIngressoVeicolo").toString(), QString("2026-02-01 10:30:00"));
    QCOMPARE(campo("DataUscitaVeicolo").toString(), QString("2026-03-10 00:00:00"));
    QCOMPARE(campo("Sequestro_ID").toLongLong(), qint64(12));
    QCOMPARE(d.conn().scalar("select Fatturato from Sequestri where Id = 12").toInt(), 1);
    QCOMPARE(d.conn().scalar("select Fattura_Id from Sequestri where Id = 12").toLongLong(), f.id);
    QCOMPARE(d.conn().scalar("select Fatturato from Sequestri where Id = 13").toInt(), 0);
    // A seizure that no longer exists stores nothing.
    QVERIFY_THROWS_EXCEPTION(db::DbError, vendite::nuovoDocumento(d.conn(), {.oggi = kOggi, .sequestro = 99}));
    QCOMPARE(d.conn().scalar("select count(*) from fattura").toInt(), 1);
}

void TestServiziNumerazione::valoriPredefinitiEFallimento()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    // The caller's defaults are applied before the row is stored and may replace any value.
    const auto f = vendite::nuovoDocumento(d.conn(), {.oggi = kOggi, .valoriPredefiniti = [](db::Query &q) {
                                                          q.fieldByName("Causale").setAsString("Soccorso stradale");
                                                          q.fieldByName("DatiGenerali_Divisa").setAsString("CHF");
                                                      }});
    QCOMPARE(d.conn().scalar("select Causale & '|' & DatiGenerali_Divisa from fattura where ID = :id", {{":id", f.id}}).toString(),
             QString("Soccorso stradale|CHF"));
    // A default that fails leaves nothing stored and the numbering free.
    QVERIFY_THROWS_EXCEPTION(db::DbError, vendite::nuovoDocumento(d.conn(), {.oggi = kOggi, .valoriPredefiniti = [](db::Query &q) {
                                                                                 q.fieldByName("NonEsiste").setAsString("x");
                                                                             }}));
    QCOMPARE(d.conn().scalar("select count(*) from fattura").toInt(), 1);
    QCOMPARE(vendite::nuovoDocumento(d.conn(), {.oggi = kOggi}).numero, qint64(2));
}

void TestDuePostazioni::numeriSimultaneiDiversi()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("update opzioni set NumerazioneUnicaNoteCredito = true");
    // Two workstations, each with its own connection in its own thread, adding documents as
    // fast as they can at the same moment.
    constexpr int kPerPostazione = 40;
    std::atomic<int> pronte{0};
    QStringList errori[2];
    QList<vendite::DocumentoCreato> creati[2];
    auto postazione = [&](int k) {
        try {
            db::Connection c;
            if (!c.open(d.path())) throw db::DbError(c.error());
            ++pronte;
            while (pronte < 2) std::this_thread::yield();
            for (int i = 0; i < kPerPostazione; ++i)
                creati[k] << vendite::nuovoDocumento(c, {.notaCredito = (i + k) % 3 == 0, .oggi = kOggi});
        } catch (const std::exception &e) {
            ++pronte;
            errori[k] << QString::fromUtf8(e.what());
        }
    };
    std::thread a(postazione, 0), b(postazione, 1);
    a.join();
    b.join();
    QVERIFY2(errori[0].isEmpty() && errori[1].isEmpty(), qPrintable((errori[0] + errori[1]).join("\n")));
    QSet<qint64> numeri, progressivi, id;
    for (const auto &lista : creati)
        for (const auto &c : lista) {
            numeri << c.numero;
            progressivi << c.progressivo;
            id << c.id;
        }
    QCOMPARE(numeri.size(), 2 * kPerPostazione);
    QCOMPARE(progressivi.size(), 2 * kPerPostazione);
    QCOMPARE(id.size(), 2 * kPerPostazione);
    // What is stored is what each was told, with no gap.
    QCOMPARE(d.conn().scalar("select count(*) from fattura").toInt(), 2 * kPerPostazione);
    QCOMPARE(d.conn().scalar("select count(distinct Num) from fattura").toInt(), 2 * kPerPostazione);
    QCOMPARE(d.conn().scalar("select max(Num) from fattura").toInt(), 2 * kPerPostazione);
    QCOMPARE(d.conn().scalar("select max(DatiTrasmissione_ProgressivoInvio) from fattura").toInt(), 2 * kPerPostazione);
}

void TestDuePostazioni::puliziaDiUnaNonToccaLAltra()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection altra;
    QVERIFY(altra.open(d.path()));
    const QStringList tabelle = {"TempBilancio", "TempStampa", "TempAvvisi", "TempAvvisiClienti", "TempoEtichette"};
    for (const QString &t : tabelle) {
        d.conn().execute(QString("insert into %1 (NomeComputer) values ('UFFICIO'), ('UFFICIO')").arg(t));
        altra.execute(QString("insert into %1 (NomeComputer) values ('MAGAZZINO')").arg(t));
    }
    // The second workstation cleans up while the first holds its rows, then the first does.
    postazione::cancellaTemporanei(altra, "MAGAZZINO");
    for (const QString &t : tabelle)
        QCOMPARE(d.conn().scalar(QString("select count(*) from %1 where NomeComputer = 'UFFICIO'").arg(t)).toInt(), 2);
    postazione::cancellaTemporanei(d.conn(), "UFFICIO");
    for (const QString &t : tabelle.mid(0, 4)) {
        QCOMPARE(altra.scalar(QString("select count(*) from %1").arg(t)).toInt(), 0);
    }
    // Label rows are emptied through their query at binding, never by the clean-up.
    QCOMPARE(altra.scalar("select count(*) from TempoEtichette").toInt(), 3);
    // Names differing only in case are the same workstation, as the database compares them.
    d.conn().execute("insert into TempStampa (NomeComputer) values ('ufficio'), ('UFFICIO2')");
    postazione::cancellaTemporanei(altra, "UFFICIO");
    QCOMPARE(d.conn().scalar("select NomeComputer from TempStampa").toString(), QString("UFFICIO2"));
}
