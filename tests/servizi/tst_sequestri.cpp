#include "tst_sequestri.h"

#include "data/services/Stampe.h"
#include "db/Query.h"
#include "operations/services/Sequestri.h"
#include "support/TestCore.h"

#include <QDateTime>
#include <algorithm>
#include <QTest>

using namespace testing_support;
using sequestri::Dissequestrati;
using sequestri::Ricerca;

Q_DECLARE_METATYPE(sequestri::Ricerca)

namespace {

// Seizures 1-4 with owners, plates and release dates; quotes and invoices sharing plates.
void archivio(TestDatabase &db)
{
    auto &c = db.conn();
    c.execute("insert into Sequestri (Id, Numero, NumeroLettera, Data, Proprietario, AutoTarga, AutoModello, Matricola, "
              "EnteSequestratore, TipoSequestro, Note, DataDissequestro, Storico) values "
              "(1, 7, null, #3/12/2024#, 'O''Brien', 'AB123CD', 'Panda', 'ZFA1', 'Polizia Stradale', 'Penale', 'Cortile', null, true), "
              "(2, 7, 'B', #3/12/2024 10.30.00#, 'Rossi', 'ab999zz', 'Punto', 'ZFA2', 'Carabinieri', 'Amministrativo', null, "
              "#4/1/2024#, true), "
              "(3, 12, null, #12/30/2025#, 'Bianchi', 'XY555KK', 'Golf', 'WVW3', 'Polizia Stradale', 'Fermo', 'Tettoia', "
              "#12/30/1899#, true), "
              "(4, 3, null, #1/5/2026#, 'Verdi', null, 'Clio', null, null, null, null, #2/10/2026#, false)");
}

QList<qint64> righe(TestDatabase &db, const QString &filtro)
{
    db::Query q(&db.conn());
    q.setSql("SELECT * from Sequestri order by Numero,NumeroLettera");
    q.open();
    q.setFilter(filtro);
    QList<qint64> ids;
    for (q.first(); !q.eof(); q.next()) ids << q.fieldByName("Id").asLargeInt();
    // The engines place an empty letter apart (first or last): the rows matter, not their order.
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace

void TestServiziSequestri::filtroRegistro_data()
{
    QTest::addColumn<Ricerca>("ricerca");
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QString>("casella"); // the box refused, empty when none
    const auto r = [](auto riempi) {
        Ricerca x;
        riempi(x);
        return x;
    };
    QTest::newRow("nothing") << Ricerca{} << "" << "";
    QTest::newRow("lone stars and empty masks") << r([](Ricerca &x) {
        x.proprietario = "*";
        x.targa = "*";
        x.daNumero = "*";
        x.daData = "  /  /    ";
        x.aData = "  /  /    ";
    }) << "" << "";
    QTest::newRow("incomplete date adds nothing") << r([](Ricerca &x) { x.daData = "12/03/    "; }) << "" << "";
    QTest::newRow("whole dates") << r([](Ricerca &x) {
        x.daData = "12/03/2024";
        x.aData = "31/12/2024";
    }) << "Data >= #12/03/2024# and Data < #01/01/2025#" << "";
    QTest::newRow("numbers") << r([](Ricerca &x) {
        x.daNumero = " 5 ";
        x.aNumero = "12";
    }) << "Numero >= 5 and Numero <= 12" << "";
    QTest::newRow("apostrophe doubled") << r([](Ricerca &x) { x.proprietario = "O'B"; }) << "Proprietario like 'O''B*'" << "";
    QTest::newRow("released first, then plate") << r([](Ricerca &x) {
        x.dissequestrati = Dissequestrati::Si;
        x.targa = "AB";
    }) << "DataDissequestro >= #01/01/1900# and AutoTarga like 'AB*'" << "";
    QTest::newRow("still held") << r([](Ricerca &x) { x.dissequestrati = Dissequestrati::No; })
                                << "(DataDissequestro = null or DataDissequestro < #01/01/1900#)" << "";
    QTest::newRow("every text box in order") << r([](Ricerca &x) {
        x.proprietario = "R";
        x.targa = "T";
        x.modello = "M";
        x.tipo = "K";
        x.note = "N";
        x.matricola = "Z";
        x.ente = "E";
    }) << "Proprietario like 'R*' and AutoTarga like 'T*' and AutoModello like 'M*' and TipoSequestro like 'K*' and "
          "Note like 'N*' and Matricola like 'Z*' and EnteSequestratore like 'E*'"
       << "";
    QTest::newRow("number with letters") << r([](Ricerca &x) { x.daNumero = "12a"; }) << "" << "txtDaNumero";
    QTest::newRow("number with sql") << r([](Ricerca &x) { x.aNumero = "1 or 1=1"; }) << "" << "txtANumero";
    QTest::newRow("decimal number") << r([](Ricerca &x) { x.daNumero = "1,5"; }) << "" << "txtDaNumero";
    QTest::newRow("impossible day") << r([](Ricerca &x) { x.daData = "31/02/2024"; }) << "" << "maskDaData";
    QTest::newRow("ten characters, no date") << r([](Ricerca &x) { x.aData = "12/03/20a4"; }) << "" << "maskAData";
    QTest::newRow("bad date wins over good boxes") << r([](Ricerca &x) {
        x.proprietario = "R";
        x.daData = "99/99/9999";
    }) << "" << "maskDaData";
}

void TestServiziSequestri::filtroRegistro()
{
    QFETCH(Ricerca, ricerca);
    QFETCH(QString, filtro);
    QFETCH(QString, casella);
    const sequestri::Filtro f = sequestri::filtroRegistro(ricerca);
    QCOMPARE(f.filtro, filtro);
    QCOMPARE(f.casella, casella);
    QCOMPARE(f.valido(), casella.isEmpty());
    if (!f.valido()) QVERIFY(f.errore.startsWith("Attenzione"));
}

void TestServiziSequestri::filtroApplicato()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    const auto filtro = [](auto riempi) {
        Ricerca x;
        riempi(x);
        return sequestri::filtroRegistro(x).filtro;
    };
    // "Released" is one thing: a date from 1900 on. Seizure 3 carries the zero date of old archives.
    QCOMPARE(righe(db, filtro([](Ricerca &x) { x.dissequestrati = Dissequestrati::Si; })), (QList<qint64>{2, 4}));
    QCOMPARE(righe(db, filtro([](Ricerca &x) { x.dissequestrati = Dissequestrati::No; })), (QList<qint64>{1, 3}));
    // The print of the seizures not released (its own query, as the report program runs it) reads
    // the same rows.
    const stampe::Voce *stampa = stampe::voce(29);
    QVERIFY(stampa);
    db::Query q(&db.conn());
    q.setSql(QString::fromUtf8(stampa->query));
    q.open();
    QStringList stampati;
    for (q.first(); !q.eof(); q.next()) stampati << q.fieldByName("AutoTarga").asString();
    QCOMPARE(stampati, (QStringList{"AB123CD", "XY555KK"}));
    // The end date takes its whole day, a seizure at 10.30 included.
    QCOMPARE(righe(db, filtro([](Ricerca &x) { x.aData = "12/03/2024"; })), (QList<qint64>{1, 2}));
    QCOMPARE(righe(db, filtro([](Ricerca &x) { x.daData = "13/03/2024"; })), (QList<qint64>{3, 4}));
    QCOMPARE(righe(db, filtro([](Ricerca &x) { x.proprietario = "o'b"; })), QList<qint64>{1});
    QCOMPARE(righe(db, filtro([](Ricerca &x) {
                 x.targa = "AB";
                 x.ente = "Pol";
             })),
             QList<qint64>{1});
    QCOMPARE(righe(db, filtro([](Ricerca &x) { x.daNumero = "7"; x.aNumero = "7"; })), (QList<qint64>{1, 2}));
}

void TestServiziSequestri::prossimoNumero()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    QCOMPARE(sequestri::prossimoNumero(db.conn()), qint64(1));
    // 7, 7 B and 12 of last year (history): numbers never restart.
    archivio(db);
    QCOMPARE(sequestri::prossimoNumero(db.conn()), qint64(13));
    db.conn().execute("delete from Sequestri where Id = 3");
    QCOMPARE(sequestri::prossimoNumero(db.conn()), qint64(8));
}

void TestServiziSequestri::eliminaLiberaLeFatture()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    auto &c = db.conn();
    c.execute("update Sequestri set Fattura_Id = 50, Fatturato = true, Preventivo_Id = 60 where Id = 1");
    c.execute("insert into fattura (ID, Num, Data, Sequestro_ID) values (50, 1, #3/20/2024#, 1), (51, 2, #3/21/2024#, 2)");
    c.execute("insert into PreventiTestata (ID, Numero, Data, Targa1) values (60, 4, #3/15/2024#, 'AB123CD')");
    const auto e = sequestri::elimina(c, 1);
    QVERIFY(e.eliminato);
    QCOMPARE(e.fattureLiberate, 1);
    QCOMPARE(db.scalar("select count(*) from Sequestri where Id = 1").toInt(), 0);
    // The invoice and the quote stay; only the invoice made from it loses its reference.
    QCOMPARE(db.scalar("select Sequestro_ID from fattura where ID = 50").toInt(), 0);
    QCOMPARE(db.scalar("select Sequestro_ID from fattura where ID = 51").toInt(), 2);
    QCOMPARE(db.scalar("select count(*) from PreventiTestata where ID = 60").toInt(), 1);
    QVERIFY(!sequestri::elimina(c, 1).eliminato);
}

void TestServiziSequestri::descrizioni()
{
    QCOMPARE(sequestri::descrizionePreventivo(15, QDateTime(QDate(2023, 2, 3), QTime(0, 0))), "15 - del 03/02/2023");
    QCOMPARE(sequestri::descrizioneFattura(7.0, "B", QDateTime(QDate(2024, 5, 6), QTime(0, 0))), "7/B - del 06/05/2024");
    QCOMPARE(sequestri::descrizioneFattura(7, QString(), QDateTime(QDate(2024, 5, 6), QTime(0, 0))), "7 - del 06/05/2024");
    QCOMPARE(sequestri::testoNumero(QVariant()), QString());
}

void TestServiziSequestri::documentoCollegato()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    auto &c = db.conn();
    // Two quotes of plate AB123CD (case apart), one of another plate; the latest is taken.
    c.execute("insert into PreventiTestata (ID, Numero, Data, Targa1) values (60, 15, #2/3/2023#, 'AB123CD'), "
              "(61, 2, #1/10/2024#, 'ab123cd'), (62, 9, #5/5/2025#, 'ZZ000ZZ'), (63, 1, #1/10/2024#, 'AB123CD')");
    auto p = sequestri::preventivoDellaTarga(c, "AB123CD");
    QVERIFY(p);
    QCOMPARE(p->id, qint64(61)); // 10/01/2024, number 2 before number 1
    QCOMPARE(p->descrizione, "2 - del 10/01/2024");
    QVERIFY(!sequestri::preventivoDellaTarga(c, "O'NEIL"));
    // Invoices made from seizure 2: the first made; a credit note and a purchase never count.
    c.execute("insert into fattura (ID, Num, Data, SerieFatturazione, Sequestro_ID, FattNota, Carico) values "
              "(70, 9, #4/2/2024#, 'B', 2, false, false), (71, 3, #4/1/2024#, 'B', 2, false, false), "
              "(72, 1, #3/1/2024#, null, 2, true, false), (73, 1, #3/1/2024#, null, 2, false, true)");
    auto f = sequestri::fatturaDelSequestro(c, 2);
    QVERIFY(f);
    QCOMPARE(f->id, qint64(71));
    QCOMPARE(f->descrizione, "3/B - del 01/04/2024");
    QVERIFY(!sequestri::fatturaDelSequestro(c, 1));
}

void TestServiziSequestri::abbinaTarghe()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    auto &c = db.conn();
    // Seizure 1 (AB123CD): two quotes of its plate, two invoices of its plate. Seizure 2 (ab999zz):
    // already linked to quote 64, which stays; an invoice made from it and a later one of its
    // plate. Seizure 3: nothing of its plate. Seizure 4: no plate.
    c.execute("update Sequestri set Preventivo_Id = 64, Preventivo_Descrizione = 'scelto' where Id = 2");
    c.execute("insert into PreventiTestata (ID, Numero, Data, Targa1) values (60, 15, #2/3/2023#, 'AB123CD'), "
              "(61, 2, #1/10/2024#, 'AB123CD'), (64, 5, #6/6/2024#, 'altra'), (65, 6, #6/7/2024#, 'AB999ZZ')");
    c.execute("insert into fattura (ID, Num, Data, SerieFatturazione, Targa, Sequestro_ID, FattNota, Carico) values "
              "(80, 4, #3/20/2024#, null, 'AB123CD', 0, false, false), (81, 8, #5/20/2024#, 'B', 'AB123CD', 0, false, false), "
              "(82, 9, #6/20/2024#, null, 'AB123CD', 0, true, false), "
              "(83, 5, #4/2/2024#, null, 'AB999ZZ', 2, false, false), (84, 10, #7/2/2024#, null, 'AB999ZZ', 0, false, false), "
              "(85, 1, #1/1/2025#, null, null, 0, false, false)");
    const auto a = sequestri::abbinaTarghe(c);
    QCOMPARE(a.preventivi, 1);
    QCOMPARE(a.fatture, 2);
    const auto riga = [&](int id) {
        db::Query q(&c);
        q.setSql(QString("select Preventivo_Id, Preventivo_Descrizione, Fattura_Id, Fattura_Descrizione, Fatturato from Sequestri "
                         "where Id = %1").arg(id));
        q.open();
        QStringList v;
        for (int i = 0; i < q.fieldCount(); ++i) v << q.field(i).asString();
        return v.join('|');
    };
    QCOMPARE(riga(1), "61|2 - del 10/01/2024|81|8/B - del 20/05/2024|True");
    QCOMPARE(riga(2), "64|scelto|83|5 - del 02/04/2024|True");
    QCOMPARE(riga(3), "0||0||False");
    QCOMPARE(riga(4), "0||0||False");
    // Run again, nothing changes.
    const auto b = sequestri::abbinaTarghe(c);
    QCOMPARE(b.preventivi + b.fatture, 0);
}
