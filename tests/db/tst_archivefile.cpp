#include "tst_archivefile.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "db/Transaction.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

// A small database file with a few hundred rows, so that it spans many pages.
void fillArchive(db::Connection &c)
{
    c.executeNative("CREATE TABLE Colori (Id INTEGER PRIMARY KEY AUTOINCREMENT, Descrizione TEXT COLLATE UNOCASE NOT NULL,"
                    " Codice TEXT UNIQUE);"
                    "CREATE INDEX Colori_Descrizione ON Colori (Descrizione);");
    db::Transaction tx(c);
    for (int i = 0; i < 600; ++i)
        c.execute(QString("insert into Colori (Descrizione, Codice) values ('colore numero %1 della tabella', 'C%1')").arg(i));
    tx.commit();
}

void overwrite(const QString &path, qint64 at, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.seek(at));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Provokes one real failure on a real file; returns what the user would read.
QString provoke(const QString &condition, const QString &folder)
{
    const QString path = folder + "/archivio.db";
    auto c = std::make_unique<db::Connection>();
    if (condition == "missing folder") {
        if (c->open(folder + "/manca/archivio.db")) return "opened";
        return c->error();
    }
    if (!c->open(path)) return "not opened: " + c->error();
    fillArchive(*c);
    const QString insert = "insert into Colori (Descrizione, Codice) values ('nuovo', 'N1')";
    try {
        if (condition == "locked") {
            db::Connection other;
            other.open(path);
            db::Transaction holding(other);
            other.execute("update Colori set Descrizione = 'altro' where Id = 1");
            c->executeNative("PRAGMA busy_timeout = 50");
            c->execute(insert);
        } else if (condition == "moved") {
            QFile::rename(path, folder + "/spostato.db");
            c->execute(insert);
        } else if (condition == "read only") {
            // Root writes through a 0444 file; the engine's own switch gives the same failure.
            c->executeNative("PRAGMA query_only = 1");
            c->execute(insert);
        } else if (condition == "full") {
            const int pages = c->scalar("select page_count from pragma_page_count").toInt();
            c->executeNative(QString("PRAGMA max_page_count = %1").arg(pages));
            c->execute("insert into Colori (Descrizione) values ('" + QString(20000, u'x') + "')");
        } else if (condition == "duplicate") {
            c->execute("insert into Colori (Descrizione, Codice) values ('doppio', 'C7')");
        } else if (condition == "missing value") {
            c->execute("insert into Colori (Codice) values ('X1')");
        } else if (condition == "damaged page") {
            c.reset();
            // The schema's page is whole, the rows' pages are garbage.
            overwrite(path, 2 * 4096, QByteArray(int(QFile(path).size()) - 2 * 4096, '\xff'));
            c = std::make_unique<db::Connection>();
            if (!c->open(path)) return "not opened: " + c->error();
            c->scalar("select sum(length(Descrizione)) from Colori");
        } else {
            // A file cut short or garbage from the start: the archive does not even open.
            c.reset();
            if (condition == "truncated") {
                if (!QFile::resize(path, QFile(path).size() / 2)) return "not cut";
            } else {
                overwrite(path, 0, QByteArray(8192, 'x'));
            }
            c = std::make_unique<db::Connection>();
            if (c->open(path)) return "opened";
            return c->error();
        }
    } catch (const db::DbError &e) {
        return e.message();
    }
    return "no error";
}

} // namespace

void TestArchiveFile::engineFailuresSpeakItalian_data()
{
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("engine");
    QTest::newRow("locked") << "L'archivio è occupato da un'altra postazione" << "database is locked";
    QTest::newRow("moved") << "Il file dell'archivio è stato spostato" << "attempt to write a readonly database";
    QTest::newRow("read only") << "L'archivio è in sola lettura" << "attempt to write a readonly database";
    QTest::newRow("full") << "Il disco dell'archivio è pieno" << "database or disk is full";
    QTest::newRow("duplicate") << "Il valore è già presente nell'archivio" << "UNIQUE constraint failed: Colori.Codice";
    QTest::newRow("missing value") << "Manca un dato obbligatorio" << "NOT NULL constraint failed: Colori.Descrizione";
    QTest::newRow("damaged page") << "L'archivio è danneggiato" << "database disk image is malformed";
    QTest::newRow("truncated") << "L'archivio è danneggiato" << "database disk image is malformed";
    QTest::newRow("garbage") << "Il file aperto non è un archivio del programma" << "file is not a database";
    QTest::newRow("missing folder") << "Impossibile aprire il file dell'archivio" << "unable to open database file";
}

void TestArchiveFile::engineFailuresSpeakItalian()
{
    QFETCH(QString, sentence);
    QFETCH(QString, engine);
    QTemporaryDir dir;
    const QString message = provoke(QTest::currentDataTag(), dir.path());
    QVERIFY2(message.startsWith(sentence), qPrintable(message));
    // The engine's own words follow, on a line of their own.
    QVERIFY2(message.contains("\n" + engine), qPrintable(message));
}

namespace {

// Runs the stock sqlite3 tool on a database file with a script; its output and errors.
QString sqliteTool(const QString &path, const QString &script)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("sqlite3", {"-batch", path});
    if (!p.waitForStarted()) return "sqlite3 not started";
    p.write(script.toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished(60000)) return "sqlite3 did not finish";
    return QString::fromUtf8(p.readAll());
}

} // namespace

void TestArchiveFile::sqliteToolLoadsTheFunctions()
{
    Seams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("insert into finanzia (Data, Operazione) values (#3/9/2024#, 'bianchi'), (#1/2/2025#, 'Àrea'),"
                     " (#12/31/2023#, 'alfa'), (#6/1/2026#, 'Zeta')");
    const QString query = "SELECT Operazione || ' ' || Year(Data) FROM finanzia ORDER BY Operazione;\n"
                          "SELECT 'simile: ' || Operazione FROM finanzia WHERE Operazione LIKE 'àR%';\n";
    // Without the extension the stock tool cannot even check the file.
    QVERIFY2(sqliteTool(d.path(), "PRAGMA integrity_check;\n" + query).contains("no such collation sequence: UNOCASE"),
             "the schema does not need the collation");
    // The extension sits beside the programs of the build.
    const QString extension = QCoreApplication::applicationDirPath() + "/pellavantoria_sqlite";
    QVERIFY2(QFile::exists(extension + ".so"), qPrintable(extension));
    const QString load = ".bail on\n.load " + extension + "\n";
    const QStringList expected = {"ok", "alfa 2023", "bianchi 2024", "Zeta 2026", "Àrea 2025", "simile: Àrea"};
    QCOMPARE(sqliteTool(d.path(), load + "PRAGMA integrity_check;\n" + query).split(u'\n', Qt::SkipEmptyParts), expected);
    // What the archive holds, dumped and read into a new file with its version, as the README tells.
    const QString dump = sqliteTool(d.path(), load + ".dump\n");
    QVERIFY2(dump.contains("COLLATE UNOCASE"), qPrintable(dump.left(500)));
    const QString version = sqliteTool(d.path(), "PRAGMA user_version;\n").trimmed();
    QCOMPARE(version, QString::number(db::schema::currentVersion()));
    const QString copy = d.folder() + "/nuovo.db";
    QCOMPARE(sqliteTool(copy, load + dump + "PRAGMA user_version = " + version + ";\nPRAGMA integrity_check;\n" + query)
                 .split(u'\n', Qt::SkipEmptyParts),
             expected);
    db::Connection reopened;
    QVERIFY2(reopened.open(copy), qPrintable(reopened.error()));
    QCOMPARE(db::schema::version(reopened), db::schema::currentVersion());
}
