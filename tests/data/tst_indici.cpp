#include "tst_indici.h"

#include "data/services/Storico.h"

#include "db/Query.h"
#include "db/Schema.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace testing_support;

namespace {

// The engine's plan of an Access statement, one line per step.
QStringList plan(db::Connection &c, const QString &accessSql, const db::Params &params = {})
{
    db::Query q(&c);
    q.setSql("EXPLAIN QUERY PLAN " + accessSql);
    for (const db::Param &p : params) q.bind(p.name, p.value);
    q.open();
    QStringList out;
    for (q.first(); !q.eof(); q.next()) out << q.fieldByName("detail").asString();
    return out;
}

QStringList indexes(db::Connection &c)
{
    db::Query q(&c);
    q.setSql("select name & ': ' & sql as ix from sqlite_master where type = 'index' and sql is not null order by name");
    q.open();
    QStringList out;
    for (q.first(); !q.eof(); q.next()) out << q.fieldByName("ix").asString();
    return out;
}

} // namespace

void TestIndici::rollOverSearchesByIndex_data()
{
    // The statements of the yearly roll-over (the service the start-up runs), for 2026, and the
    // search each must make.
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("search");
    const QStringList sql = storico::istruzioni(QDate(2026, 3, 15));
    QCOMPARE(sql.size(), 13);
    QTest::newRow("finanzia to history") << sql[0]
        << "SEARCH finanzia USING INDEX ix_finanzia_Storico_Data (Storico=? AND Data<?)";
    QTest::newRow("finanzia back from history") << sql[1]
        << "SEARCH finanzia USING INDEX ix_finanzia_Storico_Data (Storico=? AND Data>? AND Data<?)";
    QTest::newRow("calendar to history") << sql[2]
        << "SEARCH Calendario USING INDEX ix_Calendario_Storico_Conclusa_Data (Storico=? AND Conclusa=? AND Data<?)";
    QTest::newRow("calendar back from history") << sql[3]
        << "SEARCH Calendario USING INDEX ix_Calendario_Storico_Conclusa_Data (Storico=? AND Conclusa=? AND Data>? AND Data<?)";
    QTest::newRow("invoices back from history") << sql[4]
        << "SEARCH Fattura USING INDEX ix_fattura_Storico_Data (Storico=? AND Data>? AND Data<?)";
    QTest::newRow("purchases back from history") << sql[5]
        << "SEARCH Fattura USING INDEX ix_fattura_Storico_DataRegistrazione (Storico=? AND DataRegistrazione>? AND "
           "DataRegistrazione<?)";
    QTest::newRow("quotes back from history") << sql[6]
        << "SEARCH PreventiTestata USING INDEX ix_PreventiTestata_Storico_Data (Storico=? AND Data>? AND Data<?)";
    QTest::newRow("invoices to history") << sql[7]
        << "SEARCH Fattura USING INDEX ix_fattura_Storico_Data (Storico=? AND Data<?)";
    QTest::newRow("purchases to history") << sql[8]
        << "SEARCH Fattura USING INDEX ix_fattura_Storico_DataRegistrazione (Storico=? AND DataRegistrazione<?)";
    QTest::newRow("quotes to history") << sql[9]
        << "SEARCH PreventiTestata USING INDEX ix_PreventiTestata_Storico_Data (Storico=? AND Data<?)";
    QTest::newRow("seizures to history") << sql[10]
        << "SEARCH Sequestri USING INDEX ix_Sequestri_Storico_Data (Storico=? AND Data<?)";
    QTest::newRow("instalments paid") << sql[11]
        << "SEARCH FatturaScadenze USING INDEX ix_FatturaScadenze_Pagato_DataPagamento (Pagato=? AND DataPagamento>?)";
    QTest::newRow("instalments not paid") << sql[12]
        << "SEARCH FatturaScadenze USING INDEX ix_FatturaScadenze_Pagato_DataPagamento (Pagato=? AND DataPagamento=?)";
}

void TestIndici::rollOverSearchesByIndex()
{
    QFETCH(QString, sql);
    QFETCH(QString, search);
    Seams seams;
    TestDatabase d(TestDatabase::WithSchema);
    QCOMPARE(plan(d.conn(), sql), QStringList{search});
    // The same with the dates bound as values.
    QString bound = sql;
    bound.replace("#01/01/2026#", ":inizio").replace("#01/01/2027#", ":fine");
    db::Params params;
    if (bound.contains(":inizio")) params.append({":inizio", QDate(2026, 1, 1)});
    if (bound.contains(":fine")) params.append({":fine", QDate(2027, 1, 1)});
    QCOMPARE(plan(d.conn(), bound, params), QStringList{search});
}

void TestIndici::upgradedDatabaseHasTheNewIndexes()
{
    Seams seams;
    TestDatabase nuovo(TestDatabase::WithSchema);
    // A database as version 2 left it: single-column indexes, none on the columns searched together.
    TestDatabase vecchio(TestDatabase::WithSchema);
    vecchio.exec("DROP INDEX ix_finanzia_Storico_Data; CREATE INDEX ix_finanzia_Storico ON finanzia (Storico);"
                 "DROP INDEX ix_fattura_Storico_Data; DROP INDEX ix_fattura_Storico_DataRegistrazione;"
                 "CREATE INDEX ix_fattura_Storico ON fattura (Storico);"
                 "DROP INDEX ix_fattdett_Storico_NumeroRiga; DROP INDEX ix_fattdett_NumFatt;"
                 "CREATE INDEX ix_fattdett_Storico ON fattdett (Storico);"
                 "DROP INDEX ix_PreventiTestata_Storico_Data; CREATE INDEX ix_PreventiTestata_Storico ON PreventiTestata (Storico);"
                 "DROP INDEX ix_Sequestri_Storico_Data; CREATE INDEX ix_Sequestri_Storico ON Sequestri (Storico);"
                 "DROP INDEX ix_Calendario_Storico_Conclusa_Data; CREATE INDEX ix_Calendario_Storico ON Calendario (Storico);"
                 "DROP INDEX ix_FatturaScadenze_Pagato_DataPagamento;"
                 "PRAGMA user_version = 2;");
    vecchio.exec("insert into finanzia (Data, Storico) values ('2020-05-01 00:00:00', 1)");
    db::schema::ensureCurrent(vecchio.conn());
    QCOMPARE(db::schema::version(vecchio.conn()), db::schema::currentVersion());
    QCOMPARE(indexes(vecchio.conn()), indexes(nuovo.conn()));
    QCOMPARE(vecchio.scalar("select count(*) from finanzia where Storico = true").toInt(), 1);
    QCOMPARE(plan(vecchio.conn(), "select * from fattdett where Storico = false and NumeroRiga = 3"),
             QStringList{"SEARCH fattdett USING INDEX ix_fattdett_Storico_NumeroRiga (Storico=? AND NumeroRiga=?)"});
    QCOMPARE(plan(vecchio.conn(), "select * from fattdett where NumFatt = 7"),
             QStringList{"SEARCH fattdett USING INDEX ix_fattdett_NumFatt (NumFatt=?)"});
}

void TestIndici::cashBookMonthIsADateRange()
{
    Seams seams;
    TestDatabase d(TestDatabase::WithSchema);
    auto &c = d.conn();
    for (const char *data : {"2025-02-28 23:59:59", "2025-03-01 00:00:00", "2025-03-15 12:00:00", "2025-03-31 23:59:59",
                             "2025-04-01 00:00:00", "2024-03-15 00:00:00", "2026-03-01 00:00:00"})
        c.execute("insert into finanzia (Data, Operazione) values (:data, :op)", {{":data", data}, {":op", data}});
    c.execute("insert into finanzia (Operazione) values ('senza data')");
    const auto ids = [&](const QString &where) {
        db::Query q(&c);
        q.setSql("SELECT Finanzia.Operazione FROM finanzia where " + where + " ORDER BY finanzia.Data");
        q.open();
        QStringList out;
        for (q.first(); !q.eof(); q.next()) out << q.fieldByName("Operazione").asString();
        return out;
    };
    // As the cash-book reports write it; and the same test that stays a call of the functions.
    const QString mese = "Month(Finanzia.Data)=3 and Year(Finanzia.Data)= 2025";
    const QStringList expected{"2025-03-01 00:00:00", "2025-03-15 12:00:00", "2025-03-31 23:59:59"};
    QCOMPARE(ids(mese), expected);
    QCOMPARE(ids("Month(Finanzia.Data) + 0 = 3 and Year(Finanzia.Data) = 2025"), expected);
    QCOMPARE(ids("Month(Data)=12 and Year(Data)=2024"), QStringList());
    QCOMPARE(plan(c, "SELECT * FROM finanzia where " + mese + " ORDER BY finanzia.Tipologia_ID").first(),
             QString("SEARCH finanzia USING INDEX ix_finanzia_Data (Data>? AND Data<?)"));
}
