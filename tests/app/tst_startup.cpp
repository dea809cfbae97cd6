#include "tst_startup.h"

#include "app/Forms.h"
#include "app/Frm1.h"
#include "app/SingleInstance.h"
#include "app/Splash.h"
#include "data/DB.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "settings/Password.h"
#include "settings/Realizzazione.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

using namespace testing_support;

namespace {

std::unique_ptr<QTemporaryDir> g_dir;
std::unique_ptr<Seams> g_seams;
int g_terminated = 0;

QString folder() { return g_dir->path(); }
QString defaultDb() { return QDir(folder()).filePath("archivio.db"); }

void writeFile(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QString readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString("<missing>");
}

// A database file with the program's schema, prepared by the test before the start-up.
void prepareDb(const QString &path, const QStringList &accessSql)
{
    db::Connection c;
    QVERIFY(c.open(path));
    db::schema::ensureCurrent(c);
    for (const QString &s : accessSql) c.execute(s);
}

db::Connection &conn() { return form_DB->Connessione; }
QVariant scalar(const QString &sql) { return conn().scalar(sql); }

void start()
{
    CreaForms();
    Form1->terminaApplicazione = [] { ++g_terminated; };
    Form1->FormActivate();
}

} // namespace

void TestStartup::init()
{
    g_dir = std::make_unique<QTemporaryDir>();
    g_seams = std::make_unique<Seams>(g_dir->path(), QDateTime(QDate(2026, 3, 15), QTime(9, 0)));
    g_seams->workstation.name = "POSTAZIONE1";
    // The help's start page beside the program.
    QDir(folder()).mkpath("aiuto");
    writeFile(QDir(folder()).filePath("aiuto/index.html"), "<html></html>");
    g_terminated = 0;
    AvvioCompletato = false;
    PercorsoArchivio.clear();
    RagioneSocialeDitta.clear();
}

void TestStartup::cleanup()
{
    DistruggiForms();
    QVERIFY2(g_seams->dialogs.clean(), qPrintable(g_seams->dialogs.report()));
    g_seams.reset();
    g_dir.reset();
}

void TestStartup::firstStartCreatesDatabaseAndPath()
{
    start();
    QVERIFY(AvvioCompletato);
    QCOMPARE(readFile(QDir(folder()).filePath("percorso.txt")), defaultDb() + "\n");
    QVERIFY(QFile::exists(defaultDb()));
    QCOMPARE(Form1->Memo1->toPlainText(), defaultDb());
    QCOMPARE(conn().path(), defaultDb());
    QCOMPARE(scalar("select count(*) from opzioni").toInt(), 1);
    QCOMPARE(Form1->Label1->text(), QString());
    QCOMPARE(NomeComputerLocale, QString("POSTAZIONE1"));
}

void TestStartup::pathFileIsTrimmedOrRewritten_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("useOther");
    QTest::addColumn<bool>("rewritten");
    QTest::newRow("blanks only") << QByteArray("  \r\n \n") << false << true;
    QTest::newRow("path with line break") << QByteArray("%1\r\n") << true << false;
    QTest::newRow("path with blanks") << QByteArray("   %1   ") << true << false;
}

void TestStartup::pathFileIsTrimmedOrRewritten()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, useOther);
    QFETCH(bool, rewritten);
    const QString other = QDir(folder()).filePath("altro/archivio.db");
    QDir(folder()).mkpath("altro");
    prepareDb(other, {"update ditta set RagSoc = 'Soccorso Rossi Srl'"});
    const QString text = QString::fromUtf8(content).arg(other);
    writeFile(QDir(folder()).filePath("percorso.txt"), text.toUtf8());
    start();
    QVERIFY(AvvioCompletato);
    QCOMPARE(conn().path(), useOther ? other : defaultDb());
    QCOMPARE(readFile(QDir(folder()).filePath("percorso.txt")), rewritten ? defaultDb() + "\n" : text);
    QCOMPARE(Form1->Label1->text(), useOther ? QString("Soccorso Rossi Srl") : QString());
}

void TestStartup::missingDatabaseElsewhereIsNotCreated()
{
    const QString missing = QDir(folder()).filePath("rete/archivio.db");
    QDir(folder()).mkpath("rete");
    writeFile(QDir(folder()).filePath("percorso.txt"), missing.toUtf8());
    g_seams->dialogs.expectMessage("non esiste");
    start();
    QVERIFY(!AvvioCompletato);
    QVERIFY(!QFile::exists(missing));
    QVERIFY(!conn().isOpen());
    // The next activation tries again from the beginning.
    prepareDb(missing, {});
    Form1->FormActivate();
    QVERIFY(AvvioCompletato);
    QCOMPARE(conn().path(), missing);
}

void TestStartup::updateScriptRunsOnceAndWhole()
{
    prepareDb(defaultDb(), {});
    const QString script = QDir(folder()).filePath("SQLAggio.sql");
    writeFile(script, "ALTER TABLE Clienti ADD COLUMN Nuova TEXT(50);\r\n"
                      "ALTER TABLE Clienti ADD Flag YESNO;\n  ;\n"
                      "insert into Colori (Descrizione) values ('Rosso; scuro');\n");
    start();
    QVERIFY(AvvioCompletato);
    QVERIFY(!QFile::exists(script));
    QVERIFY(conn().columnNames("Clienti").contains("Nuova"));
    QCOMPARE(scalar("select Descrizione from Colori").toString(), QString("Rosso; scuro"));
    // The new yes/no column follows the program's rules: never null.
    conn().execute("insert into Clienti (NominativoVisualizzato) values ('x')");
    QCOMPARE(scalar("select Flag from Clienti").toInt(), 0);
    QCOMPARE(scalar("select 'a' || Nuova || 'b' from Clienti where Nuova is null").isNull(), true);
}

void TestStartup::failingUpdateScriptChangesNothing()
{
    prepareDb(defaultDb(), {});
    const QString script = QDir(folder()).filePath("SQLAggio.sql");
    writeFile(script, "insert into Colori (Descrizione) values ('Blu');\nupdate Inesistente set x = 1;\n");
    g_seams->dialogs.expectMessage("update Inesistente set x = 1");
    start();
    QVERIFY(AvvioCompletato); // the start-up goes on
    QVERIFY(QFile::exists(script));
    QCOMPARE(scalar("select count(*) from Colori").toInt(), 0);
    QCOMPARE(g_seams->dialogs.messages().last().caption, QString("Messaggio di errore"));
}

void TestStartup::rollOverAndWorkstationRows()
{
    prepareDb(defaultDb(),
              {"insert into finanzia (Operazione, Data, Storico) values ('vecchia', #12/31/2025#, false), "
               "('riaperta', #1/2/2026#, true), ('futura', #1/5/2027#, true)",
               "insert into fattura (Num, Carico, Data, DataRegistrazione, Storico) values (1, true, #12/20/2025#, #1/10/2026#, false), "
               "(2, false, #12/20/2025#, null, false)",
               "insert into Calendario (Data, Conclusa, Storico) values (#6/1/2025#, false, false), (#6/1/2025#, true, false)",
               "insert into Sequestri (Data, Storico) values (#2/1/2026#, true)",
               "insert into PreventiTestata (Numero, Data, Storico) values (1, #12/31/2025#, false), (2, #3/1/2026#, true), "
               "(3, #2/1/2027#, true)",
               "insert into FatturaScadenze (DataPagamento, Pagato) values (#1/10/2026#, false), (null, true)",
               "insert into TempStampa (NomeComputer) values ('POSTAZIONE1'), ('ALTRA')",
               "insert into TempBilancio (NomeComputer) values ('POSTAZIONE1'), ('ALTRA')",
               "insert into TempoEtichette (NomeComputer, Descrizione) values ('POSTAZIONE1', 'a'), ('ALTRA', 'b')"});
    start();
    QVERIFY(AvvioCompletato);
    QCOMPARE(scalar("select Storico & Storico & Storico from finanzia where Operazione = 'vecchia'").toString(), QString("111"));
    QCOMPARE(scalar("select Storico from finanzia where Operazione = 'riaperta'").toInt(), 0);
    QCOMPARE(scalar("select Storico from finanzia where Operazione = 'futura'").toInt(), 1);
    QCOMPARE(scalar("select Storico from fattura where Num = '1'").toInt(), 0); // registered this year
    QCOMPARE(scalar("select Storico from fattura where Num = '2'").toInt(), 1);
    QCOMPARE(scalar("select sum(Storico) from Calendario").toInt(), 1);
    QCOMPARE(scalar("select Storico from Sequestri").toInt(), 1);
    QCOMPARE(scalar("select group_concat(Storico, '') from (select Storico from PreventiTestata order by Numero)").toString(),
             QString("101")); // last year in, this year out, next year untouched
    QCOMPARE(scalar("select count(*) from FatturaScadenze where Pagato = (DataPagamento is not null)").toInt(), 2);
    QCOMPARE(scalar("select count(*) from TempStampa").toInt(), 1);
    QCOMPARE(scalar("select NomeComputer from TempStampa").toString(), QString("ALTRA"));
    QCOMPARE(scalar("select count(*) from TempBilancio").toInt(), 1);
    QCOMPARE(scalar("select NomeComputer from TempoEtichette").toString(), QString("ALTRA"));
}

void TestStartup::sharedQueriesBoundToWorkstation()
{
    g_seams->workstation.name = "PC dell'ufficio";
    prepareDb(defaultDb(), {"insert into TempStampa (NomeComputer) values ('ALTRA')",
                            "insert into Clienti (NominativoVisualizzato, Annullato) values ('Attivo', false), ('Ritirato', true)"});
    start();
    QVERIFY(AvvioCompletato);
    int open = 0;
    for (db::Query *q : form_DB->queries()) open += q->isActive() ? 1 : 0;
    QCOMPARE(open, 98);
    QVERIFY(!form_DB->TableMovimentiCarico->isActive());
    QVERIFY(!form_DB->TableTrovaFattura->isActive());
    QVERIFY(!form_DB->TablePersonaleStipendi->isActive());
    QCOMPARE(form_DB->TableTempStampa->recordCount(), 0);
    // The workstation has its notice row, exactly one even after a second binding.
    QCOMPARE(scalar("select count(*) from TempAvvisi where NomeComputer = 'PC dell''ufficio'").toInt(), 1);
    Form1->cmdConnessioneClick();
    QCOMPARE(scalar("select count(*) from TempAvvisi").toInt(), 1);
    // The default filters hide withdrawn customers.
    QCOMPARE(form_DB->Table7->recordCount(), 1);
}

void TestStartup::laterActivationsOnlyFilter()
{
    start();
    QVERIFY(AvvioCompletato);
    form_DB->Table7->setFilter("");
    form_DB->TableIva->setFilter("Descrizione like 'a*'");
    form_DB->TableCalendario->setFilter("Conclusa = true");
    writeFile(QDir(folder()).filePath("SQLAggio.sql"), "insert into Colori (Descrizione) values ('Blu')");
    Form1->FormActivate();
    QCOMPARE(form_DB->Table7->filter(), QString("Annullato = false"));
    QCOMPARE(form_DB->TableIva->filter(), QString());
    QCOMPARE(form_DB->TableCalendario->filter(), QString("Conclusa = true"));
    QVERIFY(QFile::exists(QDir(folder()).filePath("SQLAggio.sql"))); // not run again
}

void TestStartup::passwordAsTyped_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("right") << "Segreta1" << "Segreta1" << true;
    QTest::newRow("case counts") << "Segreta1" << "segreta1" << false;
    QTest::newRow("apostrophe") << "l'ufficio" << "l'ufficio" << true;
    QTest::newRow("empty typed") << "x" << "" << false;
}

void TestStartup::passwordAsTyped()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    prepareDb(defaultDb(), {"update opzioni set PasswordAmministratore = '" + QString(stored).replace("'", "''") + "'"});
    CreaForms();
    Form1->terminaApplicazione = [] { ++g_terminated; };
    // The dialog is modal: type into it once it shows.
    QTimer::singleShot(0, [typed] {
        QTest::keyClicks(frmPass->Edit1, typed);
        QTest::keyClick(frmPass->Edit1, Qt::Key_Return);
    });
    QTimer::singleShot(5000, frmPass, &QDialog::reject); // never hang if the box did not close
    Form1->FormActivate();
    QCOMPARE(AvvioCompletato, accepted);
    QCOMPARE(g_terminated, accepted ? 0 : 1);
}

void TestStartup::startTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("caption");
    QTest::newRow("empty means Archivio") << -1 << "Archivio  ";
    QTest::newRow("video") << 8 << "Video";
    QTest::newRow("scadenziario") << 6 << "Scadenziario  ";
}

void TestStartup::startTab()
{
    QFETCH(int, tab);
    QFETCH(QString, caption);
    prepareDb(defaultDb(), {tab < 0 ? QString("update opzioni set TabIniziale = null") : QString("update opzioni set TabIniziale = %1").arg(tab)});
    start();
    QCOMPARE(Form1->pgcBarra->tabText(Form1->pgcBarra->currentIndex()), caption);
}

void TestStartup::menuButtonsWaitForTheirForms()
{
    CreaForms();
    QCOMPARE(Form1->pgcBarra->count(), 9);
    const QStringList tabs = {"Archivio  ", "Attività", "Documenti Clienti  ", "Documenti Fornitori  ", "Stampe  ",
                              "Storico  ", "Scadenziario  ", "Utility", "Video"};
    for (int i = 0; i < tabs.size(); ++i) QCOMPARE(Form1->pgcBarra->tabText(i), tabs[i]);
    QVERIFY(Form1->menuButton(TForm1::tabArchivio, "Mododalità Pagamento"));
    QVERIFY(!Form1->menuButton(TForm1::tabArchivio, "Clienti")->isEnabled());
    QVERIFY(Form1->menuButton(TForm1::tabUtility, "Realizzazione")->isEnabled());
    QCOMPARE(Form1->menuButton(TForm1::tabDocFornitori, "Importa fattura elettronica xml")->toolTip(),
             QString("importa documento da un file XML"));
    QCOMPARE(Form1->pgcBarra->widget(TForm1::tabArchivio)->findChildren<QToolButton *>().size(), 21);
}

void TestStartup::workOnAnotherDatabase()
{
    start();
    const QString other = QDir(folder()).filePath("sede/archivio.db");
    QDir(folder()).mkpath("sede");
    prepareDb(other, {"update ditta set RagSoc = 'Sede Centrale'", "insert into TempStampa (NomeComputer) values ('POSTAZIONE1')"});
    g_seams->dialogs.queueOpenFile(other);
    Form1->btnLavoraReteClick();
    QCOMPARE(conn().path(), other);
    QCOMPARE(Form1->Label1->text(), QString("Sede Centrale"));
    QCOMPARE(readFile(QDir(folder()).filePath("percorso.txt")), other + "\n");
    QCOMPARE(Form1->Memo1->toPlainText(), other);
    QCOMPARE(form_DB->TableTempStampa->recordCount(), 1); // bound again, nothing else of the start-up
    // Back to a database without a company name: the label empties.
    g_seams->dialogs.queueOpenFile(defaultDb());
    Form1->btnLavoraReteClick();
    QCOMPARE(Form1->Label1->text(), QString());
}

void TestStartup::workOnAnotherDatabaseCancelledOrRefused()
{
    start();
    g_seams->dialogs.queueOpenFile(QString()); // cancelled
    Form1->btnLavoraReteClick();
    QCOMPARE(conn().path(), defaultDb());
    const QString junk = QDir(folder()).filePath("junk/archivio.db");
    QDir(folder()).mkpath("junk");
    writeFile(junk, QByteArray(2048, 'x'));
    g_seams->dialogs.queueOpenFile(junk);
    g_seams->dialogs.expectMessage("Impossibile aprire il database");
    Form1->btnLavoraReteClick();
    QCOMPARE(readFile(QDir(folder()).filePath("percorso.txt")), defaultDb() + "\n");
    QCOMPARE(conn().path(), defaultDb()); // back on the database in use
    QVERIFY(form_DB->Table7->isActive());
}

void TestStartup::singleInstanceAndPrinterCheck()
{
    QTemporaryDir lockDir;
    SingleInstance first(lockDir.path());
    QVERIFY(first.isFirst());
    SingleInstance second(lockDir.path());
    QVERIFY(!second.isFirst());
    g_seams->dialogs.expectMessage("Pellavantoria e' già in esecuzione");
    SingleInstance::avvisaGiaInEsecuzione();
    QCOMPARE(g_seams->dialogs.messages().last().caption, QString("Messaggio di Avviso !"));

    TSplashForm splash;
    QVERIFY(splash.FormActivate());
    g_seams->workstation.printer = false;
    g_seams->dialogs.expectMessage("almeno una stampante");
    QVERIFY(!splash.FormActivate());
    QCOMPARE(g_seams->dialogs.messages().last().caption, QString("Messaggio di avviso!!"));
}

void TestStartup::historyDateRange()
{
    bool diversi = false;
    QCOMPARE(FiltroDate("05/01/2024", "31/12/2024", diversi, false),
             QString("WHERE Data >= #1/5/2024# AND Data <= #12/31/2024 23.59.59#"));
    QVERIFY(!diversi);
    QCOMPARE(FiltroDate("01/12/2024", "15/01/2025", diversi, true),
             QString("WHERE DataRegistrazione >= #12/1/2024# AND DataRegistrazione <= #1/15/2025 23.59.59#"));
    QVERIFY(diversi);
    QVERIFY_THROWS_EXCEPTION(db::DbError, FiltroDate("  /  /    ", "31/12/2024", diversi, false));
}

void TestStartup::aboutBoxAndExit()
{
    start();
    Form1->menuButton(TForm1::tabUtility, "Realizzazione")->click();
    QVERIFY(frmRealizzazione->isVisible());
    QVERIFY(!frmRealizzazione->isModal());
    QCOMPARE(frmRealizzazione->Label1->text(), QString("Programma Pellavantoria"));
    frmRealizzazione->spdIndietro->click();
    QVERIFY(!frmRealizzazione->isVisible());
    Form1->btnEsci->click();
    QCOMPARE(g_terminated, 1);
    QVERIFY(!conn().isOpen());
}
