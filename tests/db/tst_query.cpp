#include "tst_query.h"

#include "db/DataSource.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

std::unique_ptr<Seams> g_seams;
std::unique_ptr<TestDatabase> g_db;

db::Connection &conn() { return g_db->conn(); }

QStringList names(db::Query &q, const QString &field = "Nome")
{
    QStringList out;
    const int keep = q.currentIndex();
    for (int i = 0; i < q.recordCount(); ++i) out << q.displayTextAt(i, q.fieldIndex(field));
    Q_UNUSED(keep);
    return out;
}

std::unique_ptr<db::Query> openClienti(const QString &sql = "select * from Clienti order by Id")
{
    auto q = std::make_unique<db::Query>(&conn());
    q->setSql(sql);
    q->open();
    return q;
}

} // namespace

void TestQuery::init()
{
    g_seams = std::make_unique<Seams>();
    g_db = std::make_unique<TestDatabase>(TestDatabase::Empty);
    g_db->exec(
        "CREATE TABLE Clienti (Id INTEGER PRIMARY KEY AUTOINCREMENT, Nome TEXT COLLATE UNOCASE, Citta TEXT COLLATE UNOCASE,"
        " Importo REAL, Data DATETIME, Annullato BOOLEAN NOT NULL DEFAULT 0, Numero INTEGER, Note TEXT COLLATE UNOCASE);"
        "INSERT INTO Clienti (Nome, Citta, Importo, Data, Annullato, Numero) VALUES"
        " ('Rossi', 'Forlì', 10.5, '2026-01-10 00:00:00', 0, 3),"
        " ('rossini', 'CESENA', 200, '2026-02-01 00:00:00', 1, 1),"
        " ('L''Officina', 'forlì', NULL, '2025-12-31 23:59:59', 0, NULL),"
        " ('Bianchi', NULL, 5, NULL, 0, 2),"
        " ('Àlba', 'Rimini', 7.25, '2026-03-01 08:00:00', 1, 2);"
        "CREATE TABLE Vincoli (Id INTEGER PRIMARY KEY AUTOINCREMENT, Nome TEXT NOT NULL, Codice TEXT UNIQUE);"
        "INSERT INTO Vincoli (Nome, Codice) VALUES ('uno', 'A'), ('due', 'B');");
}

void TestQuery::cleanup()
{
    g_db.reset();
    g_seams.reset();
}

void TestQuery::opensAndNavigates()
{
    auto q = openClienti();
    QVERIFY(q->isActive());
    QCOMPARE(q->recordCount(), 5);
    QCOMPARE(q->recNo(), 1);
    QVERIFY(q->bof());
    QVERIFY(!q->eof());
    QStringList seen;
    for (q->first(); !q->eof(); q->next()) seen << q->fieldByName("nome").asString();
    QCOMPARE(seen, QStringList({"Rossi", "rossini", "L'Officina", "Bianchi", "Àlba"}));
    QCOMPARE(q->recNo(), 5);
    q->prior();
    QCOMPARE(q->recNo(), 4);
    q->last();
    QVERIFY(q->eof());
    q->first();
    q->prior();
    QVERIFY(q->bof());
    QCOMPARE(q->recNo(), 1);

    db::Query empty(&conn());
    empty.setSql("select * from Clienti where Id < 0");
    empty.open();
    QVERIFY(empty.isEmpty());
    QVERIFY(empty.eof() && empty.bof());
    QCOMPARE(empty.recNo(), 0);
    QVERIFY_THROWS_EXCEPTION(db::DbError, empty.edit());

    db::Query broken(&conn());
    broken.setSql("select * from Inesistente");
    QVERIFY_THROWS_EXCEPTION(db::DbError, broken.open());
    QVERIFY(!broken.isActive());
}

void TestQuery::fieldsByNameAndPosition()
{
    auto q = openClienti("select Id, Nome, Importo, Numero, Data, Annullato, Importo * 2 as Doppio from Clienti order by Id");
    QCOMPARE(q->fieldByName("NOME").asString(), QString("Rossi"));
    QCOMPARE(q->field(1).asString(), QString("Rossi"));
    QCOMPARE(q->fieldByName("importo").asFloat(), 10.5);
    QCOMPARE(q->fieldByName("Importo").asString(), QString("10,5"));
    QCOMPARE(q->fieldByName("Doppio").asFloat(), 21.0);
    QCOMPARE(q->fieldByName("Data").asString(), QString("10/01/2026"));
    QCOMPARE(q->fieldByName("Data").asDateTime(), QDateTime(QDate(2026, 1, 10), QTime(0, 0)));
    QVERIFY(!q->fieldByName("Annullato").asBoolean());
    QVERIFY(!q->findField("Manca").isValid());
    QVERIFY_THROWS_EXCEPTION(db::DbError, q->fieldByName("Manca"));
    q->setRecNo(3);
    QVERIFY(q->fieldByName("Numero").isNull());
    QCOMPARE(q->fieldByName("Numero").asInteger(), 0);
    QCOMPARE(q->fieldByName("Importo").asFloat(), 0.0);
    QCOMPARE(q->fieldByName("Data").asString(), QString("31/12/2025 23:59:59"));
    q->setRecNo(2);
    QVERIFY(q->fieldByName("Annullato").asBoolean());
    QCOMPARE(q->fieldByName("Annullato").asString(), QString("True"));
}

void TestQuery::filterLanguage_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty") << "" << QStringList({"Rossi", "rossini", "L'Officina", "Bianchi", "Àlba"});
    QTest::newRow("prefix ignores case") << "Nome like 'ROSS*'" << QStringList({"Rossi", "rossini"});
    QTest::newRow("prefix with percent") << "Nome like 'ross%'" << QStringList({"Rossi", "rossini"});
    QTest::newRow("apostrophe") << "Nome like 'l''off*'" << QStringList({"L'Officina"});
    QTest::newRow("accented letters") << "Nome like 'àl*'" << QStringList({"Àlba"});
    QTest::newRow("equal accented any case") << "Citta = 'FORLÌ'" << QStringList({"Rossi", "L'Officina"});
    QTest::newRow("contains") << "Nome like '*ss*'" << QStringList({"Rossi", "rossini"});
    QTest::newRow("and or parentheses")
        << "(Citta like 'forl*' or Citta = 'Rimini') and Annullato = false" << QStringList({"Rossi", "L'Officina"});
    QTest::newRow("null") << "Citta = null" << QStringList({"Bianchi"});
    QTest::newRow("not null") << "Importo <> null and Numero >= 2" << QStringList({"Rossi", "Bianchi", "Àlba"});
    QTest::newRow("boolean true") << "Annullato = true" << QStringList({"rossini", "Àlba"});
    QTest::newRow("boolean as zero") << "Annullato = 0" << QStringList({"Rossi", "L'Officina", "Bianchi"});
    QTest::newRow("number") << "Importo > 7.25" << QStringList({"Rossi", "rossini"});
    QTest::newRow("date day first") << "Data >= #01/02/2026#" << QStringList({"rossini", "Àlba"});
    QTest::newRow("date bound with time") << "Data < #01/01/2026#" << QStringList({"L'Officina"});
    QTest::newRow("not equal text") << "Nome <> 'rossi'" << QStringList({"rossini", "L'Officina", "Bianchi", "Àlba"});
    QTest::newRow("bracketed name") << "[Nome] like 'b*'" << QStringList({"Bianchi"});
}

void TestQuery::filterLanguage()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    auto q = openClienti();
    q->setFilter(filter);
    QCOMPARE(names(*q), expected);
    QCOMPARE(q->recordCount(), int(expected.size()));
    QCOMPARE(q->recNo(), expected.isEmpty() ? 0 : 1);
}

void TestQuery::filterSurvivesRequeryAndSqlChange()
{
    auto q = openClienti();
    q->setFilter("Nome like 'ross*'");
    conn().execute("insert into Clienti (Nome) values ('Rossetti')");
    q->requery();
    QCOMPARE(names(*q), QStringList({"Rossi", "rossini", "Rossetti"}));
    q->setSql("select * from Clienti order by Nome desc");
    QVERIFY(!q->isActive());
    q->open();
    QCOMPARE(q->filter(), QString("Nome like 'ross*'"));
    QCOMPARE(names(*q), QStringList({"rossini", "Rossi", "Rossetti"}));
}

void TestQuery::invalidFilterKeepsPreviousOne()
{
    auto q = openClienti();
    q->setFilter("Nome like 'b*'");
    QVERIFY_THROWS_EXCEPTION(db::DbError, q->setFilter("Nome like 'x"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, q->setFilter("Nome = 'x' and"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, q->setFilter("Inesistente = 1"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, q->setFilter("Data > #45/45/2026#"));
    QCOMPARE(q->filter(), QString("Nome like 'b*'"));
    QCOMPARE(names(*q), QStringList({"Bianchi"}));
}

void TestQuery::deepFilterIsRefusedLongChainsWork()
{
    auto q = openClienti();
    // Long chains of and/or are no deeper than one level.
    QStringList ands, ors;
    for (int i = 0; i < 50000; ++i) {
        ands << QString("Nome <> 'z%1'").arg(i);
        ors << QString("Nome = 'z%1'").arg(i);
    }
    q->setFilter(ands.join(" and ") + " and Citta like 'f*'");
    QCOMPARE(names(*q), QStringList({"Rossi", "L'Officina"}));
    q->setFilter(ors.join(" or ") + " or Nome = 'rossini'");
    QCOMPARE(names(*q), QStringList({"rossini"}));
    q->setFilter("(" + ands.join(" and ") + ") and not (Nome = 'Rossi' or Importo > 100) or Nome = 'Rossi'");
    QCOMPARE(names(*q), QStringList({"Rossi", "L'Officina", "Bianchi", "Àlba"}));
    // Deep nesting is refused and the filter in force stays.
    q->setFilter("Nome like 'b*'");
    QString nots;
    for (int i = 0; i < 20000; ++i) nots += "not ";
    const QStringList deep = {QString(20000, u'(') + "Nome = 'Rossi'" + QString(20000, u')'), nots + "Nome = 'Rossi'"};
    for (const QString &f : deep) {
        try {
            q->setFilter(f);
            QFAIL("no error");
        } catch (const db::DbError &e) {
            QVERIFY2(e.message().startsWith("Filtro non valido (troppe parentesi"), qPrintable(e.message()));
            QVERIFY(e.message().size() < 400);
        }
        QCOMPARE(q->filter(), QString("Nome like 'b*'"));
        QCOMPARE(names(*q), QStringList({"Bianchi"}));
    }
}

void TestQuery::sortToggles()
{
    auto q = openClienti();
    q->setSort("Nome ASC");
    QCOMPARE(names(*q), QStringList({"Bianchi", "L'Officina", "Rossi", "rossini", "Àlba"}));
    q->setSort("Nome DESC");
    QCOMPARE(names(*q).first(), QString("Àlba"));
    // Nulls first ascending; numbers as numbers; several columns.
    q->setSort("Numero ASC, Nome DESC");
    QCOMPARE(names(*q), QStringList({"L'Officina", "rossini", "Àlba", "Bianchi", "Rossi"}));
    q->setSort("Importo DESC");
    QCOMPARE(names(*q), QStringList({"rossini", "Rossi", "Àlba", "Bianchi", "L'Officina"}));
    q->setSort("Data ASC");
    QCOMPARE(names(*q), QStringList({"Bianchi", "L'Officina", "Rossi", "rossini", "Àlba"}));
    // Sorting keeps the current row; an empty sort gives back the order of the SQL.
    QVERIFY(q->locate("Nome", "Rossi"));
    q->setSort("Nome DESC");
    QCOMPARE(q->fieldByName("Nome").asString(), QString("Rossi"));
    q->setSort("");
    QCOMPARE(names(*q), QStringList({"Rossi", "rossini", "L'Officina", "Bianchi", "Àlba"}));
    // The sort applies to the filtered rows and survives a requery.
    q->setFilter("Citta like 'forl*'");
    q->setSort("Nome ASC");
    q->requery();
    QCOMPARE(names(*q), QStringList({"L'Officina", "Rossi"}));
    // Long shared beginnings, case, accents, negative numbers and ties on several columns.
    conn().execute("delete * from Clienti");
    conn().execute("insert into Clienti (Nome, Citta, Importo) values ('Autofficina Rossi Srl', 'b', -2), "
                   "('AUTOFFICINA ROSSI', 'a', 3), ('autofficina bianchi', 'a', -10.5), ('Autofficina Rossi Srl', 'a', 0), "
                   "('Autofficina', NULL, NULL), ('Àutofficina', 'c', 1e6)");
    q->setFilter("");
    q->setSort("");
    q->requery();
    q->setSort("Nome ASC");
    QCOMPARE(names(*q), QStringList({"Autofficina", "autofficina bianchi", "AUTOFFICINA ROSSI", "Autofficina Rossi Srl",
                                     "Autofficina Rossi Srl", "Àutofficina"}));
    q->setSort("Nome DESC, Citta ASC");
    QCOMPARE(names(*q, "Citta"), QStringList({"c", "a", "b", "a", "a", ""}));
    q->setSort("Importo DESC");
    QCOMPARE(names(*q, "Importo"), QStringList({"1000000", "3", "0", "-2", "-10,5", ""}));
    QVERIFY_THROWS_EXCEPTION(db::DbError, q->setSort("Manca ASC"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, q->setSort("Nome SU"));
}

void TestQuery::editWritesOnlyChangedColumns()
{
    auto q = openClienti();
    q->setRecNo(2);
    q->edit();
    q->fieldByName("Citta").setAsString("Ravenna");
    q->fieldByName("Nome").setAsString("rossini"); // same value: not written
    // Meanwhile another workstation changes a column this form did not touch.
    conn().execute("update Clienti set Nome = 'Rossini Srl', Importo = 99 where Id = 2");
    QVERIFY(q->post());
    QCOMPARE(q->state(), db::Query::State::Browse);
    QCOMPARE(conn().scalar("select Citta from Clienti where Id = 2").toString(), QString("Ravenna"));
    QCOMPARE(conn().scalar("select Nome from Clienti where Id = 2").toString(), QString("Rossini Srl"));
    QCOMPARE(conn().scalar("select Importo from Clienti where Id = 2").toDouble(), 99.0);
    // Writing through a join goes to the first table, by its key.
    db::Query j(&conn());
    j.setSql("select Clienti.Id, Clienti.Nome, Vincoli.Nome as VNome from Clienti inner join Vincoli on Clienti.Id = Vincoli.Id order by Clienti.Id");
    j.open();
    j.fieldByName("Nome").setAsString("Rossi Giovanni");
    QVERIFY(j.post());
    QCOMPARE(conn().scalar("select Nome from Clienti where Id = 1").toString(), QString("Rossi Giovanni"));
    QCOMPARE(conn().scalar("select Nome from Vincoli where Id = 1").toString(), QString("uno"));
}

void TestQuery::insertGivesIdAndDefaults()
{
    auto q = openClienti();
    q->append();
    QCOMPARE(q->state(), db::Query::State::Insert);
    q->fieldByName("Nome").setAsString("Verdi");
    QVERIFY(q->post());
    QCOMPARE(q->fieldByName("Id").asInteger(), 6);
    QCOMPARE(q->fieldByName("Annullato").value(), QVariant(qint64(0)));
    QCOMPARE(q->recordCount(), 6);
    QCOMPARE(conn().scalar("select Annullato from Clienti where Id = 6").toInt(), 0);
    // A row with nothing set is still written, with the table's defaults.
    q->append();
    QVERIFY(q->post());
    QCOMPARE(q->fieldByName("Id").asInteger(), 7);
    QCOMPARE(conn().scalar("select count(*) from Clienti").toInt(), 7);
    // Ids are never reused, even after the last row is deleted.
    q->deleteRecord();
    q->append();
    QVERIFY(q->post());
    QCOMPARE(q->fieldByName("Id").asInteger(), 8);
}

void TestQuery::appendAndInsertPositions()
{
    auto q = openClienti();
    q->setRecNo(2);
    q->insert();
    QCOMPARE(q->recNo(), 2);
    q->fieldByName("Nome").setAsString("Nuovo");
    QVERIFY(q->post());
    QCOMPARE(names(*q), QStringList({"Rossi", "Nuovo", "rossini", "L'Officina", "Bianchi", "Àlba"}));
    q->append();
    QCOMPARE(q->recNo(), 7);
    q->cancel();
    QCOMPARE(q->recordCount(), 6);
}

void TestQuery::failedPostChangesNothing()
{
    db::Query q(&conn());
    q.setSql("select * from Vincoli order by Id");
    q.open();
    // NOT NULL violation on insert.
    q.append();
    q.fieldByName("Codice").setAsString("C");
    QVERIFY(!q.post());
    QVERIFY2(q.lastError().contains("Manca un dato obbligatorio"), qPrintable(q.lastError()));
    QCOMPARE(q.state(), db::Query::State::Insert);
    QCOMPARE(q.fieldByName("Codice").asString(), QString("C"));
    QCOMPARE(conn().scalar("select count(*) from Vincoli").toInt(), 2);
    // Fixing the row lets the same post succeed.
    q.fieldByName("Nome").setAsString("tre");
    QVERIFY(q.post());
    QCOMPARE(conn().scalar("select count(*) from Vincoli").toInt(), 3);
    // UNIQUE violation on edit: the database and the buffer stay as they were.
    q.first();
    q.fieldByName("Codice").setAsString("B");
    q.fieldByName("Nome").setAsString("cambiato");
    QVERIFY(!q.post());
    QVERIFY2(q.lastError().contains("già presente"), qPrintable(q.lastError()));
    QCOMPARE(q.state(), db::Query::State::Edit);
    QCOMPARE(q.fieldByName("Nome").asString(), QString("cambiato"));
    QCOMPARE(conn().scalar("select Nome from Vincoli where Id = 1").toString(), QString("uno"));
    QCOMPARE(conn().scalar("select Codice from Vincoli where Id = 1").toString(), QString("A"));
    // Moving away with the failing row pending is refused, not silently dropped.
    QVERIFY_THROWS_EXCEPTION(db::DbError, q.next());
    q.cancel();
    QCOMPARE(q.fieldByName("Nome").asString(), QString("uno"));
    // A row deleted by another workstation is not reported as saved.
    conn().execute("delete from Vincoli where Id = 2");
    q.next();
    q.fieldByName("Nome").setAsString("fantasma");
    QVERIFY(!q.post());
    QVERIFY(!q.lastError().isEmpty());
}

void TestQuery::cancelDropsPendingRow()
{
    auto q = openClienti();
    q->setRecNo(3);
    q->insert();
    q->cancel();
    QCOMPARE(q->recordCount(), 5);
    QCOMPARE(q->fieldByName("Nome").asString(), QString("L'Officina"));
    q->edit();
    q->fieldByName("Nome").setAsString("x");
    q->cancel();
    QCOMPARE(q->fieldByName("Nome").asString(), QString("L'Officina"));
    QCOMPARE(conn().scalar("select count(*) from Clienti").toInt(), 5);
}

void TestQuery::deleteMovesToNeighbour()
{
    auto q = openClienti();
    q->setRecNo(2);
    q->deleteRecord();
    QCOMPARE(q->fieldByName("Nome").asString(), QString("L'Officina"));
    q->last();
    q->deleteRecord();
    QCOMPARE(q->fieldByName("Nome").asString(), QString("Bianchi"));
    QCOMPARE(q->recordCount(), 3);
    QCOMPARE(conn().scalar("select count(*) from Clienti").toInt(), 3);
    while (!q->isEmpty()) q->deleteRecord();
    QVERIFY(q->eof());
    QVERIFY_THROWS_EXCEPTION(db::DbError, q->deleteRecord());
}

void TestQuery::locateAndRequeryKeepRowById()
{
    auto q = openClienti();
    QVERIFY(q->locate("id", 4));
    QCOMPARE(q->fieldByName("Nome").asString(), QString("Bianchi"));
    QVERIFY(!q->locate("Nome", "bianchi")); // exact case by default
    QCOMPARE(q->recNo(), 4);
    QVERIFY(q->locate("Nome", "bianchi", db::Query::CaseInsensitive));
    QVERIFY(q->locate("Nome", "ross", db::Query::CaseInsensitive | db::Query::PartialKey));
    QCOMPARE(q->recNo(), 1);
    QVERIFY(q->locate("Data", "01/02/2026"));
    QCOMPARE(q->fieldByName("Nome").asString(), QString("rossini"));
    // Requery goes back to the first row; the caller finds its row again by id.
    const int id = q->fieldByName("Id").asInteger();
    q->requery();
    QCOMPARE(q->recNo(), 1);
    QVERIFY(q->locate("Id", id));
    QCOMPARE(q->fieldByName("Nome").asString(), QString("rossini"));
}

void TestQuery::datesAndFlagsAreCanonical()
{
    auto q = openClienti();
    q->append();
    q->fieldByName("Nome").setAsString("Date");
    q->fieldByName("Data").setAsString("15/03/2026");
    q->fieldByName("Annullato").setAsBoolean(true);
    q->fieldByName("Importo").setAsString("1.234,56");
    QVERIFY(q->post());
    const int id = q->fieldByName("Id").asInteger();
    auto stored = [&](const QString &col) {
        return conn().scalar(QString("select %1 from Clienti where Id = %2").arg(col).arg(id));
    };
    QCOMPARE(stored("Data").toString(), QString("2026-03-15 00:00:00"));
    QCOMPARE(stored("Annullato").toInt(), 1);
    QCOMPARE(stored("Importo").toDouble(), 1234.56);
    q->fieldByName("Data").setAsDateTime(QDateTime(QDate(2026, 4, 1), QTime(23, 59, 59)));
    q->fieldByName("Annullato").clear();
    QVERIFY(q->post());
    QCOMPARE(stored("Data").toString(), QString("2026-04-01 23:59:59"));
    QCOMPARE(stored("Annullato").toInt(), 0); // a yes/no is never null
    q->fieldByName("Data").setValue(QDate(2026, 5, 2));
    QVERIFY(q->post());
    QCOMPARE(stored("Data").toString(), QString("2026-05-02 00:00:00"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, q->fieldByName("Data").setAsString("32/13/2026"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, q->fieldByName("Data").setAsString("01/01/0029"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, q->fieldByName("Numero").setAsString("dodici"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, q->fieldByName("Importo").setAsString("1,2,3"));
    q->cancel();
    QCOMPARE(stored("Data").toString(), QString("2026-05-02 00:00:00"));
}

void TestQuery::typedNumbersAndDates_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso"); // what is stored, or "!" and a part of the message
    QTest::newRow("decimal comma") << "Importo" << "10,05" << "10.05";
    QTest::newRow("decimal point") << "Importo" << "-1.005" << "-1.005";
    QTest::newRow("Italian grouping") << "Importo" << "1.234.567,89" << "1234567.89";
    QTest::newRow("the largest") << "Importo" << "999999999,99" << "999999999.99";
    QTest::newRow("one cent more") << "Importo" << "1000000000" << "!supera il massimo ammesso (999.999.999,99)";
    QTest::newRow("a huge price") << "Importo" << "99999999999999999999" << "!supera il massimo ammesso";
    QTest::newRow("NaN") << "Importo" << "NaN" << "!\"NaN\" non è un numero valido";
    QTest::newRow("nan") << "Importo" << "nan" << "!non è un numero valido";
    QTest::newRow("inf") << "Importo" << "inf" << "!non è un numero valido";
    QTest::newRow("-inf") << "Importo" << "-inf" << "!non è un numero valido";
    QTest::newRow("exponent") << "Importo" << "1e5" << "!non è un numero valido";
    QTest::newRow("English grouping") << "Importo" << "1,234.56" << "!il punto solo per le migliaia";
    QTest::newRow("grouping of two") << "Importo" << "1.23,4" << "!non è un numero valido";
    QTest::newRow("two-digit year") << "Data" << "1/1/26" << "2026-01-01 00:00:00";
    QTest::newRow("four-digit year") << "Data" << "31/12/2025" << "2025-12-31 00:00:00";
    QTest::newRow("one-digit year") << "Data" << "1/1/5" << "!non è una data valida";
    QTest::newRow("five-digit year") << "Data" << "31/12/20255" << "!non è una data valida";
    QTest::newRow("five-digit year and a time") << "Data" << "31/12/20255 10:00" << "!non è una data valida";
}

void TestQuery::typedNumbersAndDates()
{
    QFETCH(QString, campo);
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    auto q = openClienti();
    q->append();
    q->fieldByName("Nome").setAsString("Digitato");
    if (atteso.startsWith('!')) {
        try {
            q->fieldByName(campo).setAsString(testo);
            QFAIL("accepted");
        } catch (const db::DbError &e) {
            QVERIFY2(e.message().contains(atteso.mid(1)), qPrintable(e.message()));
        }
        QVERIFY(q->fieldByName(campo).isNull());
        q->cancel();
        return;
    }
    q->fieldByName(campo).setAsString(testo);
    QVERIFY(q->post());
    const QVariant v = conn().scalar(QString("select %1 from Clienti where Id = %2").arg(campo).arg(q->fieldByName("Id").asInteger()));
    if (campo == "Importo") QCOMPARE(v.toDouble(), atteso.toDouble());
    else QCOMPARE(v.toString(), atteso);
}

void TestQuery::navigationPostsPendingEdit()
{
    auto q = openClienti();
    q->fieldByName("Nome").setAsString("Rossi Mario");
    q->next();
    QCOMPARE(conn().scalar("select Nome from Clienti where Id = 1").toString(), QString("Rossi Mario"));
    QCOMPARE(q->state(), db::Query::State::Browse);
    q->edit();
    q->next(); // nothing changed: the edit is simply left
    QCOMPARE(q->state(), db::Query::State::Browse);
}

void TestQuery::displayHookAndControls()
{
    conn().execute("update Clienti set Note = '" + QString(250, 'n') + "' where Id = 1");
    auto q = openClienti();
    q->setDisplayHook("note", [](const QVariant &v) { return v.toString().left(100); });
    QCOMPARE(q->fieldByName("Note").displayText().size(), 100);
    QCOMPARE(q->fieldByName("Note").asString().size(), 250);
    db::DataSource src(q.get());
    QSignalSpy moved(&src, &db::DataSource::recordChanged);
    QSignalSpy reset(&src, &db::DataSource::dataChanged);
    q->disableControls();
    for (q->first(); !q->eof(); q->next()) {
    }
    q->setFilter("Nome like 'r*'");
    QCOMPARE(moved.count(), 0);
    QCOMPARE(reset.count(), 0);
    q->enableControls();
    QCOMPARE(reset.count(), 1);
    QVERIFY(moved.count() >= 1);
    moved.clear();
    q->next();
    QCOMPARE(moved.count(), 1);
    src.setEnabled(false);
    q->first();
    QCOMPARE(moved.count(), 1);
}

void TestQuery::selectedIds()
{
    auto q = openClienti();
    q->setRowSelected(0, true);
    q->setRowSelected(3, true);
    q->setRowSelected(4, true);
    q->setRowSelected(4, false);
    QCOMPARE(q->selectedIds("ID"), QList<qint64>({1, 4}));
    QCOMPARE(q->selectedCount(), 2);
    q->clearSelection();
    QVERIFY(q->selectedIds("Id").isEmpty());
}

void TestQuery::transactionsRollBack()
{
    {
        db::Transaction t(conn());
        conn().execute("delete * from Clienti");
        {
            db::Transaction inner(conn());
            conn().execute("insert into Clienti (Nome) values ('dentro')");
        } // inner rolled back
        QCOMPARE(conn().scalar("select count(*) from Clienti").toInt(), 0);
    } // outer rolled back
    QCOMPARE(conn().scalar("select count(*) from Clienti").toInt(), 5);
    {
        db::Transaction t(conn());
        conn().execute("insert into Clienti (Nome) values ('fuori')");
        {
            db::Transaction inner(conn());
            conn().execute("insert into Clienti (Nome) values ('dentro')");
            inner.commit();
        }
        t.commit();
    }
    QCOMPARE(conn().scalar("select count(*) from Clienti").toInt(), 7);
    QCOMPARE(conn().transactionDepth(), 0);
}

void TestQuery::armedQueryReadsAtFirstUse()
{
    db::Query q(&conn());
    int resets = 0;
    connect(&q, &db::Query::layoutReset, [&resets] { ++resets; });
    q.setSql("select * from Clienti order by Id");
    q.setFilter("Annullato = false");
    q.openOnFirstUse();
    QVERIFY(q.isActive());
    QVERIFY(q.isArmed());
    QCOMPARE(q.state(), db::Query::State::Browse);
    // Nothing is read until the rows are used: what is written meanwhile is seen; filter and sort
    // given meanwhile take effect; a requery leaves it armed.
    conn().execute("insert into Clienti (Nome, Annullato) values ('Zeta', false)");
    q.setSort("Nome DESC");
    q.requery();
    QVERIFY(q.isArmed());
    QCOMPARE(resets, 0);
    QCOMPARE(q.recordCount(), 4);
    QVERIFY(!q.isArmed());
    QCOMPARE(q.fieldByName("Nome").asString(), QString("Zeta"));
    QCOMPARE(names(q), QStringList({"Zeta", "Rossi", "L'Officina", "Bianchi"}));
    // Any first use reads: a field, a locate, an edit.
    for (int uso = 0; uso < 3; ++uso) {
        db::Query r(&conn());
        r.setSql("select * from Clienti order by Id");
        r.openOnFirstUse();
        if (uso == 0) QCOMPARE(r.findField("Citta").asString(), QString("Forlì"));
        if (uso == 1) QVERIFY(r.locate("Nome", "Bianchi"));
        if (uso == 2) {
            r.edit();
            r.fieldByName("Note").setAsString("letto");
            QVERIFY(r.post());
        }
        QVERIFY(!r.isArmed());
    }
    QCOMPARE(conn().scalar("select Note from Clienti where Id = 1").toString(), QString("letto"));
    // Closing disarms; an armed query over a missing table fails at its first use, not before.
    db::Query s(&conn());
    s.setSql("select * from Inesistente");
    s.openOnFirstUse();
    s.close();
    QVERIFY(!s.isActive());
    s.openOnFirstUse();
    QVERIFY_THROWS_EXCEPTION(db::DbError, s.recordCount());
    QVERIFY(!s.isActive());
    // Without a connection it refuses at once.
    db::Query t;
    t.setSql("select 1");
    QVERIFY_THROWS_EXCEPTION(db::DbError, t.openOnFirstUse());
}

void TestQuery::sameFilterAgainChangesNothing()
{
    db::Query q(&conn());
    q.setSql("select * from Clienti order by Id");
    q.open();
    q.setFilter("Annullato = false");
    int resets = 0;
    connect(&q, &db::Query::layoutReset, [&resets] { ++resets; });
    const quint64 letture = db::Query::lettureEseguite();
    // A row changed meanwhile is not filtered out again: the filter in force was not re-applied.
    conn().execute("update Clienti set Annullato = true where Nome = 'Rossi'");
    q.requery();
    QCOMPARE(names(q), QStringList({"L'Officina", "Bianchi"}));
    QCOMPARE(db::Query::lettureEseguite(), letture + 1);
    resets = 0;
    q.setFilter("Annullato = false");
    QCOMPARE(resets, 0);
    q.setFilter("Annullato = true");
    QCOMPARE(resets, 1);
    QCOMPARE(names(q), QStringList({"Rossi", "rossini", "Àlba"}));
    QCOMPARE(db::Query::lettureEseguite(), letture + 1);
}

void TestQuery::storedRowJoinsTheRowsHeld()
{
    db::Query q(&conn());
    q.setSql("select * from Clienti where Annullato = :annullato order by Nome");
    q.bind(":annullato", false);
    q.open();
    q.setSort("Nome DESC");
    QVERIFY(q.locate("Nome", "Bianchi"));
    const quint64 letture = db::Query::lettureEseguite();
    conn().execute("insert into Clienti (Nome, Citta) values ('Neri', 'Cesena')");
    const qint64 neri = conn().scalar("select Id from Clienti where Nome = 'Neri'").toLongLong();
    conn().execute("insert into Clienti (Nome, Annullato) values ('Verdi', true)");
    const qint64 verdi = conn().scalar("select Id from Clienti where Nome = 'Verdi'").toLongLong();
    // The new row, in the sort's place and current; no other row read again.
    QVERIFY(q.aggiungiRigaSalvata(neri));
    QCOMPARE(names(q), QStringList({"Rossi", "Neri", "L'Officina", "Bianchi"}));
    QCOMPARE(q.fieldByName("Citta").asString(), QString("Cesena"));
    QCOMPARE(q.recNo(), 2);
    // A row the SQL leaves out is not added and the current row stays.
    QVERIFY(!q.aggiungiRigaSalvata(verdi));
    QCOMPARE(q.recordCount(), 4);
    QCOMPARE(q.fieldByName("Nome").asString(), QString("Neri"));
    // A row held already is replaced by what the table holds now, not doubled.
    conn().execute("update Clienti set Citta = 'Rimini' where Nome = 'Neri'");
    QVERIFY(q.aggiungiRigaSalvata(neri));
    QCOMPARE(q.recordCount(), 4);
    QCOMPARE(q.fieldByName("Citta").asString(), QString("Rimini"));
    QCOMPARE(db::Query::lettureEseguite(), letture);
    // What was added is what a full read gives.
    q.requery();
    QCOMPARE(names(q), QStringList({"Rossi", "Neri", "L'Officina", "Bianchi"}));
}

void TestQuery::deletedRowIsForgotten()
{
    db::Query q(&conn());
    q.setSql("select * from Clienti order by Id");
    q.open();
    QVERIFY(q.locate("Nome", "Bianchi"));
    const qint64 id = q.fieldByName("Id").asLargeInt();
    conn().execute("delete from Clienti where Id = :id", {{":id", id}});
    const quint64 letture = db::Query::lettureEseguite();
    QVERIFY(q.dimenticaRiga(id));
    QVERIFY(!q.dimenticaRiga(id));
    QCOMPARE(db::Query::lettureEseguite(), letture);
    QCOMPARE(names(q), QStringList({"Rossi", "rossini", "L'Officina", "Àlba"}));
    QCOMPARE(q.fieldByName("Nome").asString(), QString("Àlba"));
}
