#include "tst_cisterne.h"

#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"
#include "operations/services/Carburanti.h"
#include "operations/services/Cisterne.h"
#include "support/TestCore.h"

#include <QTest>
#include <atomic>
#include <thread>

using namespace testing_support;

namespace {

// A tank with its stock (null: none) holding fuel 1; its id.
qint64 cisterna(db::Connection &c, const QString &nome, const QVariant &litri)
{
    c.execute("insert into Cisterne (Descrizione, Litri, Carburante_ID) values (:d, :l, 1)", {{":d", nome}, {":l", litri}});
    return c.scalar("select max(ID) from Cisterne").toLongLong();
}

qint64 carico(db::Connection &c, qint64 idCisterna, double litri)
{
    // This connection's new id: another workstation may be adding loads too.
    db::Transaction t(c);
    c.execute("insert into CisterneCarico (Cisterna_ID, Data, Importo, Litri) values (:c, #3/15/2026#, 0, :l)",
              {{":c", idCisterna}, {":l", litri}});
    const qint64 id = c.scalar("SELECT @@IDENTITY").toLongLong();
    t.commit();
    return id;
}

double litri(db::Connection &c, qint64 idCisterna)
{
    return c.scalar("select Litri from Cisterne where ID = :id", {{":id", idCisterna}}).toDouble();
}

// The load as the editor holds it, its litres changed and posted through the dataset.
std::function<bool()> postaLitri(db::Query &q, double nuovi)
{
    return [&q, nuovi] {
        q.edit();
        q.fieldByName("Litri").setAsFloat(nuovi);
        return q.post();
    };
}

} // namespace

void TestServiziCisterne::salvaCarico_data()
{
    QTest::addColumn<double>("giacenza");
    QTest::addColumn<double>("salvati"); // the load's litres as stored
    QTest::addColumn<double>("nuovi");   // as the editor posts them
    QTest::addColumn<bool>("rifiutato"); // the post is refused after writing
    QTest::addColumn<double>("attesa");
    QTest::newRow("new load of 1000") << 0.0 << 0.0 << 1000.0 << false << 1000.0;
    QTest::newRow("40 on a typed 1000") << 1000.0 << 0.0 << 40.0 << false << 1040.0;
    QTest::newRow("changed 40 to 35") << 1040.0 << 40.0 << 35.0 << false << 1035.0;
    QTest::newRow("unchanged") << 1035.0 << 35.0 << 35.0 << false << 1035.0;
    QTest::newRow("refused post") << 500.0 << 40.0 << 90.0 << true << 500.0;
    QTest::newRow("below zero") << 10.0 << 50.0 << 0.0 << false << -40.0;
}

void TestServiziCisterne::salvaCarico()
{
    QFETCH(double, giacenza);
    QFETCH(double, salvati);
    QFETCH(double, nuovi);
    QFETCH(bool, rifiutato);
    QFETCH(double, attesa);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    const qint64 t = cisterna(d.conn(), "Gasolio", giacenza);
    const qint64 altra = cisterna(d.conn(), "Benzina", 7.0);
    const qint64 id = carico(d.conn(), t, salvati);
    db::Query q(&d.conn());
    q.setSql(QString("select * from CisterneCarico where Cisterna_ID = %1 order by Data desc").arg(t));
    q.open();
    auto posta = postaLitri(q, nuovi);
    const cisterne::EsitoCarico e = cisterne::salvaCarico(d.conn(), id, [&] { return posta() && !rifiutato; });
    QCOMPARE(e.salvato, !rifiutato);
    QCOMPARE(litri(d.conn(), t), attesa);
    QCOMPARE(litri(d.conn(), altra), 7.0);
    // A refused save leaves the load as it was stored too.
    QCOMPARE(d.conn().scalar("select Litri from CisterneCarico where ID = :id", {{":id", id}}).toDouble(), rifiutato ? salvati : nuovi);
    if (!rifiutato) QCOMPARE(e.differenza, nuovi - salvati);
}

void TestServiziCisterne::eliminaCarico_data()
{
    QTest::addColumn<double>("giacenza");
    QTest::addColumn<double>("caricati");
    QTest::addColumn<double>("attesa");
    QTest::newRow("off at once") << 1035.0 << 35.0 << 1000.0;
    QTest::newRow("larger than the stock") << 20.0 << 50.5 << -30.5;
    QTest::newRow("new load never saved") << 300.0 << 0.0 << 300.0;
}

void TestServiziCisterne::eliminaCarico()
{
    QFETCH(double, giacenza);
    QFETCH(double, caricati);
    QFETCH(double, attesa);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    const qint64 t = cisterna(d.conn(), "Gasolio", giacenza);
    const qint64 resta = carico(d.conn(), t, 12);
    const qint64 id = carico(d.conn(), t, caricati);
    QVERIFY(cisterne::eliminaCarico(d.conn(), id).salvato);
    QCOMPARE(litri(d.conn(), t), attesa);
    QCOMPARE(d.conn().scalar("select count(*) from CisterneCarico").toInt(), 1);
    QCOMPARE(d.conn().scalar("select ID from CisterneCarico").toLongLong(), resta);
    // A load already gone moves nothing.
    QVERIFY(!cisterne::eliminaCarico(d.conn(), id).salvato);
    QCOMPARE(litri(d.conn(), t), attesa);
}

void TestServiziCisterne::eliminaCisterna()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    const qint64 t = cisterna(d.conn(), "Gasolio", 100);
    const qint64 altra = cisterna(d.conn(), "Benzina", 50);
    carico(d.conn(), t, 60);
    carico(d.conn(), t, 40);
    carico(d.conn(), altra, 50);
    d.conn().execute("insert into VettureCarburante (Vettura_ID, Cisterna_ID, Cisterna, Litri) values (1, :t, 'Gasolio', 30)",
                     {{":t", t}});
    const cisterne::Eliminati e = cisterne::eliminaCisterna(d.conn(), t);
    QCOMPARE(e.cisterne, 1);
    QCOMPARE(e.carichi, 2);
    QCOMPARE(d.conn().scalar("select count(*) from Cisterne").toInt(), 1);
    QCOMPARE(d.conn().scalar("select count(*) from CisterneCarico where Cisterna_ID = :t", {{":t", altra}}).toInt(), 1);
    QCOMPARE(d.conn().scalar("select count(*) from CisterneCarico").toInt(), 1);
    // The refuelling keeps the record of where its fuel came from.
    QCOMPARE(d.conn().scalar("select Cisterna_ID from VettureCarburante").toLongLong(), t);
    QCOMPARE(d.conn().scalar("select Cisterna from VettureCarburante").toString(), QString("Gasolio"));
}

void TestServiziCisterne::restituisciLitriVettura_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<double>("attesaA");
    QTest::addColumn<double>("attesaB");
    QTest::addColumn<int>("cisterne");
    // Vehicle 5 drew 30.5 and 20 from A, 12 from B, 8 from a tank since deleted, 5 from none;
    // vehicle 6 drew 100 from A.
    QTest::newRow("option set") << true << 150.5 << 12.0 << 2;
    QTest::newRow("option clear") << false << 100.0 << 0.0 << 0;
}

void TestServiziCisterne::restituisciLitriVettura()
{
    QFETCH(bool, opzione);
    QFETCH(double, attesaA);
    QFETCH(double, attesaB);
    QFETCH(int, cisterne);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("update opzioni set LavoraCisterne = :o", {{":o", opzione}});
    const qint64 a = cisterna(d.conn(), "A", 100);
    const qint64 b = cisterna(d.conn(), "B", QVariant()); // no stock typed: counts as 0
    d.conn().execute("insert into VettureCarburante (Vettura_ID, Cisterna_ID, Litri) values "
                     "(5, :a, 30.5), (5, :a, 20), (5, :b, 12), (5, 999, 8), (5, 0, 5), (5, :a, null), (6, :a, 100)",
                     {{":a", a}, {":b", b}});
    const cisterne::Restituiti r = cisterne::restituisciLitriVettura(d.conn(), 5);
    QCOMPARE(r.cisterne, cisterne);
    QCOMPARE(r.litri, opzione ? 62.5 : 0.0);
    QCOMPARE(litri(d.conn(), a), attesaA);
    QCOMPARE(litri(d.conn(), b), attesaB);
    QVERIFY(!d.conn().scalar("select count(*) from Cisterne where ID = 999").toInt());
    // The refuellings are the caller's to delete.
    QCOMPARE(d.conn().scalar("select count(*) from VettureCarburante").toInt(), 7);
}

void TestServiziCisterne::restituzioneNellaTransazioneDelChiamante()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("update opzioni set LavoraCisterne = true");
    const qint64 a = cisterna(d.conn(), "A", 10);
    d.conn().execute("insert into VettureCarburante (Vettura_ID, Cisterna_ID, Litri) values (5, :a, 30.5)", {{":a", a}});
    {
        // The fleet list's delete: the give-back and the deletes in one transaction, abandoned.
        db::Transaction t(d.conn());
        QCOMPARE(cisterne::restituisciLitriVettura(d.conn(), 5).litri, 30.5);
        d.conn().execute("delete from VettureCarburante where Vettura_ID = 5");
        QCOMPARE(litri(d.conn(), a), 40.5);
        QVERIFY(t.isOpen());
    }
    QCOMPARE(litri(d.conn(), a), 10.0);
    QCOMPARE(d.conn().scalar("select count(*) from VettureCarburante").toInt(), 1);
    {
        db::Transaction t(d.conn());
        cisterne::restituisciLitriVettura(d.conn(), 5);
        d.conn().execute("delete from VettureCarburante where Vettura_ID = 5");
        t.commit();
    }
    QCOMPARE(litri(d.conn(), a), 40.5);
}

void TestServiziCisterne::muoviSuGiacenzaVuota()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    const qint64 a = cisterna(d.conn(), "A", QVariant());
    QCOMPARE(cisterne::muovi(d.conn(), a, -25.5), 1);
    QCOMPARE(litri(d.conn(), a), -25.5);
    QCOMPARE(cisterne::muovi(d.conn(), a, 0), 0);
    QCOMPARE(cisterne::muovi(d.conn(), 0, 10), 0);
    QCOMPARE(cisterne::muovi(d.conn(), 999, 10), 0);
    QCOMPARE(litri(d.conn(), a), -25.5);
}

void TestServiziCisterne::eliminaCarburante_data()
{
    QTest::addColumn<int>("cisterne");
    QTest::addColumn<int>("vetture");
    QTest::addColumn<QString>("messaggio"); // empty: deleted
    QTest::newRow("unused") << 0 << 0 << "";
    QTest::newRow("one tank") << 1 << 0 << "Attenzione il tipo di Carburante non può essere eliminato: è usato da 1 cisterna.";
    QTest::newRow("vehicles") << 0 << 2 << "Attenzione il tipo di Carburante non può essere eliminato: è usato da 2 vetture.";
    QTest::newRow("both") << 2 << 1
                          << "Attenzione il tipo di Carburante non può essere eliminato: è usato da 2 cisterne e da 1 vettura.";
}

void TestServiziCisterne::eliminaCarburante()
{
    QFETCH(int, cisterne);
    QFETCH(int, vetture);
    QFETCH(QString, messaggio);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("insert into Carburanti (Descrizione, Prezzo) values ('Gasolio', 1.65), ('Benzina', 1.8)");
    const qint64 id = d.conn().scalar("select ID from Carburanti where Descrizione = 'Gasolio'").toLongLong();
    const qint64 altro = d.conn().scalar("select ID from Carburanti where Descrizione = 'Benzina'").toLongLong();
    for (int i = 0; i < cisterne; ++i) d.conn().execute("insert into Cisterne (Descrizione, Carburante_ID) values ('C', :id)", {{":id", id}});
    for (int i = 0; i < vetture; ++i) d.conn().execute("insert into Vetture (Targa, Carburante_id) values ('AB', :id)", {{":id", id}});
    // What names another fuel type does not count.
    d.conn().execute("insert into Cisterne (Descrizione, Carburante_ID) values ('Altra', :id)", {{":id", altro}});
    const carburanti::EsitoEliminazione e = carburanti::elimina(d.conn(), id);
    QCOMPARE(e.eliminato, messaggio.isEmpty());
    QCOMPARE(d.conn().scalar("select count(*) from Carburanti where ID = :id", {{":id", id}}).toInt(), messaggio.isEmpty() ? 0 : 1);
    QCOMPARE(d.conn().scalar("select count(*) from Carburanti").toInt(), messaggio.isEmpty() ? 1 : 2);
    if (!messaggio.isEmpty()) QCOMPARE(carburanti::messaggioInUso(e.uso), messaggio);
}

void TestServiziCisterne::descrizioneFattura()
{
    QCOMPARE(cisterne::descrizioneFattura("Petroli Rossi Srl", 27, QDate(2026, 3, 4)),
             QString("Petroli Rossi Srl    n° reg.:27    data reg:04/03/2026"));
}

void TestDuePostazioniCisterne::carichiSimultanei()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    const qint64 t = cisterna(d.conn(), "Gasolio", 1000);
    // Each workstation, with its own connection in its own thread, stores loads as the load
    // editor does (a row with no litres, then its litres saved through the dataset), changes
    // each once and deletes every third, all at the same moment as the other.
    constexpr int kCarichi = 25;
    std::atomic<int> pronte{0};
    QStringList errori[2];
    auto postazione = [&](int k) {
        try {
            db::Connection c;
            if (!c.open(d.path())) throw db::DbError(c.error());
            ++pronte;
            while (pronte < 2) std::this_thread::yield();
            for (int i = 0; i < kCarichi; ++i) {
                const qint64 id = carico(c, t, 0);
                db::Query q(&c);
                q.setSql(QString("select * from CisterneCarico where ID = %1").arg(id));
                q.open();
                if (!cisterne::salvaCarico(c, id, postaLitri(q, 40)).salvato) throw std::runtime_error("first save refused");
                if (!cisterne::salvaCarico(c, id, postaLitri(q, 35)).salvato) throw std::runtime_error("change refused");
                if (i % 3 == 0 && !cisterne::eliminaCarico(c, id).salvato) throw std::runtime_error("delete refused");
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
    const int rimasti = 2 * (kCarichi - (kCarichi + 2) / 3);
    QCOMPARE(d.conn().scalar("select count(*) from CisterneCarico").toInt(), rimasti);
    QCOMPARE(litri(d.conn(), t), 1000.0 + 35.0 * rimasti);
}
