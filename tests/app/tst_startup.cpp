#include "tst_startup.h"

#include "app/Forms.h"
#include "app/Frm1.h"
#include "app/SingleInstance.h"
#include "app/Splash.h"
#include "data/DB.h"
#include "data/SharedQueries.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "widgets/MaskedDateEdit.h"
#include "settings/Password.h"
#include "settings/Realizzazione.h"
#include "support/TestSupport.h"

#include <QDialog>
#include <QGroupBox>
#include <QUrl>
#include <QDir>
#include <QFileInfo>
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

void TestStartup::missingDatabaseElsewhereIsNotCreated_data()
{
    QTest::addColumn<bool>("emptyFile");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << false << "non esiste";
    QTest::newRow("zero bytes") << true << "è un file vuoto";
}

void TestStartup::missingDatabaseElsewhereIsNotCreated()
{
    QFETCH(bool, emptyFile);
    QFETCH(QString, message);
    const QString missing = QDir(folder()).filePath("rete/archivio.db");
    QDir(folder()).mkpath("rete");
    if (emptyFile) writeFile(missing, QByteArray());
    writeFile(QDir(folder()).filePath("percorso.txt"), missing.toUtf8());
    g_seams->dialogs.expectMessage(message);
    start();
    QVERIFY(!AvvioCompletato);
    QCOMPARE(QFileInfo(missing).exists(), emptyFile);
    QCOMPARE(QFileInfo(missing).size(), 0);
    QVERIFY(!conn().isOpen());
    // The failure is not repeated at the next activation: the pass waits for a database.
    Form1->FormActivate();
    QVERIFY(!AvvioCompletato);
    QCOMPARE(g_seams->dialogs.messages().size(), 1);
    // Choosing a good database with "Lavora in Rete" runs the whole start-up on it.
    const QString good = QDir(folder()).filePath("sede/archivio.db");
    QDir(folder()).mkpath("sede");
    prepareDb(good, {"update ditta set RagSoc = 'Sede'"});
    g_seams->dialogs.queueChoice(0);
    g_seams->dialogs.queueOpenFile(good);
    Form1->btnLavoraReteClick();
    QVERIFY(AvvioCompletato);
    QCOMPARE(conn().path(), good);
    QCOMPARE(Form1->Label1->text(), QString("Sede"));
    QCOMPARE(readFile(QDir(folder()).filePath("percorso.txt")), good + "\n");
}

void TestStartup::failedStartIsShownOnceUnderRealActivation()
{
    const QString missing = QDir(folder()).filePath("rete/archivio.db");
    writeFile(QDir(folder()).filePath("percorso.txt"), missing.toUtf8());
    CreaForms();
    Form1->terminaApplicazione = [] { ++g_terminated; };
    g_seams->dialogs.expectMessage("non esiste");
    Form1->show();
    Form1->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QTRY_COMPARE(g_seams->dialogs.messages().size(), 1);
    // Another window comes and goes (as the message box did): the main window is activated
    // again, and the failure is not shown again.
    for (int i = 0; i < 3; ++i) {
        QDialog other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        other.close();
        Form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
    }
    QTest::qWait(20);
    QCOMPARE(g_seams->dialogs.messages().size(), 1);
    QVERIFY(!AvvioCompletato);
    // What needs a database is disabled; the about box, the videos, "Lavora in Rete" and "Esci" work.
    QVERIFY(!Form1->menuButton(TForm1::tabArchivio, "Colori")->isEnabled());
    QVERIFY(!Form1->menuButton(TForm1::tabStampe, "Clienti")->isEnabled());
    QVERIFY(Form1->menuButton(TForm1::tabUtility, "Realizzazione")->isEnabled());
    QVERIFY(Form1->menuButton(TForm1::tabVideo, "Griglie")->isEnabled());
    QVERIFY(Form1->btnLavoraRete->isEnabled());
    QVERIFY(Form1->btnEsci->isEnabled());
    const QString good = QDir(folder()).filePath("sede/archivio.db");
    QDir(folder()).mkpath("sede");
    prepareDb(good, {});
    g_seams->dialogs.queueChoice(0);
    g_seams->dialogs.queueOpenFile(good);
    Form1->btnLavoraRete->click();
    QVERIFY(AvvioCompletato);
    QVERIFY(Form1->menuButton(TForm1::tabArchivio, "Colori")->isEnabled());
    QVERIFY(Form1->menuButton(TForm1::tabStampe, "Clienti")->isEnabled());
    QVERIFY(Form1->menuButton(TForm1::tabArchivio, "Clienti")->isEnabled());
    QVERIFY(Form1->menuButton(TForm1::tabAttivita, "Chiusura Iva")->isEnabled());
    QVERIFY(!Form1->menuButton(TForm1::tabAttivita, "Esportazioni")->isEnabled()); // its form is not built yet
    Form1->btnEsci->click();
    QCOMPARE(g_terminated, 1);
}

void TestStartup::errorWhileCreatingFormsIsShown()
{
    g_seams->dialogs.expectMessage("creazione delle finestre");
    const bool ok = CreaFormsSegnalando([] {
        CreaForms();
        throw std::runtime_error("risorsa mancante");
    });
    QVERIFY(!ok);
    QVERIFY(g_seams->dialogs.messages().last().text.contains("risorsa mancante"));
    QCOMPARE(g_seams->dialogs.messages().last().caption, QString("Messaggio di errore"));
    QVERIFY(!Form1);
    QVERIFY(!form_DB);
    QVERIFY(CreaFormsSegnalando());
    QVERIFY(Form1);
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

void TestStartup::updateScriptCommentsEndAtTheLine()
{
    prepareDb(defaultDb(), {"insert into Colori (Descrizione) values ('x'), ('y')"});
    writeFile(QDir(folder()).filePath("SQLAggio.sql"), "delete * from Colori -- prove\nwhere Descrizione = 'x';\n"
                                                       "/* nota; con punto e virgola */ update Colori set Descrizione = 'z' -- nota\n"
                                                       "where Descrizione = 'nessuno';\n");
    start();
    QVERIFY(AvvioCompletato);
    QCOMPARE(scalar("select group_concat(Descrizione) from Colori").toString(), QString("y"));
}

void TestStartup::updateScriptNeverAppliedTwice()
{
    prepareDb(defaultDb(), {});
    const QString script = QDir(folder()).filePath("SQLAggio.sql");
    const QByteArray text = "insert into Colori (Descrizione) values ('Blu');\n";
    writeFile(script, text);
    start();
    QVERIFY(AvvioCompletato);
    QCOMPARE(scalar("select count(*) from AggiornamentiApplicati").toInt(), 1);
    QCOMPARE(scalar("select NomeComputer from AggiornamentiApplicati").toString(), QString("POSTAZIONE1"));
    // The same script found again (another workstation's copy, or a file that could not be
    // deleted) is not applied again, and goes away.
    writeFile(script, text);
    DistruggiForms();
    AvvioCompletato = false;
    start();
    QVERIFY(AvvioCompletato);
    QCOMPARE(scalar("select count(*) from Colori").toInt(), 1);
    QVERIFY(!QFile::exists(script));
    // A different script is.
    writeFile(script, "insert into Colori (Descrizione) values ('Rosso');\n");
    DistruggiForms();
    AvvioCompletato = false;
    start();
    QCOMPARE(scalar("select count(*) from Colori").toInt(), 2);
    QCOMPARE(scalar("select count(*) from AggiornamentiApplicati").toInt(), 2);
}

void TestStartup::updateScriptTransactionStatements_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("applied");
    QTest::newRow("wrapped in BEGIN and COMMIT")
        << QByteArray("-- aggiunge due colori\nBEGIN TRANSACTION;\ninsert into Colori (Descrizione) values ('Blu'); -- il primo\n"
                      "insert into Colori (Descrizione) values ('Rosso');\nCOMMIT;\n")
        << true;
    QTest::newRow("COMMIT half way") << QByteArray("insert into Colori (Descrizione) values ('Blu');\nCOMMIT;\n"
                                                   "insert into Colori (Descrizione) values ('Rosso');\n")
                                     << false;
    QTest::newRow("ROLLBACK at the end") << QByteArray("BEGIN;\ninsert into Colori (Descrizione) values ('Blu');\nROLLBACK;\n")
                                         << false;
    QTest::newRow("comment before COMMIT") << QByteArray("insert into Colori (Descrizione) values ('Blu');\n/* fine */ COMMIT;\n"
                                                         "insert into Colori (Descrizione) values ('Rosso');\n")
                                           << false;
    QTest::newRow("savepoint") << QByteArray("savepoint a;\ninsert into Colori (Descrizione) values ('Blu');\n") << false;
}

void TestStartup::updateScriptTransactionStatements()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, applied);
    prepareDb(defaultDb(), {});
    const QString script = QDir(folder()).filePath("SQLAggio.sql");
    writeFile(script, text);
    if (!applied) g_seams->dialogs.expectMessage("istruzione di transazione");
    // No box is open while the write lock is held: the other workstations would wait for it.
    int aperte = -1;
    g_seams->dialogs.setOnMessage([&](const QString &) { aperte = form_DB->Connessione.transactionDepth(); });
    start();
    g_seams->dialogs.setOnMessage({});
    QCOMPARE(aperte, applied ? -1 : 0);
    QVERIFY(AvvioCompletato); // the start-up goes on either way
    QCOMPARE(scalar("select count(*) from Colori").toInt(), applied ? 2 : 0);
    QCOMPARE(QFile::exists(script), !applied);
    QCOMPARE(scalar("select count(*) from AggiornamentiApplicati").toInt(), applied ? 1 : 0);
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

void TestStartup::rollOverRunsAtStart()
{
    prepareDb(defaultDb(), {"insert into finanzia (Operazione, Data, Storico) values ('x', #12/31/2025#, false)",
                            "insert into Sequestri (Data, Storico) values (#11/1/2025#, false)"});
    start();
    QVERIFY(AvvioCompletato);
    QCOMPARE(scalar("select Storico from finanzia").toInt(), 1);
    QCOMPARE(scalar("select Storico from Sequestri").toInt(), 1);
}

void TestStartup::workstationRowsCleared()
{
    prepareDb(defaultDb(),
              {"insert into TempStampa (NomeComputer) values ('POSTAZIONE1'), ('ALTRA')",
               "insert into TempBilancio (NomeComputer) values ('POSTAZIONE1'), ('ALTRA')",
               "insert into TempAvvisiClienti (NomeComputer) values ('POSTAZIONE1'), ('ALTRA')",
               "insert into TempAvvisi (NomeComputer, Testo) values ('POSTAZIONE1', 'vecchio'), ('ALTRA', 'altro')",
               "insert into TempoEtichette (NomeComputer, Descrizione) values ('POSTAZIONE1', 'a'), ('ALTRA', 'b')"});
    start();
    QVERIFY(AvvioCompletato);
    for (const char *table : {"TempStampa", "TempBilancio", "TempAvvisiClienti", "TempoEtichette"})
        QCOMPARE(scalar(QString("select group_concat(NomeComputer) from %1").arg(table)).toString(), QString("ALTRA"));
    // The notice row of this workstation is made anew, empty; the other's is kept.
    QCOMPARE(scalar("select count(*) from TempAvvisi where NomeComputer = 'POSTAZIONE1' and Testo is null").toInt(), 1);
    QCOMPARE(scalar("select Testo from TempAvvisi where NomeComputer = 'ALTRA'").toString(), QString("altro"));
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
    // The default filters, dataset by dataset: withdrawn rows hidden on four, every row on 39,
    // the others keep what a list left on them.
    const QStringList hidden = {"Table1", "Table7", "Table9", "TablePersonale"};
    const QStringList cleared = {
        "Table2", "Table3", "Table4", "Table5", "TableIva", "Table11", "Table12", "Table16", "TableVettore", "TableNotaCredito",
        "TableModPaga", "TableNCRighe", "TableColli", "TableFatturaStorico", "TableFatturaScadenze", "TableMovimentiCarico",
        "TableProvince", "TableRegioni", "TableModelli", "TableReparti", "TableMovimentiCaricoTestata", "TableAspetto",
        "TablePorto", "TableCategoriaClienti", "TableCategorieFornitori", "TablePersonalizzazioni", "TableSerieFatturazione",
        "TableStatoUso", "TableColori", "TableVetture", "TableVeicoli", "TableUnitaMisura", "TableNazioni",
        "TableVettureSchede", "TableVettureScadenze", "TableTipoDocumenti", "TableContabilitaConti",
        "TableContabilitaRaggruppamenti", "TableContabilitaClassi"};
    QCOMPARE(hidden.size() + cleared.size(), 43);
    const auto &defs = data::sharedQueryDefs();
    const QList<db::Query *> &queries = form_DB->queries();
    QCOMPARE(int(defs.size()), queries.size());
    QStringList sentinel;
    for (db::Query *q : queries) {
        sentinel << (q->isActive() ? q->fieldNameAt(0) : QString("Id")) + " = null";
        q->setFilter(sentinel.last());
    }
    writeFile(QDir(folder()).filePath("SQLAggio.sql"), "insert into Colori (Descrizione) values ('Blu')");
    Form1->FormActivate();
    for (int i = 0; i < queries.size(); ++i) {
        const QString name = QString::fromLatin1(defs[i].name);
        const QString expected = hidden.contains(name) ? "Annullato = false" : cleared.contains(name) ? "" : sentinel[i];
        QVERIFY2(queries[i]->filter() == expected, qPrintable(name + ": " + queries[i]->filter()));
    }
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
    QVERIFY(Form1->menuButton(TForm1::tabAttivita, "Chiusura Iva")->isEnabled());
    QVERIFY(!Form1->menuButton(TForm1::tabAttivita, "Esportazioni")->isEnabled());
    QVERIFY(Form1->menuButton(TForm1::tabArchivio, "Clienti")->isEnabled());
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
    g_seams->dialogs.queueChoice(0);
    g_seams->dialogs.queueOpenFile(other);
    Form1->btnLavoraReteClick();
    QCOMPARE(conn().path(), other);
    QCOMPARE(Form1->Label1->text(), QString("Sede Centrale"));
    QCOMPARE(readFile(QDir(folder()).filePath("percorso.txt")), other + "\n");
    QCOMPARE(Form1->Memo1->toPlainText(), other);
    QCOMPARE(form_DB->TableTempStampa->recordCount(), 1); // bound again, nothing else of the start-up
    // Back to a database without a company name: the label empties.
    g_seams->dialogs.queueChoice(0);
    g_seams->dialogs.queueOpenFile(defaultDb());
    Form1->btnLavoraReteClick();
    QCOMPARE(Form1->Label1->text(), QString());
}

void TestStartup::workOnAnotherDatabaseCancelledOrRefused()
{
    start();
    g_seams->dialogs.queueChoice(-1); // the choice between file and server cancelled
    Form1->btnLavoraReteClick();
    QCOMPARE(conn().path(), defaultDb());
    g_seams->dialogs.queueChoice(0);
    g_seams->dialogs.queueOpenFile(QString()); // cancelled
    Form1->btnLavoraReteClick();
    QCOMPARE(conn().path(), defaultDb());
    const QString junk = QDir(folder()).filePath("junk/archivio.db");
    QDir(folder()).mkpath("junk");
    writeFile(junk, QByteArray(2048, 'x'));
    g_seams->dialogs.queueChoice(0);
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

void TestStartup::enterPressesMenuButtons()
{
    start();
    Form1->show();
    Form1->pgcBarra->setCurrentIndex(TForm1::tabUtility);
    QToolButton *about = Form1->menuButton(TForm1::tabUtility, "Realizzazione");
    about->setFocus();
    QTest::keyClick(about, Qt::Key_Return);
    QTRY_VERIFY(frmRealizzazione->isVisible());
    frmRealizzazione->hide();
    Form1->btnEsci->setFocus();
    QTest::keyClick(Form1->btnEsci, Qt::Key_Enter);
    QTRY_COMPARE(g_terminated, 1);
}

void TestStartup::historyScheduleAndVideoTabs()
{
    start();
    auto captions = [](int tab) {
        QStringList l;
        for (QGroupBox *g : Form1->pgcBarra->widget(tab)->findChildren<QGroupBox *>()) {
            QStringList b;
            for (QToolButton *t : g->findChildren<QToolButton *>()) b << t->text() + (t->isEnabled() ? "" : "(-)");
            l << g->title() + ": " + b.join(", ");
        }
        return l;
    };
    QCOMPARE(captions(TForm1::tabStorico), QStringList({"Clienti: Fatture, Note Credito, Preventivi",
                                                        "Fornitori: Fatture(-), Note Credito(-)",
                                                        "Altro: Calendario, Prima Nota"}));
    QCOMPARE(captions(TForm1::tabScadenziario),
             QStringList({"Scadenze: Clienti, Fornitori", "Pagamenti: Clienti, Fornitori"}));
    QCOMPARE(captions(TForm1::tabVideo),
             QStringList({"Generale: Introduzione, Griglie, Utilizzo reports, Archivio clienti, Archivio tariffe, "
                          "Scadenziario, Stampe, Storico, Utility",
                          "Attività: Avvisi clienti, Calendario, Chiusura iva, Esportazioni, Fatturazione elettronica estesa, "
                          "Opzioni, Prima nota",
                          "Documenti clienti: Fatture, Note credito, Preventivi, Sequestri",
                          "Documenti fornitori: Fatture, Importazione automatica xml, Note credito"}));

    // Leaving the start of the range proposes the end of its year; an end already typed stays.
    Form1->show();
    Form1->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    Form1->pgcBarra->setCurrentIndex(TForm1::tabStorico);
    Form1->maskDa->setFocus();
    QTest::keyClicks(Form1->maskDa, "01032023");
    Form1->maskA->setFocus();
    QCOMPARE(Form1->maskA->text(), QString("31/12/2023"));
    Form1->maskA->setText("15/06/2023");
    Form1->maskDa->setFocus();
    Form1->maskA->setFocus();
    QCOMPARE(Form1->maskA->text(), QString("15/06/2023"));
    Form1->maskA->setText("");
    Form1->maskDa->setText("01/03/20");
    Form1->maskDa->setFocus();
    Form1->maskA->setFocus();
    QCOMPARE(Form1->maskA->text(), QString("  /  /    ")); // an incomplete date proposes nothing

    // A video beside the program opens there; a missing one on the web.
    writeFile(QDir(folder()).filePath("Griglie.mp4"), "video");
    Form1->menuButton(TForm1::tabVideo, "Griglie")->click();
    Form1->menuButton(TForm1::tabVideo, "Stampe")->click();
    QCOMPARE(g_seams->launcher.opened,
             QStringList({QDir(folder()).filePath("Griglie.mp4"),
                          "https://www.pellavantoria.it/FilmatoLocale.php?Video=/Video/Stampe.mp4"}));
}

void TestStartup::helpAtEveryFormsContext()
{
    CreaForms();
    QFile page(QStringLiteral(PELLA_HELP_PAGE));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    // Every window with a help context has its anchor, headed with the window's caption.
    QList<QWidget *> windows = {Form1};
    for (QWidget *w : Form1->findChildren<QWidget *>())
        if (w->isWindow()) windows << w;
    int checked = 0;
    for (QWidget *w : windows) {
        const QVariant c = w->property("helpContext");
        if (!c.isValid() || c.toInt() <= 0) continue; // no context: the page opens at its top
        const QString anchor = QString("id=\"contesto%1\"").arg(c.toInt());
        const int at = html.indexOf(anchor);
        QVERIFY2(at >= 0, qPrintable(QString("%1 (%2): %3").arg(w->objectName(), w->windowTitle(), anchor)));
        const QString heading = html.mid(at, html.indexOf("</h", at) - at);
        QVERIFY2(heading.contains(w->windowTitle().toHtmlEscaped()),
                 qPrintable(QString("%1: \"%2\" not in %3").arg(w->objectName(), w->windowTitle(), heading)));
        ++checked;
    }
    QVERIFY(checked > 20);

    // "Aiuto" and F1 open the page beside the program at the window's context.
    const QString atContext = QUrl::fromLocalFile(QDir(folder()).filePath("aiuto/index.html")).toString() + "#contesto100";
    Form1->btnHelp->click();
    Form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
    QTest::keyClick(Form1->Memo1, Qt::Key_F1);
    QCOMPARE(g_seams->launcher.opened, QStringList({atContext, atContext}));
    // A missing help folder is reported.
    QDir(QDir(folder()).filePath("aiuto")).removeRecursively();
    g_seams->dialogs.expectMessage("guida in linea non è stata trovata");
    Form1->btnHelp->click();
    QCOMPARE(g_seams->launcher.opened.size(), 2);
}

void TestStartup::everyWindowFitsTheSmallestScreen()
{
    CreaForms();
    // An office screen of 1024x768 less the window manager's title bar and frame: every window
    // can be laid out whole there, no control clipped and no caption cut.
    const QSize schermo(1024 - 8, 768 - 32);
    QList<QWidget *> windows = {Form1};
    for (QWidget *w : Form1->findChildren<QWidget *>())
        if (w->isWindow() && !w->inherits("QMenu")) windows << w;
    QStringList troppoGrandi;
    for (QWidget *w : windows) {
        const QSize minimo = w->minimumSizeHint().expandedTo(w->minimumSize());
        if (minimo.width() > schermo.width() || minimo.height() > schermo.height())
            troppoGrandi << QString("%1 \"%2\" %3x%4").arg(w->objectName(), w->windowTitle()).arg(minimo.width()).arg(minimo.height());
    }
    QVERIFY2(troppoGrandi.isEmpty(), qPrintable(troppoGrandi.join('\n')));
    QVERIFY(windows.size() > 100);
}
