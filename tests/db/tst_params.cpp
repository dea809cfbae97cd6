#include "tst_params.h"

#include "db/Command.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "support/TestSupport.h"

#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

std::unique_ptr<Seams> g_seams;
std::unique_ptr<TestDatabase> g_db;

db::Connection &conn() { return g_db->conn(); }

} // namespace

void TestParams::init()
{
    g_seams = std::make_unique<Seams>();
    g_db = std::make_unique<TestDatabase>(TestDatabase::Empty);
    g_db->exec("CREATE TABLE P (Id INTEGER PRIMARY KEY AUTOINCREMENT, Testo TEXT COLLATE UNOCASE, Data DATETIME,"
               " Flag BOOLEAN NOT NULL DEFAULT 0, Numero INTEGER, Importo REAL);"
               "INSERT INTO P (Testo) VALUES ('L''Officina'), ('50%'), ('500'), ('*'), ('a'), (NULL);");
}

void TestParams::cleanup()
{
    g_db.reset();
    g_seams.reset();
}

void TestParams::valuesAreStoredTyped_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("stored"); // as the engine quotes what it holds
    QTest::newRow("apostrophe") << "Testo" << QVariant("L'auto dell'ing. D'Amico") << "'L''auto dell''ing. D''Amico'";
    QTest::newRow("percent and star") << "Testo" << QVariant("50% *sconto* _x_") << "'50% *sconto* _x_'";
    QTest::newRow("access date text stays text") << "Testo" << QVariant("#1/2/2025# & true") << "'#1/2/2025# & true'";
    QTest::newRow("empty text") << "Testo" << QVariant("") << "''";
    QTest::newRow("null text") << "Testo" << QVariant() << "NULL";
    QTest::newRow("date") << "Data" << QVariant(QDate(2025, 3, 2)) << "'2025-03-02 00:00:00'";
    QTest::newRow("date and time") << "Data" << QVariant(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59)))
                                   << "'2025-12-31 23:59:59'";
    QTest::newRow("null date") << "Data" << QVariant(QMetaType(QMetaType::QDate)) << "NULL";
    QTest::newRow("true") << "Flag" << QVariant(true) << "1";
    QTest::newRow("false") << "Flag" << QVariant(false) << "0";
    QTest::newRow("integer") << "Numero" << QVariant(42) << "42";
    QTest::newRow("large integer") << "Numero" << QVariant(qint64(9007199254740993)) << "9007199254740993";
    QTest::newRow("null number") << "Numero" << QVariant() << "NULL";
    QTest::newRow("money") << "Importo" << QVariant(1234.56) << "1234.56";
    QTest::newRow("a third, every digit") << "Importo" << QVariant(1.0 / 3) << "3.33333333333333314829e-01";
}

void TestParams::valuesAreStoredTyped()
{
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    QFETCH(QString, stored);
    QCOMPARE(conn().execute(QString("insert into P (%1) values (:valore)").arg(column), {{":valore", value}}), 1);
    const qint64 id = conn().lastInsertId();
    // On the file, the engine's own literal of what it holds; on the server the column's type
    // decides, and the value read back says it.
    if (!suServer())
        QCOMPARE(conn().scalar(QString("select quote(%1) from P where Id = :id").arg(column), {{":id", id}}).toString(), stored);
    const QVariant back = conn().scalar(QString("select %1 from P where Id = :id").arg(column), {{":id", id}});
    if (stored == "NULL") {
        QVERIFY(back.isNull());
    } else if (column == "Data") {
        QCOMPARE(back.toString(), stored.mid(1, 19));
    } else if (column == "Testo") {
        QCOMPARE(back.toString(), value.toString());
    } else if (column == "Importo") {
        QCOMPARE(back.typeId(), QMetaType::Double);
        QCOMPARE(back.toDouble(), value.toDouble()); // every digit
    } else {
        QCOMPARE(back.typeId(), QMetaType::LongLong);
        QCOMPARE(back.toLongLong(), value.toBool() && value.typeId() == QMetaType::Bool ? 1 : value.toLongLong());
    }
    // The value found again by the same parameter is the one stored.
    if (!value.isNull())
        QCOMPARE(conn().scalar(QString("select count(*) from P where Id = :id and %1 = :valore").arg(column),
                               {{":id", id}, {"valore", value}})
                     .toInt(),
                 1);
}

void TestParams::valuesAreNeverReadAsSql_data()
{
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("apostrophe") << "l'officina" << QStringList{"L'Officina"};
    QTest::newRow("percent is not a wildcard in =") << "50%" << QStringList{"50%"};
    QTest::newRow("star is not a wildcard in =") << "*" << QStringList{"*"};
    QTest::newRow("injection attempt") << "a' or '1'='1" << QStringList{};
    QTest::newRow("null matches nothing") << QString() << QStringList{};
}

void TestParams::valuesAreNeverReadAsSql()
{
    QFETCH(QString, wanted);
    QFETCH(QStringList, found);
    db::Query q(&conn());
    q.setSql("select Testo from P where Testo = :testo order by Id");
    q.bind(":testo", wanted.isNull() ? QVariant() : QVariant(wanted));
    q.open();
    QStringList seen;
    for (q.first(); !q.eof(); q.next()) seen << q.fieldByName("Testo").asString();
    QCOMPARE(seen, found);
    QCOMPARE(conn().scalar("select count(*) from P").toInt(), 6);
}

void TestParams::namesAreCheckedBothWays()
{
    // A value for a parameter the statement does not have is a mistake, not ignored.
    try {
        conn().scalar("select count(*) from P where Id = :id", {{":id", 1}, {":idd", 2}});
        QFAIL("an unknown parameter was accepted");
    } catch (const db::DbError &e) {
        QVERIFY2(e.message().contains(":idd"), qPrintable(e.message()));
    }
    // A parameter left without a value is not silently null.
    try {
        conn().execute("update P set Testo = :testo where Id = :id", {{":testo", "x"}});
        QFAIL("a missing parameter was accepted");
    } catch (const db::DbError &e) {
        QVERIFY2(e.message().contains(":id"), qPrintable(e.message()));
    }
    QCOMPARE(conn().scalar("select count(*) from P where Testo = 'x'").toInt(), 0);
    // Names ignore case and the colon; a name used twice takes one value.
    QCOMPARE(conn().scalar("select count(*) from P where Id >= :ID and Id <= :id + 1", {{"id", 2}}).toInt(), 2);
}

void TestParams::queryKeepsItsValuesAcrossRequery()
{
    db::Query q(&conn());
    q.setSql("select * from P where Testo like :inizio order by Id");
    q.bind(":inizio", "5%");
    q.open();
    QCOMPARE(q.recordCount(), 2);
    conn().execute("insert into P (Testo) values (:t)", {{":t", "5 stelle"}});
    q.requery();
    QCOMPARE(q.recordCount(), 3);
    q.bind(":inizio", "l'%");
    q.requery();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.fieldByName("Testo").asString(), QString("L'Officina"));
    // New SQL, new parameters: the old value does not linger.
    q.setSql("select * from P where Testo = :inizio");
    QVERIFY_THROWS_EXCEPTION(db::DbError, q.open());
    QVERIFY(!q.isActive());
}

void TestParams::commandRunsAgainWithNewValues()
{
    db::Command cmd(&conn(), "update P set Numero = :n, Data = :d where Testo = :t");
    cmd.bind(":n", 1).bind(":d", QDate(2025, 1, 31)).bind(":t", "a");
    QCOMPARE(cmd.execute(), 1);
    cmd.bind(":n", 2).bind(":t", "500");
    QCOMPARE(cmd.execute(), 1);
    QCOMPARE(conn().scalar("select Numero & ' ' & Data from P where Testo = 'a'").toString(), QString("1 31/01/2025"));
    QCOMPARE(conn().scalar("select Numero & ' ' & Data from P where Testo = '500'").toString(), QString("2 31/01/2025"));
    QCOMPARE(db::Command::execute(&conn(), "delete * from P where Numero = :n", {{":n", 2}}), 1);
}
