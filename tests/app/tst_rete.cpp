#include "tst_rete.h"

#include "app/Forms.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "data/SharedQueries.h"
#include "db/Connection.h"
#include "db/Schema.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

std::unique_ptr<QTemporaryDir> g_dir;
std::unique_ptr<Seams> g_seams;

QString folder() { return g_dir->path(); }
QString defaultDb() { return QDir(folder()).filePath("archivio.db"); }
QString percorso() { return QDir(folder()).filePath("percorso.txt"); }
db::Connection &conn() { return form_DB->Connessione; }

QString readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString("<missing>");
}

// The program started on its own database beside it, named "Sede locale".
void start()
{
    {
        db::Connection c;
        QVERIFY(c.open(defaultDb()));
        db::schema::ensureCurrent(c);
        c.execute("update ditta set RagSoc = 'Sede locale'");
    }
    CreaForms();
    Form1->terminaApplicazione = [] {};
    Form1->FormActivate();
    QVERIFY(AvvioCompletato);
    QCOMPARE(Form1->Label1->text(), QString("Sede locale"));
}

// The four answers of the server's form for an address.
QStringList fields(const QString &address)
{
    const db::ServerAddress a = db::parseServerAddress(address);
    return {a.host, QString::number(a.port), a.database, a.user};
}

// The program and what it was started with still as before.
void unchanged()
{
    QCOMPARE(conn().path(), defaultDb());
    QVERIFY(!conn().onServer());
    QCOMPARE(readFile(percorso()), defaultDb() + "\n");
    QCOMPARE(PercorsoArchivio, defaultDb());
    QCOMPARE(Form1->Memo1->toPlainText(), defaultDb());
    QCOMPARE(Form1->Label1->text(), QString("Sede locale"));
    QVERIFY(form_DB->Table7->isActive());
    QCOMPARE(form_DB->TableOpzioni->recordCount(), 1);
}

} // namespace

void TestLavoraInRete::init()
{
    g_dir = std::make_unique<QTemporaryDir>();
    g_seams = std::make_unique<Seams>(g_dir->path(), QDateTime(QDate(2026, 3, 15), QTime(9, 0)));
    QDir(folder()).mkpath("aiuto");
    QFile help(QDir(folder()).filePath("aiuto/index.html"));
    QVERIFY(help.open(QIODevice::WriteOnly));
    AvvioCompletato = false;
    PercorsoArchivio.clear();
    RagioneSocialeDitta.clear();
}

void TestLavoraInRete::cleanup()
{
    DistruggiForms();
    QVERIFY2(g_seams->dialogs.clean(), qPrintable(g_seams->dialogs.report()));
    g_seams.reset();
    g_dir.reset();
}

void TestLavoraInRete::serverChosenAndOpenedAtNextStart()
{
    if (!suServer()) QSKIP("needs the tests' PostgreSQL server: runs as TestLavoraInRete.postgres");
    TestDatabase server(TestDatabase::WithSchema);
    server.conn().execute("update ditta set RagSoc = 'Sede sul server'");
    server.conn().execute("insert into TempStampa (NomeComputer) values ('POSTAZIONE1'), ('ALTRA')");
    start();

    g_seams->dialogs.queueChoice(1);
    g_seams->dialogs.queueFields(fields(server.path()));
    Form1->btnLavoraReteClick();
    QVERIFY(conn().onServer());
    QCOMPARE(Form1->Label1->text(), QString("Sede sul server"));
    QCOMPARE(form_DB->TableTempStampa->recordCount(), 1); // this workstation's rows, on the server
    // The address is remembered without a password; the form proposed the usual values.
    const QString address = db::serverAddressText(db::parseServerAddress(server.path()));
    QCOMPARE(readFile(percorso()), address + "\n");
    QCOMPARE(Form1->Memo1->toPlainText(), address);
    QVERIFY(!address.contains("password"));
    QCOMPARE(g_seams->dialogs.lastFieldsShown().value(1), QString("5432"));
    QCOMPARE(g_seams->dialogs.lastFieldsShown().value(2), QString("pellavantoria"));
    // Rows written now are on the server.
    conn().execute("update ditta set RagSoc = 'Sede sul server di Forlì'");
    QCOMPARE(server.conn().scalar("select RagSoc from ditta").toString(), QString("Sede sul server di Forlì"));

    // The next start opens the server named in percorso.txt, and "Lavora in Rete" proposes it.
    DistruggiForms();
    AvvioCompletato = false;
    RagioneSocialeDitta.clear();
    CreaForms();
    Form1->terminaApplicazione = [] {};
    Form1->FormActivate();
    QVERIFY(AvvioCompletato);
    QVERIFY(conn().onServer());
    QCOMPARE(Form1->Label1->text(), QString("Sede sul server di Forlì"));
    g_seams->dialogs.queueChoice(1);
    g_seams->dialogs.queueFields({}, false); // cancelled
    Form1->btnLavoraReteClick();
    QCOMPARE(g_seams->dialogs.lastFieldsShown(), fields(server.path()));
    QVERIFY(conn().onServer());
    QCOMPARE(readFile(percorso()), address + "\n");

    // Back to a file.
    g_seams->dialogs.queueChoice(0);
    g_seams->dialogs.queueOpenFile(defaultDb());
    Form1->btnLavoraReteClick();
    QVERIFY(!conn().onServer());
    QCOMPARE(Form1->Label1->text(), QString("Sede locale"));
    QCOMPARE(readFile(percorso()), defaultDb() + "\n");
}

void TestLavoraInRete::unreachableServerKeepsTheDatabase()
{
    start();
    // Nothing listens on port 1.
    g_seams->dialogs.queueChoice(1);
    g_seams->dialogs.queueFields({"127.0.0.1", "1", "pellavantoria", "ufficio"});
    g_seams->dialogs.expectMessage("Impossibile collegarsi al server dell'archivio");
    Form1->btnLavoraReteClick();
    unchanged();
    QCOMPARE(g_seams->dialogs.messages().size(), 1);
}

void TestLavoraInRete::wrongFormChangesNothing_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::newRow("no server") << QStringList{" ", "5432", "pellavantoria", "ufficio"};
    QTest::newRow("port not a number") << QStringList{"server", "porta", "pellavantoria", "ufficio"};
    QTest::newRow("port 0") << QStringList{"server", "0", "pellavantoria", "ufficio"};
    QTest::newRow("port too high") << QStringList{"server", "65536", "pellavantoria", "ufficio"};
    QTest::newRow("no database") << QStringList{"server", "5432", "", "ufficio"};
}

void TestLavoraInRete::wrongFormChangesNothing()
{
    QFETCH(QStringList, answers);
    start();
    g_seams->dialogs.queueChoice(1);
    g_seams->dialogs.queueFields(answers);
    g_seams->dialogs.expectMessage("Attenzione indicare il server");
    Form1->btnLavoraReteClick();
    unchanged();
    QCOMPARE(g_seams->dialogs.messages().size(), 1);
}
