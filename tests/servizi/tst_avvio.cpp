#include "tst_avvio.h"

#include "data/services/Postazione.h"
#include "data/services/Storico.h"
#include "db/Query.h"
#include "masterdata/services/Propagazioni.h"
#include "support/TestCore.h"

#include <QTest>

using namespace testing_support;

namespace {
const QDate kOggi(2026, 3, 15);
}

void TestServiziAvvio::rollOverStatement_data()
{
    // One row per statement of the roll-over (today is 15/03/2026), and the rows each must leave.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("check");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("statement"); // the one statement that changes the row, 0 for none
    QTest::newRow("1 cash book of last year into history")
        << "insert into finanzia (Operazione, Data, Storico) values ('x', #12/31/2025 18.30.00#, false)"
        << "select Storico from finanzia" << 1 << 1;
    QTest::newRow("2 cash book of this year out of history")
        << "insert into finanzia (Operazione, Data, Storico) values ('x', #1/2/2026#, true)" << "select Storico from finanzia" << 0 << 2;
    QTest::newRow("1-2 cash book of next year untouched")
        << "insert into finanzia (Operazione, Data, Storico) values ('x', #1/5/2027#, true)" << "select Storico from finanzia" << 1 << 0;
    QTest::newRow("3 concluded appointment of last year into history")
        << "insert into Calendario (Data, Conclusa, Storico) values (#6/1/2025#, true, false)" << "select Storico from Calendario"
        << 1 << 3;
    QTest::newRow("3 open appointment of last year stays out")
        << "insert into Calendario (Data, Conclusa, Storico) values (#6/1/2025#, false, false)" << "select Storico from Calendario"
        << 0 << 0;
    QTest::newRow("4 open appointment of this year out of history")
        << "insert into Calendario (Data, Conclusa, Storico) values (#2/1/2026#, false, true)" << "select Storico from Calendario"
        << 0 << 4;
    QTest::newRow("4 concluded appointment of this year stays in")
        << "insert into Calendario (Data, Conclusa, Storico) values (#2/1/2026#, true, true)" << "select Storico from Calendario"
        << 1 << 0;
    QTest::newRow("5 sales invoice of this year out of history")
        << "insert into fattura (Num, Carico, Data, Storico) values (1, false, #1/1/2026#, true)" << "select Storico from fattura"
        << 0 << 5;
    QTest::newRow("6 purchase registered this year out of history")
        << "insert into fattura (Num, Carico, Data, DataRegistrazione, Storico) values (1, true, #12/20/2025#, #1/10/2026#, true)"
        << "select Storico from fattura" << 0 << 6;
    QTest::newRow("7 quote of this year out of history")
        << "insert into PreventiTestata (Numero, Data, Storico) values (1, #3/1/2026#, true)"
        << "select Storico from PreventiTestata" << 0 << 7;
    QTest::newRow("8 sales invoice of last year into history")
        << "insert into fattura (Num, Carico, Data, Storico) values (1, false, #12/31/2025 23.59.59#, false)"
        << "select Storico from fattura" << 1 << 8;
    QTest::newRow("9 purchase registered last year into history")
        << "insert into fattura (Num, Carico, Data, DataRegistrazione, Storico) values (1, true, #1/5/2026#, #12/30/2025#, false)"
        << "select Storico from fattura" << 1 << 9;
    QTest::newRow("9 purchase dated last year registered this year stays out")
        << "insert into fattura (Num, Carico, Data, DataRegistrazione, Storico) values (1, true, #12/20/2025#, #1/10/2026#, false)"
        << "select Storico from fattura" << 0 << 0;
    QTest::newRow("10 quote of last year into history")
        << "insert into PreventiTestata (Numero, Data, Storico) values (1, #12/31/2025#, false)"
        << "select Storico from PreventiTestata" << 1 << 10;
    QTest::newRow("7-10 quote of next year untouched")
        << "insert into PreventiTestata (Numero, Data, Storico) values (1, #2/1/2027#, true)"
        << "select Storico from PreventiTestata" << 1 << 0;
    QTest::newRow("11 seizure of last year into history")
        << "insert into Sequestri (Data, Storico) values (#11/1/2025#, false)" << "select Storico from Sequestri" << 1 << 11;
    QTest::newRow("11 seizure of this year in history stays there")
        << "insert into Sequestri (Data, Storico) values (#2/1/2026#, true)" << "select Storico from Sequestri" << 1 << 0;
    QTest::newRow("12 instalment with payment date paid")
        << "insert into FatturaScadenze (DataPagamento, Pagato) values (#1/10/2026#, false)"
        << "select Pagato from FatturaScadenze" << 1 << 12;
    QTest::newRow("13 instalment without payment date unpaid")
        << "insert into FatturaScadenze (DataPagamento, Pagato) values (null, true)" << "select Pagato from FatturaScadenze" << 0 << 13;
}

void TestServiziAvvio::rollOverStatement()
{
    QFETCH(QString, setup);
    QFETCH(QString, check);
    QFETCH(int, expected);
    QFETCH(int, statement);
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute(setup);
    const QList<int> changed = storico::aggiorna(d.conn(), kOggi);
    QCOMPARE(d.scalar(check).toInt(), expected);
    QList<int> only(13, 0);
    if (statement > 0) only[statement - 1] = 1;
    QCOMPARE(changed, only);
}

void TestServiziAvvio::rollOverTextsAndSecondRun()
{
    // The statements as written for the year: month first, 1 January of this year and the next.
    const QStringList s = storico::istruzioni(kOggi);
    QCOMPARE(s.size(), 13);
    QCOMPARE(s[0], QString("UPDATE finanzia SET Storico = true where Storico = false and Data < #01/01/2026#"));
    QCOMPARE(s[3], QString("UPDATE Calendario SET Storico = false where Conclusa=false and Storico = true and "
                           "Data >= #01/01/2026# and Data <#01/01/2027#"));
    QCOMPARE(s[8], QString("UPDATE Fattura SET Storico = true WHERE Storico = false and Carico = true and "
                           "DataRegistrazione < #01/01/2026#"));
    QCOMPARE(s[12], QString("UPDATE FatturaScadenze SET Pagato = false where Pagato = true and DataPagamento Is Null"));
    // Run again, it changes nothing.
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("insert into finanzia (Operazione, Data, Storico) values ('a', #12/31/2025#, false), ('b', #1/2/2026#, true)");
    d.conn().execute("insert into FatturaScadenze (DataPagamento, Pagato) values (#1/10/2026#, false)");
    QCOMPARE(storico::aggiorna(d.conn(), kOggi), QList<int>({1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
    QCOMPARE(storico::aggiorna(d.conn(), kOggi), QList<int>(13, 0));
}

void TestServiziAvvio::workstationRowsAndQueries()
{
    TestDatabase d(TestDatabase::WithSchema);
    const QString mia = "PC dell'ufficio";
    for (const char *t : {"TempBilancio", "TempStampa", "TempAvvisi", "TempAvvisiClienti", "TempoEtichette"})
        d.conn().execute(QString("insert into %1 (NomeComputer) values ('PC dell''ufficio'), ('ALTRA')").arg(t));
    postazione::cancellaTemporanei(d.conn(), mia);
    for (const char *t : {"TempBilancio", "TempStampa", "TempAvvisi", "TempAvvisiClienti"})
        QCOMPARE(d.scalar(QString("select min(NomeComputer) & '/' & count(*) from %1").arg(t)).toString(), QString("ALTRA/1"));
    // Label rows are emptied through their query, not here.
    QCOMPARE(d.scalar("select count(*) from TempoEtichette").toInt(), 2);

    const auto queries = postazione::sqlPerPostazione(mia);
    QStringList names;
    for (const auto &[name, sql] : queries) {
        names << name;
        db::Query q(&d.conn());
        q.setSql(sql);
        q.open(); // every text is valid SQL, the apostrophe of the name included
        if (name == "TableTempEtichette") QCOMPARE(q.recordCount(), 1);
        if (name == "TableTempStampa") QCOMPARE(q.recordCount(), 0);
    }
    QCOMPARE(names, QStringList({"TableTempEtichette", "TableTempBilancio", "TableTempScadenzeCumulative", "TableGriglie",
                                 "TableTempStampa", "TableTempAvvisiClienti", "TableTempAvvisi"}));
    QCOMPARE(queries[4].second, QString("select * from TempStampa where NomeComputer ='PC dell''ufficio'"));
}

void TestServiziAvvio::namesPropagated()
{
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("insert into Veicoli (Id, Descrizione) values (1, 'Carro attrezzi'), (2, 'Furgone')");
    d.conn().execute("insert into Vetture (Targa, Veicolo_ID, VeicoloDesc) values ('AA111AA', 1, 'vecchio'), "
                     "('BB222BB', 1, null), ('CC333CC', 2, 'Furgone')");
    QCOMPARE(anagrafiche::propagaTipoVeicolo(d.conn(), 1), 2);
    QStringList descrizioni;
    db::Query vetture(&d.conn());
    vetture.setSql("select VeicoloDesc from Vetture order by Targa");
    for (vetture.open(); !vetture.eof(); vetture.next()) descrizioni << vetture.fieldByName("VeicoloDesc").asString();
    QCOMPARE(descrizioni, QStringList({"Carro attrezzi", "Carro attrezzi", "Furgone"}));

    d.conn().execute("insert into EntiSequestratori (Id, Descrizione) values (7, 'Polizia Locale di Forlì')");
    d.conn().execute("insert into Sequestri (EnteSequestratore_Id, EnteSequestratore, Data, Storico) values "
                     "(7, 'Vigili', #3/1/2019#, true), (7, 'Vigili', #3/1/2026#, false), (8, 'Altro', #3/1/2026#, false)");
    QCOMPARE(anagrafiche::propagaEnteSequestratore(d.conn(), 7), 2); // every year, history included
    QCOMPARE(d.scalar("select count(*) from Sequestri where EnteSequestratore = 'Polizia Locale di Forlì'").toInt(), 2);
    QCOMPARE(d.scalar("select EnteSequestratore from Sequestri where EnteSequestratore_Id = 8").toString(), QString("Altro"));
}
