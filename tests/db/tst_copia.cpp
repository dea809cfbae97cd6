#include "tst_copia.h"

#include "Copia.h"
#include "db/Connection.h"
#include "db/FieldType.h"
#include "db/Query.h"
#include "db/Schema.h"
#include "support/TestCore.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

std::unique_ptr<CoreSeams> g_seams;
std::unique_ptr<QTemporaryDir> g_dir;

QString archivio() { return g_dir->filePath("archivio.db"); }

// A value of the column's kind for row r, with what copies get wrong: apostrophes, accents,
// the euro sign, line breaks, zero bytes, fractions that are not exact in binary, nulls.
QVariant valore(db::FieldType tipo, int colonna, int r, bool nullabile)
{
    if (r == 2 && nullabile && tipo != db::FieldType::Boolean) return QVariant();
    switch (tipo) {
    case db::FieldType::Integer:
        return QVariant(qint64(colonna * 1000 + r - 1));
    case db::FieldType::Float:
        return QVariant(r == 0 ? 0.1 + 0.2 : -1234567.891 + colonna);
    case db::FieldType::DateTime:
        return QVariant(r == 0 ? QString("2026-02-28 00:00:00") : QString("1999-12-%1 23:59:%2").arg(29 + r).arg(10 + colonna % 50));
    case db::FieldType::Boolean:
        return QVariant(qint64((r + colonna) % 2));
    case db::FieldType::Blob:
        return QVariant(QByteArray("\x00\x01\\x'\xff", 6) + QByteArray::number(colonna));
    default:
        return QVariant(r == 0 ? QString("L'àncora di Forlì, «€» %1").arg(colonna)
                               : QString("Società d'Éufemia\nriga %1\t%2").arg(r).arg(colonna));
    }
}

// A few rows in every table of the file, made from the tables' own definitions.
void riempi(db::Connection &c)
{
    for (const QString &tabella : c.tableNames()) {
        const QStringList colonne = c.columnNames(tabella);
        const QStringList tipi = c.columnTypes(tabella);
        const QString chiave = c.primaryKey(tabella);
        // The file is SQLite: its catalogue says which columns refuse a null.
        QStringList obbligatorie;
        db::Query info(&c);
        info.setSql("select name from pragma_table_info('" + tabella + "') where [notnull] <> 0");
        for (info.open(); !info.eof(); info.next()) obbligatorie << info.fieldByName("name").asString();
        QStringList nomi, segni;
        for (int i = 0; i < colonne.size(); ++i) {
            nomi << "[" + colonne[i] + "]";
            segni << QString(":c%1").arg(i);
        }
        for (int r = 0; r < 3; ++r) {
            db::Params p;
            for (int i = 0; i < colonne.size(); ++i) {
                const QVariant v = colonne[i] == chiave ? QVariant(qint64(100000 + 7 * r))
                                                        : valore(db::fieldTypeFromDeclared(tipi[i]), i, r, !obbligatorie.contains(colonne[i]));
                p.append({segni[i], v});
            }
            c.execute(QString("insert into [%1] (%2) values (%3)").arg(tabella, nomi.join(","), segni.join(",")), p);
        }
    }
}

// Every row of every table of `a` is in `b` with the same values, and nothing else is.
void confronta(db::Connection &a, db::Connection &b)
{
    QStringList ta = a.tableNames(), tb = b.tableNames();
    for (QString &t : ta) t = t.toLower();
    for (QString &t : tb) t = t.toLower();
    ta.sort();
    tb.sort();
    QCOMPARE(tb, ta);
    int tabelle = 0;
    for (const QString &tabella : a.tableNames()) {
        const QString chiave = a.primaryKey(tabella);
        const QString ordine = chiave.isEmpty() ? QString() : " order by [" + chiave + "]";
        db::Query qa(&a), qb(&b);
        qa.setSql("select * from [" + tabella + "]" + ordine);
        qb.setSql("select * from [" + tabella + "]" + ordine);
        qa.open();
        qb.open();
        QVERIFY2(qa.recordCount() >= (tabella == "Aggiunta" ? 1 : 3), qPrintable(tabella));
        QCOMPARE(qb.recordCount(), qa.recordCount());
        for (qa.first(), qb.first(); !qa.eof(); qa.next(), qb.next())
            for (int i = 0; i < qa.fieldCount(); ++i) {
                const QString nome = qa.fieldNameAt(i);
                const QVariant va = qa.value(i), vb = qb.fieldByName(nome).value();
                QVERIFY2(va.isNull() == vb.isNull() && (va.isNull() || va == vb),
                         qPrintable(QString("%1.%2: %3 / %4").arg(tabella, nome, va.toString(), vb.toString())));
            }
        ++tabelle;
    }
    QVERIFY(tabelle > 50);
}

// A database of its own on the tests' server, empty.
std::unique_ptr<TestDatabase> serverVuoto()
{
    return std::make_unique<TestDatabase>(TestDatabase::Empty);
}

copia::Esito copiaIn(const QString &server) { return copia::esegui({"pellavantoria-copia", archivio(), server}); }

} // namespace

void TestCopia::init()
{
    g_seams = std::make_unique<CoreSeams>();
    g_dir = std::make_unique<QTemporaryDir>();
    db::Connection c;
    QVERIFY(c.open(archivio()));
    db::schema::createNew(c);
    riempi(c);
}

void TestCopia::cleanup()
{
    g_dir.reset();
    g_seams.reset();
}

void TestCopia::everyTableCopiedRowByRow()
{
    if (!suServer()) QSKIP("needs the tests' PostgreSQL server: runs as TestCopia.postgres");
    auto server = serverVuoto();
    const copia::Esito e = copiaIn(server->path());
    QVERIFY2(e.codice == 0, qPrintable(e.righe.join("\n")));
    QVERIFY2(e.righe.last().startsWith("Copia terminata"), qPrintable(e.righe.last()));
    db::Connection file;
    QVERIFY(file.open(archivio()));
    confronta(file, server->conn());
    QCOMPARE(db::schema::version(server->conn()), db::schema::currentVersion());
    // New rows take keys past the highest copied.
    server->conn().execute("insert into fattura (Num) values (1)");
    QCOMPARE(server->conn().lastInsertId(), qint64(100015));
    server->conn().execute("insert into Clienti (Cognome) values ('Nuovo')");
    QCOMPARE(server->conn().lastInsertId(), qint64(100015));

    // A second copy into the same database is refused and changes nothing.
    const copia::Esito seconda = copiaIn(server->path());
    QCOMPARE(seconda.codice, 1);
    QVERIFY2(seconda.righe.join("\n").contains("non è vuoto"), qPrintable(seconda.righe.join("\n")));
    QCOMPARE(server->conn().scalar("select count(*) from fattura").toInt(), 4);
}

void TestCopia::newSchemaOnServerAccepted()
{
    if (!suServer()) QSKIP("needs the tests' PostgreSQL server: runs as TestCopia.postgres");
    // The program pointed at an empty database made its tables and reference rows: still new.
    TestDatabase server(TestDatabase::WithSchema);
    // A table an update script added to the file, and a column, are made on the server too.
    {
        db::Connection file;
        QVERIFY(file.open(archivio()));
        file.execute("create table Aggiunta (Id COUNTER, Nota TEXT(50), Fatto YESNO, Quando DATETIME)");
        file.execute("alter table Clienti add Soprannome TEXT(30)");
        file.execute("insert into Aggiunta (Nota, Fatto, Quando) values ('l''ultima', true, #3/1/2026#)");
        file.execute("update Clienti set Soprannome = 'Bepi' where Id = 100000");
    }
    const copia::Esito e = copiaIn(server.path());
    QVERIFY2(e.codice == 0, qPrintable(e.righe.join("\n")));
    db::Connection file;
    QVERIFY(file.open(archivio()));
    confronta(file, server.conn());
    QCOMPARE(server.conn().scalar("select Nota from Aggiunta where Fatto = true").toString(), QString("l'ultima"));
}

void TestCopia::serverWithDataRefused_data()
{
    QTest::addColumn<QString>("sql"); // what a workstation wrote on the new database
    QTest::addColumn<QString>("message");
    QTest::newRow("a customer") << "insert into Clienti (Cognome) values ('Rossi')" << "Clienti";
    QTest::newRow("a workstation's row") << "insert into TempAvvisi (NomeComputer) values ('PC1')" << "TempAvvisi";
    QTest::newRow("a VAT rate deleted") << "delete from Iva where Iva = 4" << "Iva";
    QTest::newRow("another table") << "create table altro (x integer)" << "altro";
}

void TestCopia::serverWithDataRefused()
{
    if (!suServer()) QSKIP("needs the tests' PostgreSQL server: runs as TestCopia.postgres");
    QFETCH(QString, sql);
    QFETCH(QString, message);
    TestDatabase server(TestDatabase::WithSchema);
    if (sql.startsWith("create")) server.exec(sql);
    else server.conn().execute(sql);
    const int clienti = server.conn().scalar("select count(*) from Clienti").toInt();
    const copia::Esito e = copiaIn(server.path());
    QCOMPARE(e.codice, 1);
    const QString testo = e.righe.join("\n");
    QVERIFY2(testo.contains("non è vuoto") && testo.contains(message, Qt::CaseInsensitive), qPrintable(testo));
    QCOMPARE(server.conn().scalar("select count(*) from Clienti").toInt(), clienti);
}

void TestCopia::failureLeavesNothingCopied()
{
    if (!suServer()) QSKIP("needs the tests' PostgreSQL server: runs as TestCopia.postgres");
    // SQLite keeps a text in a number column; the server refuses it, late in the copy.
    {
        db::Connection file;
        QVERIFY(file.open(archivio()));
        file.execute("update Vetture set Chilometri = 'molti' where Id = 100007");
    }
    auto server = serverVuoto();
    const copia::Esito e = copiaIn(server->path());
    QCOMPARE(e.codice, 1);
    QVERIFY2(e.righe.join("\n").contains("Vetture"), qPrintable(e.righe.join("\n")));
    QVERIFY(server->conn().tableNames().isEmpty());
    // Corrected, the same database takes the copy.
    {
        db::Connection file;
        QVERIFY(file.open(archivio()));
        file.execute("update Vetture set Chilometri = 12 where Id = 100007");
    }
    const copia::Esito ok = copiaIn(server->path());
    QVERIFY2(ok.codice == 0, qPrintable(ok.righe.join("\n")));
}

void TestCopia::wrongArguments_data()
{
    QTest::addColumn<QStringList>("arguments"); // {file} the test's archive
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << QStringList{} << 2 << "Uso: pellavantoria-copia";
    QTest::newRow("server first") << QStringList{"host=x dbname=y", "{file}"} << 2 << "Indicare prima il file";
    QTest::newRow("two files") << QStringList{"{file}", "{file}"} << 2 << "Indicare prima il file";
    QTest::newRow("missing file") << QStringList{"{dir}/manca.db", "host=x dbname=y"} << 1 << "non esiste o è vuoto";
    QTest::newRow("server not reachable") << QStringList{"{file}", "host=127.0.0.1 port=1 dbname=y"} << 1
                                          << "Impossibile collegarsi al server dell'archivio";
}

void TestCopia::wrongArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    for (QString &a : arguments) a.replace("{file}", archivio()).replace("{dir}", g_dir->path());
    const copia::Esito e = copia::esegui(QStringList{"pellavantoria-copia"} + arguments);
    QCOMPARE(e.codice, status);
    QVERIFY2(e.righe.join("\n").contains(message), qPrintable(e.righe.join("\n")));
    QVERIFY(!QFile::exists(g_dir->filePath("manca.db")));
}
