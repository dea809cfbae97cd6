#include "tst_vetture.h"

#include "db/DbError.h"
#include "db/Query.h"
#include "operations/services/Rifornimento.h"
#include "operations/services/Vetture.h"
#include "support/TestCore.h"

#include <QTest>
#include <atomic>
#include <thread>

using namespace testing_support;

namespace {

// Tank 1 of 1000 litres and tank 2 of 300; vehicle 10 with refuelling 100 (0 litres, tank 1),
// as a new refuelling is stored before its editor opens; vehicle 20 with rows of its own.
void archivio(TestDatabase &db)
{
    auto &c = db.conn();
    c.execute("insert into Carburanti (ID, Descrizione, Prezzo) values (1, 'Gasolio', 1.5), (2, 'Gratis', 0), (3, 'Senza prezzo', null)");
    c.execute("insert into Cisterne (ID, Descrizione, Carburante_ID, Litri) values (1, 'Cisterna A', 1, 1000), (2, 'Cisterna B', 1, 300)");
    c.execute("insert into Vetture (ID, Targa, Carburante_id) values (10, 'AB123CD', 1), (20, 'ZZ999ZZ', 2), (30, 'L''ACQUA', 0), "
              "(40, 'ab123cd', 3)");
    c.execute("insert into VettureCarburante (ID, Vettura_ID, Data, Litri, Cisterna_ID) values (100, 10, #3/15/2026#, 0, 1)");
    c.execute("update opzioni set LavoraCisterne = true");
}

double scorta(TestDatabase &db, int cisterna)
{
    return db.scalar(QString("select Litri from Cisterne where ID = %1").arg(cisterna)).toDouble();
}

// What the refuelling editor's post does to the row.
std::function<bool()> posta(TestDatabase &db, double litri, int cisterna = 1)
{
    return [&db, litri, cisterna] {
        db.conn().execute("update VettureCarburante set Litri = :l, Cisterna_ID = :c where ID = 100", {{":l", litri}, {":c", cisterna}});
        return true;
    };
}

} // namespace

void TestServiziVetture::scortaCisterna_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<QList<double>>("salvataggi"); // litres of each save in turn
    QTest::addColumn<bool>("elimina");
    QTest::addColumn<double>("attesa");
    QTest::newRow("saved with 40") << true << QList<double>{40} << false << 960.0;
    QTest::newRow("changed to 35") << true << QList<double>{40, 35} << false << 965.0;
    QTest::newRow("saved again unchanged") << true << QList<double>{40, 35, 35} << false << 965.0;
    QTest::newRow("deleted") << true << QList<double>{40, 35} << true << 1000.0;
    QTest::newRow("decimals") << true << QList<double>{30.5, 20.25} << false << 979.75;
    QTest::newRow("option off") << false << QList<double>{40, 35} << true << 1000.0;
}

void TestServiziVetture::scortaCisterna()
{
    QFETCH(bool, opzione);
    QFETCH(QList<double>, salvataggi);
    QFETCH(bool, elimina);
    QFETCH(double, attesa);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    for (double litri : salvataggi) {
        const auto esito = rifornimenti::salva(db.conn(), 100, opzione, posta(db, litri));
        QVERIFY(esito.salvato);
        QCOMPARE(esito.litriDopo, litri);
    }
    if (elimina) {
        const auto e = rifornimenti::elimina(db.conn(), 100, opzione);
        QVERIFY(e.eliminato);
        QCOMPARE(db.scalar("select count(*) from VettureCarburante").toInt(), 0);
    }
    QCOMPARE(scorta(db, 1), attesa);
    QCOMPARE(scorta(db, 2), 300.0);
}

void TestServiziVetture::salvataggioRifiutatoNonMuove()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    QVERIFY(rifornimenti::salva(db.conn(), 100, true, posta(db, 40)).salvato);
    // A refused post leaves the row and the stock as they were, even what it wrote first.
    const auto rifiutato = rifornimenti::salva(db.conn(), 100, true, [&] {
        db.conn().execute("update VettureCarburante set Litri = 10 where ID = 100");
        return false;
    });
    QVERIFY(!rifiutato.salvato);
    QCOMPARE(db.scalar("select Litri from VettureCarburante where ID = 100").toDouble(), 40.0);
    QCOMPARE(scorta(db, 1), 960.0);
    // A statement failing after the post rolls the post back too.
    QVERIFY_THROWS_EXCEPTION(db::DbError, rifornimenti::salva(db.conn(), 100, true, [&] {
        db.conn().execute("update VettureCarburante set Litri = 5 where ID = 100");
        db.conn().execute("update TabellaCheNonEsiste set x = 1");
        return true;
    }));
    QCOMPARE(db.scalar("select Litri from VettureCarburante where ID = 100").toDouble(), 40.0);
    QCOMPARE(scorta(db, 1), 960.0);
    // Moved to another tank: the first gets its litres back, the second gives them.
    QVERIFY(rifornimenti::salva(db.conn(), 100, true, posta(db, 40, 2)).salvato);
    QCOMPARE(scorta(db, 1), 1000.0);
    QCOMPARE(scorta(db, 2), 260.0);
    // A tank that no longer exists: the refuelling is saved and deleted, no stock moves.
    db.conn().execute("delete from Cisterne where ID = 2");
    const auto senza = rifornimenti::salva(db.conn(), 100, true, posta(db, 50, 2));
    QVERIFY(senza.salvato);
    QCOMPARE(senza.movimentoCisterna, 0.0);
    QVERIFY(rifornimenti::elimina(db.conn(), 100, true).eliminato);
    QCOMPARE(db.scalar("select sum(Litri) from Cisterne").toDouble(), 1000.0);
    // An empty stock counts as 0 and may fall below it.
    db.conn().execute("update Cisterne set Litri = null where ID = 1");
    QVERIFY(rifornimenti::muoviCisterna(db.conn(), 1, -25));
    QCOMPARE(scorta(db, 1), -25.0);
}

void TestServiziVetture::eliminaVettura_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<double>("attesa");
    QTest::newRow("option set: 30.5 + 20 back") << true << 1050.5;
    QTest::newRow("option clear: stock unchanged") << false << 1000.0;
}

void TestServiziVetture::eliminaVettura()
{
    QFETCH(bool, opzione);
    QFETCH(double, attesa);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    auto &c = db.conn();
    c.execute("delete from VettureCarburante");
    c.execute("insert into VettureCarburante (Vettura_ID, Data, Litri, Cisterna_ID) values (10, #3/1/2026#, 30.5, 1), "
              "(10, #3/2/2026#, 20, 1), (10, #3/3/2026#, 12, 0), (20, #3/3/2026#, 7, 1)");
    c.execute("insert into VettureSchede (Vettura_ID, Scheda) values (10, 'Carta 1'), (10, 'Carta 2'), (20, 'Altra')");
    c.execute("insert into VettureScadenze (Vettura_ID, Descrizione) values (10, 'Revisione'), (20, 'Bollo')");
    c.execute("insert into VettureCosti (Vettura_ID, Importo) values (10, 120), (10, 80), (10, 5), (20, 1)");
    c.execute("insert into fattura (ID, Carico, Vettura_ID) values (500, true, 10)");
    const vetture::Eliminazione e = vetture::elimina(c, 10, opzione);
    QCOMPARE(e.schede, 2);
    QCOMPARE(e.scadenze, 1);
    QCOMPARE(e.rifornimenti, 3);
    QCOMPARE(e.costi, 3);
    QCOMPARE(e.vetture, 1);
    QCOMPARE(e.litriRestituiti, opzione ? 50.5 : 0.0);
    QCOMPARE(scorta(db, 1), attesa);
    for (const char *t : {"VettureSchede", "VettureScadenze", "VettureCarburante", "VettureCosti"}) {
        QCOMPARE(db.scalar(QString("select count(*) from %1 where Vettura_ID = 10").arg(t)).toInt(), 0);
        QCOMPARE(db.scalar(QString("select count(*) from %1 where Vettura_ID = 20").arg(t)).toInt(), 1);
    }
    QCOMPARE(db.scalar("select count(*) from Vetture where ID = 10").toInt(), 0);
    // The purchase document keeps naming the vehicle.
    QCOMPARE(db.scalar("select Vettura_ID from fattura where ID = 500").toInt(), 10);
}

void TestServiziVetture::filtroElenco_data()
{
    QTest::addColumn<QStringList>("caselle"); // chassis, type, from, to, plate, make
    QTest::addColumn<QString>("filtro");
    const QString vuota = "  /  /    ";
    QTest::newRow("nothing") << QStringList{"", "", vuota, vuota, "", ""} << QString();
    QTest::newRow("plate") << QStringList{"", "", vuota, vuota, "AB", ""} << "Targa like 'AB*'";
    QTest::newRow("lone star") << QStringList{"*", "", vuota, vuota, "*", ""} << QString();
    QTest::newRow("apostrophe") << QStringList{"", "", vuota, vuota, "L'A", ""} << "Targa like 'L''A*'";
    QTest::newRow("chassis and from-date") << QStringList{"ZFA", "", "01/03/2020", vuota, "", ""}
                                           << "NumTelaio like 'ZFA*' and DataImmatricolazione >= #01/03/2020#";
    QTest::newRow("part of a date ignored") << QStringList{"ZFA", "", "01/03/20  ", vuota, "", ""} << "NumTelaio like 'ZFA*'";
    QTest::newRow("no real date ignored") << QStringList{"", "", "31/02/2020", "99/99/9999", "", ""} << QString();
    QTest::newRow("all, in order") << QStringList{"T", "Carro", "01/01/2020", "31/12/2021", "AB", "Iveco"}
                                   << "NumTelaio like 'T*' and VeicoloDesc like 'Carro*' and DataImmatricolazione >= #01/01/2020# "
                                      "and DataImmatricolazione <= #31/12/2021# and Targa like 'AB*' and Modello like 'Iveco*'";
}

void TestServiziVetture::filtroElenco()
{
    QFETCH(QStringList, caselle);
    QFETCH(QString, filtro);
    QCOMPARE(vetture::filtroElenco({caselle[0], caselle[1], caselle[2], caselle[3], caselle[4], caselle[5]}), filtro);
}

void TestServiziVetture::totaliETarghe()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    auto &c = db.conn();
    // Without rows the totals are empty.
    vetture::Totali t = vetture::totali(c, 20);
    QVERIFY(t.litri.isNull());
    QVERIFY(t.carburante.isNull());
    QVERIFY(t.costi.isNull());
    c.execute("update VettureCarburante set Litri = 40, Importo = 70, KmPartenza = 8200 where ID = 100");
    c.execute("insert into VettureCosti (Vettura_ID, Importo) values (10, 120)");
    t = vetture::totali(c, 10);
    QCOMPARE(t.litri.toDouble(), 40.0);
    QCOMPARE(t.carburante.toDouble(), 70.0);
    QCOMPARE(t.costi.toDouble(), 120.0);
    QCOMPARE(vetture::kmUltimoRifornimento(c, 10).toDouble(), 8200.0);
    QVERIFY(vetture::kmUltimoRifornimento(c, 20).isNull());
    // Added at their decimal values: 0.1 + 0.2 is 0.3, not the binary sum 0.30000000000000004.
    c.execute("update VettureCosti set Importo = 0.1 where Vettura_ID = 10");
    c.execute("insert into VettureCosti (Vettura_ID, Importo) values (10, 0.2)");
    c.execute("update VettureCarburante set Litri = 19.365, Importo = 6.61 where ID = 100");
    c.execute("insert into VettureCarburante (Vettura_ID, Litri, Importo) values (10, 6.61, 19.365)");
    t = vetture::totali(c, 10);
    QVERIFY2(t.costi.toDouble() == 0.3, qPrintable(QString::number(t.costi.toDouble(), 'g', 17)));
    QVERIFY2(t.litri.toDouble() == 25.975, qPrintable(QString::number(t.litri.toDouble(), 'g', 17)));
    QVERIFY2(t.carburante.toDouble() == 25.975, qPrintable(QString::number(t.carburante.toDouble(), 'g', 17)));
    // The plate as the database compares text: another vehicle's lower case counts, its own row not.
    QCOMPARE(vetture::targheUguali(c, "AB123CD", 10), 1);
    QCOMPARE(vetture::targheUguali(c, "AB123CD", 0), 2);
    QCOMPARE(vetture::targheUguali(c, "L'ACQUA", 30), 0);
    QCOMPARE(vetture::targheUguali(c, "L'ACQUA", 10), 1);
}

void TestServiziVetture::prezzi()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    auto &c = db.conn();
    QCOMPARE(rifornimenti::prezzoCarburante(c, 10).value_or(-1), 1.5);
    QCOMPARE(rifornimenti::prezzoCarburante(c, 20).value_or(-1), 0.0);
    QVERIFY(!rifornimenti::prezzoCarburante(c, 30)); // no fuel type
    QVERIFY(!rifornimenti::prezzoCarburante(c, 40)); // a fuel type without price
    QVERIFY(!rifornimenti::prezzoCarburante(c, 999));
    QCOMPARE(rifornimenti::importoDaLitri(1.5, 30), 45.0);
    QCOMPARE(rifornimenti::litriDaImporto(1.5, 50).value_or(-1), 33.33);
    // Decimal values: 1.005 euro a litre for 1 litre is 1.01; 2.01 over 2 is 1.005 litres, 1.01.
    QCOMPARE(rifornimenti::importoDaLitri(1.005, 1), 1.01);
    QCOMPARE(rifornimenti::importoDaLitri(1.649, 45.5), 75.03);
    QCOMPARE(rifornimenti::litriDaImporto(2, 2.01).value_or(-1), 1.01);
    // Price 0: an amount, but no litres (no division by zero).
    QCOMPARE(rifornimenti::importoDaLitri(0, 30), 0.0);
    QVERIFY(!rifornimenti::litriDaImporto(0, 50));
    QVERIFY(!rifornimenti::litriDaImporto(-1, 50));
    QCOMPARE(rifornimenti::kmDifferenza(8700, 8200), 500.0);
    QCOMPARE(rifornimenti::kmDifferenza(QVariant(), 8200), -8200.0);
    QCOMPARE(rifornimenti::kmDifferenza(300, QVariant()), 300.0);
}

void TestDuePostazioniCisterna::rifornimentiSimultanei()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    archivio(d);
    d.conn().execute("delete from VettureCarburante");
    // Each workstation saves its own refuellings from tank 1 (and gives some back) as fast
    // as it can, at the same moment: every litre counts.
    constexpr int kPerPostazione = 25;
    std::atomic<int> pronte{0};
    QStringList errori[2];
    auto postazione = [&](int k) {
        try {
            db::Connection c;
            if (!c.open(d.path())) throw db::DbError(c.error());
            ++pronte;
            while (pronte < 2) std::this_thread::yield();
            for (int i = 0; i < kPerPostazione; ++i) {
                c.execute("insert into VettureCarburante (Vettura_ID, Data, Litri, Cisterna_ID) values (:v, #3/15/2026#, 0, 1)",
                          {{":v", k == 0 ? 10 : 20}});
                const qint64 id = c.scalar("select max(ID) from VettureCarburante where Vettura_ID = :v", {{":v", k == 0 ? 10 : 20}})
                                      .toLongLong();
                rifornimenti::salva(c, id, true, [&] {
                    c.execute("update VettureCarburante set Litri = 4 where ID = :id", {{":id", id}});
                    return true;
                });
                if (i % 5 == 0) rifornimenti::elimina(c, id, true);
            }
        } catch (const std::exception &e) {
            ++pronte;
            errori[k] << QString::fromUtf8(e.what());
        }
    };
    std::thread a(postazione, 0), b(postazione, 1);
    a.join();
    b.join();
    QVERIFY2(errori[0].isEmpty() && errori[1].isEmpty(), qPrintable((errori[0] + errori[1]).join("\n")));
    // 2 x 25 refuellings of 4 litres, 2 x 5 of them deleted again.
    QCOMPARE(d.scalar("select count(*) from VettureCarburante").toInt(), 40);
    QCOMPARE(scorta(d, 1), 1000.0 - 40 * 4);
    QCOMPARE(scorta(d, 1), 1000.0 - d.scalar("select sum(Litri) from VettureCarburante where Cisterna_ID = 1").toDouble());
}
