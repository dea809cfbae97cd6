#include "tst_schema.h"

#include "data/DB.h"
#include "data/SharedQueries.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Schema.h"
#include "support/TestSupport.h"

#include <QSet>
#include <QTest>

using namespace testing_support;

void TestSchema::newDatabaseHasTheTables()
{
    Seams seams;
    TestDatabase d(TestDatabase::WithSchema);
    auto &c = d.conn();
    QCOMPARE(db::schema::version(c), db::schema::currentVersion());
    for (const char *t : {"fattura", "fattdett", "NotaCreditoRighe", "OrdiniClienti", "Fattura_Allegati", "FatturaPreventiviRighe",
                          "FatturaScadenze", "Clienti", "Fornitor", "opzioni", "ditta", "finanzia", "Vetture", "Sequestri",
                          "ContabilitaChiusuraIvaTrimestre", "ContabilitaChiusuraIvaMensileRigheNonSoggetta", "griglie",
                          "TempStampa", "TempXml_FatturaRighe", "Personalizzazioni", "PA_Errori",
                          "PA_Amministrazioni_FatturaElettronica"})
        QVERIFY2(c.hasTable(t), t);
    // Keys are named as the program spells them, and every per-workstation table has its column.
    QCOMPARE(c.primaryKey("fattdett").toLower(), QString("idx"));
    QCOMPARE(c.primaryKey("Indirizzi").toLower(), QString("id_cap"));
    QCOMPARE(c.primaryKey("fattura").toLower(), QString("id"));
    for (const char *t : {"TempStampa", "TempBilancio", "TempContabilitaConto", "TempAvvisi", "TempAvvisiClienti",
                          "TempFatturaScadenzeCumulativo", "TempoEtichette", "TempXml_FatturaRighe", "TempXml_NotaCredito",
                          "griglie"})
        QVERIFY2(c.columnNames(t).contains("NomeComputer", Qt::CaseInsensitive), t);
    // Text compares ignore case through the column's collation.
    c.execute("insert into Colori (Descrizione) values ('Verde Bottiglia')");
    QCOMPARE(d.scalar("select count(*) from Colori where Descrizione = 'VERDE bottiglia'").toInt(), 1);
}

void TestSchema::referenceRows_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cash types") << "select Descrizione from TipologiaPrimaNota where Id = 3" << "Fuori Cassa";
    QTest::newRow("months") << "select count(*) & '-' & min(Mese) from Mesi" << "12-Agosto";
    QTest::newRow("quarters") << "select count(*) from ContabilitaTrimestri" << "4";
    QTest::newRow("natura detailed only") << "select count(*) from PA_Natura where Codice in ('N2', 'N3', 'N6')" << "0";
    QTest::newRow("natura N6.9") << "select count(*) from PA_Natura where Codice like 'N%'" << "21";
    QTest::newRow("natura reverse charge") << "select Codice from PA_Natura where Codice = 'N6.9'" << "N6.9";
    QTest::newRow("payment modes") << "select Descrizione from PA_ModalitaPagamento where Codice = 'MP05'" << "bonifico";
    QTest::newRow("tax regime") << "select Descrizione from PA_RegimeFiscale where Codice = 'RF01'" << "Regime ordinario";
    QTest::newRow("rea") << "select count(*) from PA_IscrizRea_SocioUnico" << "2";
    QTest::newRow("italy") << "select DENOMINAZ from Nazioni where SIGLA = 'IT'" << "Italia";
    QTest::newRow("countries") << "select count(*) > 240 from Nazioni" << "1";
    QTest::newRow("germany in italian") << "select DENOMINAZ from Nazioni where SIGLA = 'DE'" << "Germania";
    QTest::newRow("regions") << "select count(*) from regioni" << "20";
    QTest::newRow("provinces") << "select CAPOLUOGO from Province where PROVINCIA = 'FC'" << "Forlì-Cesena";
    QTest::newRow("town") << "select COD_ISTAT & ' ' & CODICE_F & ' ' & Provincia from Comuni where Comune = 'forlì'"
                          << "040012 D704 FC";
    QTest::newRow("towns") << "select count(*) > 7800 from Comuni" << "1";
    QTest::newRow("town in italy") << "select count(*) from Comuni c inner join Nazioni n on c.Nazione_ID = n.IDNazione "
                                      "where n.SIGLA <> 'IT'" << "0";
    QTest::newRow("supplements") << "select Descrizione from TipoTariffe where Id = 5" << "Supplementi";
    QTest::newRow("seizure kinds") << "select count(*) from TipoSequestri" << "5";
    QTest::newRow("export formats") << "select Estensione from TipoEsportazioniCrystalReport where Attivo = true" << "pdf";
    QTest::newRow("regime of 1.2.3") << "select Codice from PA_RegimeFiscale where Codice = 'RF20'" << "RF20";
    QTest::newRow("rejection codes") << "select Titolo from PA_Errori where Codice = '00404'" << "Fattura duplicata";
    QTest::newRow("no defaults shipped") << "select count(*) from Personalizzazioni" << "0";
}

void TestSchema::referenceRows()
{
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    Seams seams;
    TestDatabase d(TestDatabase::WithSchema);
    QCOMPARE(d.scalar(sql).toString(), expected);
}

void TestSchema::singleRowsOfOptionsAndCompany()
{
    Seams seams;
    TestDatabase d(TestDatabase::WithSchema);
    QCOMPARE(d.scalar("select count(*) from opzioni").toInt(), 1);
    QCOMPARE(d.scalar("select count(*) from ditta").toInt(), 1);
    QVERIFY(d.scalar("select RagSoc from ditta").isNull());
    QCOMPARE(d.scalar("select PromemoriaScadenze from opzioni").toInt(), 0);
}

void TestSchema::sharedQueriesRunOnNewDatabase()
{
    Seams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("insert into fattura (Num, Data, Storico) values (7, #3/2/2025#, true)");
    QCOMPARE(int(data::sharedQueryDefs().size()), 101);
    for (const data::SharedQueryDef &def : data::sharedQueryDefs()) {
        db::Query q(&d.conn());
        q.setSql(QString::fromUtf8(def.sql));
        try {
            q.open();
        } catch (const db::DbError &e) {
            QFAIL(qPrintable(QString("%1: %2").arg(def.name, e.message())));
        }
    }
    db::Query storico(&d.conn());
    for (const data::SharedQueryDef &def : data::sharedQueryDefs())
        if (QString(def.name) == "TableFatturaStorico") storico.setSql(QString::fromUtf8(def.sql));
    storico.open();
    QCOMPARE(storico.fieldByName("Scelta").asString(), QString("N° 7 Data: 02/03/2025"));
}

void TestSchema::everySharedQueryHasOneDomainAlias()
{
    Seams seams;
    Tform_DB modulo;
    QList<db::Query *> nominate;
#define SHARED_QUERY_ALIAS(alias, query) nominate << modulo.alias();
#include "data/SharedQueryAliases.def"
#undef SHARED_QUERY_ALIAS
    QCOMPARE(QSet<db::Query *>(nominate.begin(), nominate.end()).size(), nominate.size());
    QCOMPARE(QSet<db::Query *>(nominate.begin(), nominate.end()),
             QSet<db::Query *>(modulo.queries().begin(), modulo.queries().end()));
    QVERIFY(modulo.clienti()->sql().contains("from Clienti"));
    QVERIFY(modulo.righeFattura()->sql().contains("from fattdett"));
}

void TestSchema::yesNoAndNumbersHaveDefaults()
{
    Seams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("insert into FatturaScadenze (Importo) values (12.5)");
    QCOMPARE(d.scalar("select Pagato from FatturaScadenze").toInt(), 0);
    QCOMPARE(d.scalar("select Fornitore_id from FatturaScadenze").toInt(), 0);
    QVERIFY(d.scalar("select DataPagamento from FatturaScadenze").isNull());
    QVERIFY_THROWS_EXCEPTION(db::DbError, d.conn().execute("update FatturaScadenze set Pagato = null"));
}

void TestSchema::upgradeKeepsRows()
{
    Seams seams;
    TestDatabase d(TestDatabase::WithSchema);
    auto &c = d.conn();
    c.execute("insert into Clienti (NominativoVisualizzato) values ('Rossi')");
    const int base = db::schema::version(c);
    const QList<db::schema::UpgradeStep> steps = {
        {base + 2, "ALTER TABLE Clienti ADD COLUMN Prova2 INTEGER DEFAULT 0;"},
        {base + 1, "ALTER TABLE Clienti ADD COLUMN Prova1 TEXT COLLATE UNOCASE; UPDATE Clienti SET Prova1 = 'x';"},
        {base, "THIS IS NOT RUN"},
    };
    db::schema::upgrade(c, steps);
    QCOMPARE(db::schema::version(c), base + 2);
    QCOMPARE(d.scalar("select NominativoVisualizzato & Prova1 & Prova2 from Clienti").toString(), QString("Rossix0"));
    db::schema::upgrade(c, steps); // already there: nothing runs again
    QCOMPARE(d.scalar("select count(*) from Clienti").toInt(), 1);
}

void TestSchema::failedUpgradeChangesNothing()
{
    Seams seams;
    TestDatabase d(TestDatabase::WithSchema);
    auto &c = d.conn();
    c.execute("insert into Clienti (NominativoVisualizzato) values ('Rossi')");
    const int base = db::schema::version(c);
    const QList<db::schema::UpgradeStep> steps = {
        {base + 1, "ALTER TABLE Clienti ADD COLUMN Buona TEXT;"},
        {base + 2, "DELETE FROM Clienti; ALTER TABLE Inesistente ADD COLUMN X TEXT;"},
    };
    QVERIFY_THROWS_EXCEPTION(db::DbError, db::schema::upgrade(c, steps));
    QCOMPARE(db::schema::version(c), base + 1);
    QCOMPARE(d.scalar("select count(*) from Clienti").toInt(), 1);
    QVERIFY(c.columnNames("Clienti").contains("Buona", Qt::CaseInsensitive));
}

void TestSchema::openingEnsuresCurrentSchema()
{
    Seams seams;
    TestDatabase d;
    QVERIFY(db::schema::isEmpty(d.conn()));
    db::schema::ensureCurrent(d.conn());
    QVERIFY(!db::schema::isEmpty(d.conn()));
    QCOMPARE(db::schema::version(d.conn()), db::schema::currentVersion());
    db::schema::ensureCurrent(d.conn()); // a second open changes nothing
    QCOMPARE(d.scalar("select count(*) from opzioni").toInt(), 1);
}

// A database created before the rejection codes and the regime RF20 gets them from its upgrade,
// once; rows it already has are kept.
void TestSchema::upgradeAddsEInvoiceCodes()
{
    Seams seams;
    TestDatabase d;
    db::schema::ensureCurrent(d.conn());
    const int codici = d.scalar("select count(*) from PA_Errori").toInt();
    QVERIFY(codici > 40);
    d.conn().execute("delete from PA_Errori");
    d.conn().execute("delete from PA_RegimeFiscale where Codice = 'RF20'");
    d.conn().engine().setUserVersion(5);
    db::schema::ensureCurrent(d.conn());
    QCOMPARE(db::schema::version(d.conn()), db::schema::currentVersion());
    QCOMPARE(d.scalar("select count(*) from PA_Errori").toInt(), codici);
    QCOMPARE(d.scalar("select count(*) from PA_RegimeFiscale where Codice = 'RF20'").toInt(), 1);
    QCOMPARE(d.scalar("select Suggerimenti from PA_Errori where Codice = '00001'").toString(),
             QString("Rinominare il file come previsto (per esempio IT01234567890_00001.xml) e inviarlo di nuovo."));
    // An office's own list stays as it is.
    d.conn().execute("delete from PA_Errori where Codice <> '00404'");
    d.conn().engine().setUserVersion(5);
    db::schema::ensureCurrent(d.conn());
    QCOMPARE(d.scalar("select count(*) from PA_Errori").toInt(), 1);
    QCOMPARE(d.scalar("select count(*) from PA_RegimeFiscale where Codice = 'RF20'").toInt(), 1);
}
