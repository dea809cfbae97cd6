#include "tst_postazioni.h"

#include "db/Connection.h"
#include "db/Query.h"
#include "support/TestSupport.h"

#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

std::unique_ptr<Seams> g_seams;
std::unique_ptr<TestDatabase> g_db;
std::unique_ptr<db::Connection> g_other; // the second workstation, on the same file

db::Connection &prima() { return g_db->conn(); }
db::Connection &seconda() { return *g_other; }

std::unique_ptr<db::Query> leggi(db::Connection &c, int id)
{
    auto q = std::make_unique<db::Query>(&c);
    q->setSql("select * from Clienti where Id = :id");
    q->bind(":id", id);
    q->open();
    return q;
}

QVariant valore(const char *column, int id)
{
    return prima().scalar(QString("select %1 from Clienti where Id = :id").arg(column), {{":id", id}});
}

} // namespace

void TestPostazioni::init()
{
    g_seams = std::make_unique<Seams>();
    g_db = std::make_unique<TestDatabase>(TestDatabase::Empty);
    g_db->exec("CREATE TABLE Clienti (Id INTEGER PRIMARY KEY AUTOINCREMENT, Nome TEXT COLLATE UNOCASE, Citta TEXT COLLATE UNOCASE,"
               " Importo REAL, Data DATETIME, Annullato BOOLEAN NOT NULL DEFAULT 0, Numero INTEGER);"
               "INSERT INTO Clienti (Nome, Citta, Importo, Data, Numero) VALUES"
               " ('Rossi', 'Forlì', 0.1, '2026-01-10 00:00:00', NULL),"
               " ('Bianchi', 'Cesena', 200, NULL, 2),"
               " ('Verdi', 'Rimini', 7.25, '2026-03-01 08:00:00', 3);"
               "UPDATE Clienti SET Importo = Importo + 0.2 WHERE Id = 1;"); // 0.30000000000000004
    g_other = std::make_unique<db::Connection>();
    QVERIFY(g_other->open(g_db->path()));
}

void TestPostazioni::cleanup()
{
    g_other.reset();
    g_db.reset();
    g_seams.reset();
}

void TestPostazioni::secondPostOfSameRowFailsAndLosesNothing()
{
    auto a = leggi(prima(), 1);
    auto b = leggi(seconda(), 1);
    a->fieldByName("Nome").setAsString("Rossi Mario");
    QVERIFY2(a->post(), qPrintable(a->lastError()));

    b->fieldByName("Nome").setAsString("Rossi Giuseppe");
    b->fieldByName("Citta").setAsString("Cesenatico");
    QVERIFY(!b->post());
    QCOMPARE(b->lastError(), db::Query::changedElsewhereMessage());
    QVERIFY(b->lastError().contains("un'altra postazione"));
    // The first workstation's values are intact, nothing of the second's was written...
    QCOMPARE(valore("Nome", 1).toString(), QString("Rossi Mario"));
    QCOMPARE(valore("Citta", 1).toString(), QString("Forlì"));
    // ... and the second still has its edits on screen.
    QCOMPARE(b->state(), db::Query::State::Edit);
    QCOMPARE(b->fieldByName("Nome").asString(), QString("Rossi Giuseppe"));
    QCOMPARE(b->fieldByName("Citta").asString(), QString("Cesenatico"));

    // Read again, the second sees the first's change and can make its own.
    b->cancel();
    b->requery();
    QCOMPARE(b->fieldByName("Nome").asString(), QString("Rossi Mario"));
    b->fieldByName("Nome").setAsString("Rossi Giuseppe");
    QVERIFY2(b->post(), qPrintable(b->lastError()));
    QCOMPARE(valore("Nome", 1).toString(), QString("Rossi Giuseppe"));
    // The first, which read before that, is now the one refused.
    a->fieldByName("Nome").setAsString("Rossi Mario bis");
    QVERIFY(!a->post());
    QCOMPARE(valore("Nome", 1).toString(), QString("Rossi Giuseppe"));
}

void TestPostazioni::concurrentEdits_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("firstColumn");  // empty: the first workstation changes nothing
    QTest::addColumn<QVariant>("firstValue");
    QTest::addColumn<QString>("secondColumn");
    QTest::addColumn<QVariant>("secondValue");
    QTest::addColumn<bool>("secondPosts");
    const QVariant none;
    QTest::newRow("nobody else: real read back exactly") << 1 << "" << none << "Importo" << QVariant(5.5) << true;
    QTest::newRow("nobody else: null column") << 1 << "" << none << "Numero" << QVariant(9) << true;
    QTest::newRow("nobody else: date column") << 3 << "" << none << "Data" << QVariant(QDate(2026, 4, 1)) << true;
    QTest::newRow("nobody else: yes/no column") << 2 << "" << none << "Annullato" << QVariant(true) << true;
    QTest::newRow("other column changed: both kept") << 1 << "Citta" << QVariant("Bertinoro") << "Nome" << QVariant("R.") << true;
    QTest::newRow("same real column") << 1 << "Importo" << QVariant(0.3) << "Importo" << QVariant(1.0) << false;
    QTest::newRow("null filled in elsewhere") << 1 << "Numero" << QVariant(5) << "Numero" << QVariant(7) << false;
    QTest::newRow("emptied elsewhere") << 2 << "Numero" << QVariant() << "Numero" << QVariant(7) << false;
    QTest::newRow("only the case changed elsewhere") << 2 << "Nome" << QVariant("BIANCHI") << "Nome" << QVariant("Bianco")
                                                     << false;
    QTest::newRow("date changed elsewhere") << 3 << "Data" << QVariant(QDate(2026, 3, 2)) << "Data"
                                            << QVariant(QDate(2026, 5, 1)) << false;
}

void TestPostazioni::concurrentEdits()
{
    QFETCH(int, id);
    QFETCH(QString, firstColumn);
    QFETCH(QVariant, firstValue);
    QFETCH(QString, secondColumn);
    QFETCH(QVariant, secondValue);
    QFETCH(bool, secondPosts);
    auto b = leggi(seconda(), id);
    if (!firstColumn.isEmpty()) {
        auto a = leggi(prima(), id);
        a->fieldByName(firstColumn).setValue(firstValue);
        QVERIFY2(a->post(), qPrintable(a->lastError()));
    }
    const QVariant before = valore(qPrintable(secondColumn), id);
    b->fieldByName(secondColumn).setValue(secondValue);
    QCOMPARE(b->post(), secondPosts);
    auto after = leggi(prima(), id);
    if (secondPosts) {
        QCOMPARE(after->fieldByName(secondColumn).asString(), b->fieldByName(secondColumn).asString());
        if (!firstColumn.isEmpty()) QCOMPARE(after->fieldByName(firstColumn).value(), firstValue);
        // The row now holds what the table holds (the other's change too), so a further edit
        // of this workstation goes through.
        b->fieldByName(secondColumn).setValue(secondValue);
        b->fieldByName("Citta").setAsString("Altrove");
        QVERIFY2(b->post(), qPrintable(b->lastError()));
    } else {
        QCOMPARE(b->lastError(), db::Query::changedElsewhereMessage());
        QCOMPARE(valore(qPrintable(secondColumn), id), before);
        QCOMPARE(b->state(), db::Query::State::Edit);
    }
}

void TestPostazioni::rowDeletedElsewhere()
{
    auto b = leggi(seconda(), 2);
    auto a = leggi(prima(), 2);
    a->deleteRecord();
    b->fieldByName("Nome").setAsString("Bianchi srl");
    QVERIFY(!b->post());
    QVERIFY2(b->lastError().contains("non esiste più"), qPrintable(b->lastError()));
    QCOMPARE(b->fieldByName("Nome").asString(), QString("Bianchi srl"));
    QCOMPARE(prima().scalar("select count(*) from Clienti").toInt(), 2);
}

void TestPostazioni::dynamicCursorSeesOtherWorkstations()
{
    db::Query lista(&seconda());
    lista.setSql("select * from Clienti order by Nome");
    lista.setDynamicCursor(true);
    lista.open();
    QVERIFY(lista.locate("Nome", "Rossi"));
    db::Query statica(&seconda());
    statica.setSql("select * from Clienti order by Nome");
    statica.open();

    prima().execute("update Clienti set Nome = :nome where Id = 1", {{":nome", "Rossini"}});
    prima().execute("insert into Clienti (Nome) values ('Amati')");

    QVERIFY(lista.rileggiSeDinamica());
    QCOMPARE(lista.recordCount(), 4);
    // Still on the same row, by its key, though its place in the order changed.
    QCOMPARE(lista.fieldByName("Id").asInteger(), 1);
    QCOMPARE(lista.fieldByName("Nome").asString(), QString("Rossini"));
    QCOMPARE(lista.recNo(), 3);

    QVERIFY(!statica.rileggiSeDinamica());
    QCOMPARE(statica.recordCount(), 3);

    // A row being edited is not thrown away by a re-read.
    lista.fieldByName("Citta").setAsString("Ravenna");
    QVERIFY(!lista.rileggiSeDinamica());
    QCOMPARE(lista.fieldByName("Citta").asString(), QString("Ravenna"));
    QVERIFY(lista.isEditing());
}

void TestPostazioni::addressChoosesTheEngine_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("onServer");
    QTest::addColumn<QString>("error");
    // {dir}: the test's own temporary folder.
    QTest::newRow("file path") << "{dir}/altro.db" << true << false << "";
    QTest::newRow("file name with an equals sign") << "{dir}/host=x.db" << true << false << "";
    QTest::newRow("server that cannot be reached: keywords")
        << "host={dir} port=1 dbname=archivio connect_timeout=2" << false << true
        << "Impossibile collegarsi al server dell'archivio";
    QTest::newRow("server that cannot be reached: URI")
        << "postgresql://localhost:1/archivio?connect_timeout=2" << false << true
        << "Impossibile collegarsi al server dell'archivio";
}

void TestPostazioni::addressChoosesTheEngine()
{
    QFETCH(QString, address);
    QFETCH(bool, opens);
    QFETCH(bool, onServer);
    QFETCH(QString, error);
    address.replace("{dir}", g_db->folder());
    db::Connection c;
    QCOMPARE(c.open(address), opens);
    QCOMPARE(c.onServer(), onServer);
    QVERIFY2(error.isEmpty() ? c.error().isEmpty() : c.error().startsWith(error), qPrintable(c.error()));
    if (opens) QCOMPARE(c.scalar("select 1 + 1").toInt(), 2);
    // The workstation's own database is untouched by the other attempt and still answers.
    QCOMPARE(valore("Nome", 2).toString(), QString("Bianchi"));
}
