#include "tst_preventivi.h"

#include "db/DbError.h"
#include "db/Query.h"
#include "sales/services/Preventivi.h"
#include "support/TestCore.h"

#include <QSet>
#include <QTest>
#include <atomic>
#include <stdexcept>
#include <thread>

using namespace testing_support;

namespace {

const QDate kOggi(2026, 3, 15);

// The first column of the first row, as the program shows it.
QString testo(db::Connection &c, const QString &sql)
{
    db::Query q(&c);
    q.setSql(sql);
    q.open();
    return q.isEmpty() ? QStringLiteral("<nessuna riga>") : q.field(0).asString();
}

qint64 centesimi(db::Connection &c, const QString &sql) { return qRound64(c.scalar(sql).toDouble() * 100); }

// Tariffs: 1 "TR1" price 100, final 122, discount 10, 22% (VAT row 1), department "Officina",
// unit 2; 2 "CU1" 30 at 10% without discount; 3 "FI1" 50 with discount 10 and a fixed price.
// Customers 1 (discount 5), 2 (discount 0), 3 (no discount). Quote 12 (number 7, 20/02/2026)
// without customer and rows.
void fixture(db::Connection &c)
{
    c.execute("update opzioni set AliquotaIva = 22, Iva_Id = 1, IncrementaNumeroRigaArticoli = true");
    c.execute("insert into prezziar (ID, Codice, Descrizione, Prezzo, PrezzoCompleto, Sconto, AliquotaIva, Iva_Id, "
              "Reparto, Um_Id, PrezzoImposto, Annullato) values "
              "(1, 'TR1', 'Traino', 100, 122, 10, 22, 1, 'Officina', 2, false, false), "
              "(2, 'CU1', 'Custodia', 30, 33, null, 10, 2, null, null, false, false), "
              "(3, 'FI1', 'Fisso', 50, 61, 10, 22, 1, null, null, true, false)");
    c.execute("insert into Clienti (Id, Cognome, Sconto) values (1, 'Rossi', 5), (2, 'Bianchi', 0), (3, 'Verdi', null)");
    c.execute("insert into PreventiTestata (ID, Numero, Data) values (12, 7, #2/20/2026#)");
}

} // namespace

void TestServiziPreventivi::filtro_data()
{
    QTest::addColumn<QStringList>("caselle"); // cliente, numero, da, a, targa
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QString>("errore");
    QTest::addColumn<QString>("casella");
    const QString vuota = "  /  /    ";
    QTest::newRow("nothing") << QStringList{"", "", vuota, vuota, ""} << "" << "" << "";
    QTest::newRow("stars") << QStringList{"*", "*", vuota, vuota, "*"} << "" << "" << "";
    QTest::newRow("customer with an apostrophe") << QStringList{"d'a", "", vuota, vuota, ""} << "Cliente like 'd''a*'" << ""
                                                  << "";
    QTest::newRow("plate with an apostrophe") << QStringList{"", "", vuota, vuota, "AB'1"} << "Targa1 like 'AB''1*'" << ""
                                               << "";
    QTest::newRow("number") << QStringList{"", " 7 ", vuota, vuota, ""} << "Numero = 7" << "" << "";
    QTest::newRow("number with letters") << QStringList{"", "7x", vuota, vuota, ""} << ""
                                         << "Attenzione numero non valido: 7x" << "Edit2";
    QTest::newRow("number with an apostrophe") << QStringList{"", "7' or 1=1", vuota, vuota, ""} << ""
                                               << "Attenzione numero non valido: 7' or 1=1" << "Edit2";
    QTest::newRow("from date") << QStringList{"", "", "01/03/2026", vuota, ""} << "Data >= #01/03/2026#" << "" << "";
    QTest::newRow("to date, that day whole") << QStringList{"", "", vuota, "31/12/2026", ""} << "Data < #01/01/2027#" << ""
                                             << "";
    QTest::newRow("date being typed") << QStringList{"", "", "12/03/20  ", vuota, ""} << "" << "" << "";
    QTest::newRow("impossible date") << QStringList{"", "", "31/02/2026", vuota, ""} << ""
                                     << "Attenzione data non valida: 31/02/2026" << "maskDaData";
    QTest::newRow("impossible end date") << QStringList{"", "", vuota, "1 /13/2026", ""} << ""
                                         << "Attenzione data non valida: 1 /13/2026" << "maskAData";
    QTest::newRow("all, in order") << QStringList{"Ro", "3", "01/01/2026", "02/01/2026", "EF"}
                                   << "Numero = 3 and Data >= #01/01/2026# and Data < #03/01/2026# and Cliente like 'Ro*' "
                                      "and Targa1 like 'EF*'"
                                   << "" << "";
}

void TestServiziPreventivi::filtro()
{
    QFETCH(QStringList, caselle);
    QFETCH(QString, filtro);
    QFETCH(QString, errore);
    QFETCH(QString, casella);
    const vendite::FiltroPreventivi f =
        vendite::filtroPreventivi({.cliente = caselle[0], .numero = caselle[1], .daData = caselle[2], .aData = caselle[3],
                                   .targa = caselle[4]});
    QCOMPARE(f.filtro, filtro);
    QCOMPARE(f.errore, errore);
    QCOMPARE(f.casella, casella);
    QCOMPARE(f.valido(), errore.isEmpty());
}

void TestServiziPreventivi::numerazione_data()
{
    QTest::addColumn<QStringList>("preventivi"); // "numero,storico"
    QTest::addColumn<QStringList>("eliminati");  // numbers deleted before
    QTest::addColumn<int>("numero");
    QTest::newRow("first of all") << QStringList{} << QStringList{} << 1;
    QTest::newRow("first of the year: only past quotes") << QStringList{"41,1", "40,1"} << QStringList{} << 1;
    QTest::newRow("after the highest of the year") << QStringList{"1,0", "5,0", "2,0", "41,1"} << QStringList{} << 6;
    QTest::newRow("after deleting the last") << QStringList{"1,0", "2,0", "3,0"} << QStringList{"3"} << 3;
    QTest::newRow("after deleting one in the middle") << QStringList{"1,0", "2,0", "3,0"} << QStringList{"2"} << 4;
}

void TestServiziPreventivi::numerazione()
{
    QFETCH(QStringList, preventivi);
    QFETCH(QStringList, eliminati);
    QFETCH(int, numero);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    for (const QString &p : preventivi) {
        const QStringList v = p.split(',');
        d.conn().execute("insert into PreventiTestata (Numero, Storico, Data) values (:n, :s, #1/10/2025#)",
                         {{":n", v[0].toInt()}, {":s", v[1] == "1"}});
    }
    for (const QString &n : eliminati) {
        const qint64 id = d.conn().scalar("select ID from PreventiTestata where Numero = :n", {{":n", n.toInt()}}).toLongLong();
        QVERIFY(vendite::eliminaPreventivo(d.conn(), id).eliminato);
    }
    QCOMPARE(vendite::prossimoNumeroPreventivo(d.conn()), qint64(numero));
    const vendite::PreventivoCreato creato =
        vendite::nuovoPreventivo(d.conn(), {.oggi = kOggi});
    QCOMPARE(creato.numero, qint64(numero));
    const db::Params p = {{":id", creato.id}};
    QCOMPARE(d.conn().scalar("select Numero from PreventiTestata where ID = :id", p).toInt(), numero);
    QCOMPARE(d.conn().scalar("select Storico from PreventiTestata where ID = :id", p).toInt(), 0);
    QCOMPARE(testo(d.conn(), QString("select Data from PreventiTestata where ID = %1").arg(creato.id)), QString("15/03/2026"));
    // Nothing else is given by the list: no customer, no totals.
    QCOMPARE(d.conn().scalar("select count(*) from PreventiTestata where ID = :id and (Cliente_ID = 0 or Cliente_ID is null) "
                             "and TotalePreventivo = 0",
                             p)
                 .toInt(),
             1);
}

void TestServiziPreventivi::nuovoConPredefinitiESequestro()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("insert into Sequestri (Id, Numero, Data, DataDissequestro, AutoTarga, Preventivo_Id) values "
                     "(30, 5, #2/10/2026#, #3/2/2026#, 'EF789GH', 0), (31, 6, #2/11/2026#, null, 'ZZ000ZZ', 0)");
    // The defaults write a plate and a note; the seizure's plate and dates win over them.
    const auto predefiniti = [](db::Query &q) {
        q.fieldByName("Targa1").setAsString("PREDEF");
        q.fieldByName("DataIngressoVeicolo").setValue(QDate(2020, 1, 1));
        q.fieldByName("Note").setAsString("Nota predefinita");
    };
    const vendite::PreventivoCreato creato =
        vendite::nuovoPreventivo(d.conn(), {.oggi = kOggi, .sequestro = 30, .valoriPredefiniti = predefiniti});
    const QString dove = QString(" from PreventiTestata where ID = %1").arg(creato.id);
    QCOMPARE(testo(d.conn(), "select Targa1" + dove), QString("EF789GH"));
    QCOMPARE(testo(d.conn(), "select DataIngressoVeicolo" + dove), QString("10/02/2026"));
    QCOMPARE(testo(d.conn(), "select DataUscitaVeicolo" + dove), QString("02/03/2026"));
    QCOMPARE(testo(d.conn(), "select Note" + dove), QString("Nota predefinita"));
    QCOMPARE(creato.numero, qint64(1));
    // The seizure names its quote, with the label its own link writes; the other is untouched.
    QCOMPARE(d.conn().scalar("select Preventivo_Id from Sequestri where Id = 30").toLongLong(), creato.id);
    QCOMPARE(testo(d.conn(), "select Preventivo_Descrizione from Sequestri where Id = 30"), QString("1 - del 15/03/2026"));
    QCOMPARE(d.conn().scalar("select Preventivo_Id from Sequestri where Id = 31").toInt(), 0);

    // A seizure not released yet: the exit date stays empty.
    const vendite::PreventivoCreato secondo = vendite::nuovoPreventivo(d.conn(), {.oggi = kOggi, .sequestro = 31});
    QCOMPARE(secondo.numero, qint64(2));
    QCOMPARE(d.conn().scalar("select count(*) from PreventiTestata where ID = :id and DataUscitaVeicolo is null",
                             {{":id", secondo.id}})
                 .toInt(),
             1);
}

void TestServiziPreventivi::sequestroInesistente()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    QVERIFY_THROWS_EXCEPTION(db::DbError, vendite::nuovoPreventivo(d.conn(), {.oggi = kOggi, .sequestro = 99}));
    QCOMPARE(d.conn().scalar("select count(*) from PreventiTestata").toInt(), 0);
    // A default value that does not convert stores nothing either.
    const auto rotto = [](db::Query &) { throw std::invalid_argument("valore predefinito non valido"); };
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, vendite::nuovoPreventivo(d.conn(), {.oggi = kOggi, .valoriPredefiniti = rotto}));
    QCOMPARE(d.conn().scalar("select count(*) from PreventiTestata").toInt(), 0);
}

void TestServiziPreventivi::numeriSimultaneiDiversi()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    // Two workstations, each with its own connection in its own thread, adding quotes as fast
    // as they can at the same moment.
    constexpr int kPerPostazione = 30;
    std::atomic<int> pronte{0};
    QStringList errori[2];
    QList<qint64> numeri[2];
    auto postazione = [&](int k) {
        try {
            db::Connection c;
            if (!c.open(d.path())) throw db::DbError(c.error());
            ++pronte;
            while (pronte < 2) std::this_thread::yield();
            for (int i = 0; i < kPerPostazione; ++i) numeri[k] << vendite::nuovoPreventivo(c, {.oggi = kOggi}).numero;
        } catch (const std::exception &e) {
            ++pronte;
            errori[k] << QString::fromUtf8(e.what());
        }
    };
    std::thread a(postazione, 0), b(postazione, 1);
    a.join();
    b.join();
    QVERIFY2(errori[0].isEmpty() && errori[1].isEmpty(), qPrintable((errori[0] + errori[1]).join("\n")));
    const QSet<qint64> tutti = QSet<qint64>(numeri[0].begin(), numeri[0].end()) + QSet<qint64>(numeri[1].begin(), numeri[1].end());
    QCOMPARE(tutti.size(), 2 * kPerPostazione);
    QCOMPARE(d.conn().scalar("select count(distinct Numero) from PreventiTestata").toInt(), 2 * kPerPostazione);
    QCOMPARE(d.conn().scalar("select max(Numero) from PreventiTestata").toInt(), 2 * kPerPostazione);
}

void TestServiziPreventivi::eliminaConCollegamenti()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    db::Connection &c = d.conn();
    c.execute("insert into PreventiTestata (ID, Numero) values (13, 8)");
    c.execute("insert into PreventiRighe (Prev_ID, Descrizione) values (12, 'a'), (12, 'b'), (13, 'altro')");
    c.execute("insert into Sequestri (Id, Numero, Preventivo_Id, Preventivo_Descrizione) values "
              "(30, 1, 12, '7 - del 20/02/2026'), (31, 2, 13, '8 - del 21/02/2026')");
    // An invoice imported the quote's rows: they are the invoice's now.
    c.execute("insert into fattura (ID, Num) values (1, 1)");
    c.execute("insert into fattdett (NumFatt, Prev_ID, Descrizione) values (1, 12, 'a')");
    c.execute("insert into FatturaPreventiviRighe (Fattura_ID, Preventivo_Id, Numero) values (1, 12, 7)");

    const vendite::EsitoEliminazionePreventivo e = vendite::eliminaPreventivo(c, 12);
    QVERIFY(e.eliminato);
    QCOMPARE(e.righe, 2);
    QCOMPARE(e.sequestriLiberati, 1);
    QCOMPARE(c.scalar("select count(*) from PreventiTestata where ID = 12").toInt(), 0);
    QCOMPARE(c.scalar("select count(*) from PreventiRighe where Prev_ID = 12").toInt(), 0);
    QCOMPARE(c.scalar("select count(*) from Sequestri where Id = 30 and Preventivo_Id is null and Preventivo_Descrizione is null")
                 .toInt(),
             1);
    // Everything of the other quote stays, and so does what the invoice holds.
    QCOMPARE(c.scalar("select count(*) from PreventiRighe where Prev_ID = 13").toInt(), 1);
    QCOMPARE(c.scalar("select count(*) from Sequestri where Id = 31 and Preventivo_Id = 13").toInt(), 1);
    QCOMPARE(c.scalar("select count(*) from fattdett where Prev_ID = 12").toInt(), 1);
    QCOMPARE(c.scalar("select count(*) from FatturaPreventiviRighe where Preventivo_Id = 12").toInt(), 1);
    // A quote that is no longer there: nothing happens.
    QVERIFY(!vendite::eliminaPreventivo(c, 12).eliminato);
}

void TestServiziPreventivi::scontoDelleRighe_data()
{
    QTest::addColumn<qint64>("cliente"); // the customer the editor holds
    QTest::addColumn<qint64>("tariffa");
    QTest::addColumn<double>("sconto");
    QTest::newRow("no customer: the tariff's") << qint64(0) << qint64(1) << 10.0;
    QTest::newRow("no customer, tariff without discount") << qint64(0) << qint64(2) << 0.0;
    QTest::newRow("customer's 5 replaces the tariff's 10") << qint64(1) << qint64(1) << 5.0;
    QTest::newRow("customer's 5 on a tariff without discount") << qint64(1) << qint64(2) << 5.0;
    QTest::newRow("fixed price keeps the tariff's") << qint64(1) << qint64(3) << 10.0;
    QTest::newRow("customer's 0 also replaces") << qint64(2) << qint64(1) << 0.0;
    QTest::newRow("customer without discount: the tariff's") << qint64(3) << qint64(1) << 10.0;
}

void TestServiziPreventivi::scontoDelleRighe()
{
    QFETCH(qint64, cliente);
    QFETCH(qint64, tariffa);
    QFETCH(double, sconto);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    // The quote as stored has no customer: the customer is the one chosen in the editor, not
    // yet stored, and no other quote names it.
    const QList<qint64> righe = vendite::righeDaTariffePreventivo(d.conn(), {.id = 12, .cliente = cliente}, {tariffa});
    QCOMPARE(righe.size(), 1);
    QCOMPARE(d.conn().scalar("select Sconto from PreventiRighe where Id = :id", {{":id", righe[0]}}).toDouble(), sconto);
}

void TestServiziPreventivi::rigaDaTariffa()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    db::Connection &c = d.conn();
    c.execute("insert into PreventiRighe (Prev_ID, NumeroRiga, Descrizione) values (12, 1, 'esistente')");
    const QList<qint64> righe =
        vendite::righeDaTariffePreventivo(c, {.id = 12, .data = QDateTime(QDate(2026, 2, 20), QTime())}, {1, 99, 2});
    // The id that is no tariff is skipped; the others in the order given.
    QCOMPARE(righe.size(), 2);
    db::Query q(&c);
    q.setSql("select * from PreventiRighe where Id = :id");
    q.bind(":id", righe[0]);
    q.open();
    const auto v = [&q](const char *col) { return q.fieldByName(col).asString(); };
    QCOMPARE(v("Prev_ID"), QString("12"));
    QCOMPARE(v("Um"), QString("1"));
    QCOMPARE(v("ValoreUnitario"), QString("100"));
    QCOMPARE(v("Sconto"), QString("10"));
    QCOMPARE(v("TotaleImponibile"), QString("90"));
    // The gross from the same price, discount and rate as the net (the tariff's final price
    // 122 is before the discount).
    QCOMPARE(v("ValoreTotale"), QString("109,8"));
    QCOMPARE(v("AliquotaIva"), QString("22"));
    QCOMPARE(v("Iva_ID"), QString("1"));
    QCOMPARE(v("Um_ID"), QString("2"));
    QCOMPARE(v("TipoRiga"), QString("N"));
    QCOMPARE(v("Codice"), QString("TR1"));
    QCOMPARE(v("Descrizione"), QString("Traino"));
    QCOMPARE(v("Articolo_ID"), QString("1"));
    QCOMPARE(v("Reparto"), QString("Officina"));
    QCOMPARE(v("Data"), QString("20/02/2026"));
    QCOMPARE(v("NumeroRiga"), QString("2"));
    QCOMPARE(q.fieldByName("Storico").asInteger(), 0);
    q.bind(":id", righe[1]);
    q.requery();
    QCOMPARE(v("NumeroRiga"), QString("3"));
    QCOMPARE(v("TotaleImponibile"), QString("30"));
    QCOMPARE(v("ValoreTotale"), QString("33"));
    QCOMPARE(v("AliquotaIva"), QString("10"));
    // A quote without a date: its rows are dated today.
    c.execute("update PreventiTestata set Data = null where ID = 12");
    const QList<qint64> senzaData = vendite::righeDaTariffePreventivo(c, {.id = 12}, {2});
    QCOMPARE(testo(c, QString("select Data from PreventiRighe where Id = %1").arg(senzaData[0])), QString("15/03/2026"));
}

void TestServiziPreventivi::numeroRiga_data()
{
    QTest::addColumn<bool>("incrementa");
    QTest::addColumn<QString>("numeri");
    QTest::newRow("after the existing rows") << true << "1,2,3,4";
    QTest::newRow("option off: every row 1") << false << "1,1,1,1";
}

void TestServiziPreventivi::numeroRiga()
{
    QFETCH(bool, incrementa);
    QFETCH(QString, numeri);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    d.conn().execute("update opzioni set IncrementaNumeroRigaArticoli = :v", {{":v", incrementa}});
    vendite::righeDaTariffePreventivo(d.conn(), {.id = 12}, {1, 2});
    vendite::rigaLiberaPreventivo(d.conn(), {.id = 12});
    vendite::righeDaTariffePreventivo(d.conn(), {.id = 12}, {3});
    QCOMPARE(vendite::numeroNuovaRigaPreventivo(d.conn(), 12), incrementa ? 5 : 1);
    db::Query q(&d.conn());
    q.setSql("select NumeroRiga from PreventiRighe where Prev_ID = 12 order by Id");
    q.open();
    QStringList n;
    for (q.first(); !q.eof(); q.next()) n << q.field(0).asString();
    QCOMPARE(n.join(','), numeri);
}

void TestServiziPreventivi::preventivoInesistente()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    QVERIFY_THROWS_EXCEPTION(db::DbError, vendite::righeDaTariffePreventivo(d.conn(), {.id = 99}, {1}));
    QVERIFY_THROWS_EXCEPTION(db::DbError, vendite::rigaLiberaPreventivo(d.conn(), {.id = 99}));
    QCOMPARE(d.conn().scalar("select count(*) from PreventiRighe").toInt(), 0);
}

void TestServiziPreventivi::rigaLibera_data()
{
    QTest::addColumn<double>("aliquota");
    QTest::addColumn<qint64>("lordo"); // in cents
    QTest::newRow("22%") << 22.0 << qint64(122);
    QTest::newRow("10%: the row's rate, not a fixed 22%") << 10.0 << qint64(110);
    QTest::newRow("4%") << 4.0 << qint64(104);
    QTest::newRow("no rate") << 0.0 << qint64(100);
}

void TestServiziPreventivi::rigaLibera()
{
    QFETCH(double, aliquota);
    QFETCH(qint64, lordo);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    d.conn().execute("update opzioni set AliquotaIva = :a, Iva_Id = 4", {{":a", aliquota}});
    const qint64 id = vendite::rigaLiberaPreventivo(d.conn(), {.id = 12, .data = QDateTime(QDate(2026, 2, 20), QTime())});
    db::Query q(&d.conn());
    q.setSql("select * from PreventiRighe where Id = :id");
    q.bind(":id", id);
    q.open();
    const auto v = [&q](const char *col) { return q.fieldByName(col).asString(); };
    QCOMPARE(v("Prev_ID"), QString("12"));
    QCOMPARE(v("Codice"), QString("00000"));
    QCOMPARE(v("Descrizione"), QString("Articolo da inserire"));
    QCOMPARE(v("TipoRiga"), QString("A"));
    QCOMPARE(v("Um"), QString("1"));
    QCOMPARE(v("ValoreUnitario"), QString("1"));
    QCOMPARE(v("TotaleImponibile"), QString("1"));
    QCOMPARE(v("Sconto"), QString("0"));
    QCOMPARE(v("Iva_ID"), QString("4"));
    QCOMPARE(v("Data"), QString("20/02/2026"));
    QCOMPARE(q.fieldByName("AliquotaIva").asFloat(), aliquota);
    QCOMPARE(qRound64(q.fieldByName("ValoreTotale").asFloat() * 100), lordo);
    // The free row does not change the stored totals by itself.
    QCOMPARE(centesimi(d.conn(), "select TotalePreventivo from PreventiTestata where ID = 12"), qint64(0));
}

void TestServiziPreventivi::totali_data()
{
    QTest::addColumn<QStringList>("righe"); // "Um;ValoreUnitario;Sconto;AliquotaIva", "null" for empty
    QTest::addColumn<QString>("attesi");    // imponibile/imposta/totale in cents
    const QStringList dueAliquote = {"2;12.5;10;22", "1;30;null;10"};
    QTest::newRow("two rates, by hand") << dueAliquote << "5250/795/6045";
    QTest::newRow("a row without quantity counts for nothing") << (dueAliquote + QStringList{"null;100;0;22"}) << "5250/795/6045";
    QTest::newRow("a rate with decimals keeps them") << QStringList{"1;10;0;5.5"} << "1000/55/1055";
    QTest::newRow("sums rounded once") << QStringList{"1;0.333;0;22", "1;0.333;0;22", "1;0.333;0;22"} << "100/22/122";
    QTest::newRow("no rows") << QStringList{} << "0/0/0";
}

void TestServiziPreventivi::totali()
{
    QFETCH(QStringList, righe);
    QFETCH(QString, attesi);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    for (const QString &r : righe) {
        // The values are the test's own: written as they stand, "null" included.
        QString valori = r;
        d.conn().execute("insert into PreventiRighe (Prev_ID, Um, ValoreUnitario, Sconto, AliquotaIva, TotaleImponibile, "
                         "ValoreTotale) values (12, " + valori.replace(';', ", ") + ", 999, 999)");
    }
    // Another quote's rows never count.
    d.conn().execute("insert into PreventiRighe (Prev_ID, Um, ValoreUnitario, AliquotaIva) values (13, 1, 1000, 22)");
    const vendite::TotaliPreventivo t = vendite::calcolaTotaliPreventivo(d.conn(), 12);
    QCOMPARE(QString("%1/%2/%3").arg(qRound64(t.imponibile * 100)).arg(qRound64(t.imposta * 100)).arg(qRound64(t.totale * 100)),
             attesi);
}
