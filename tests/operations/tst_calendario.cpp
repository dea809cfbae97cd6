#include "tst_calendario.h"

#include "Ambiente.h"
#include "Banco.h"
#include "Program.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "masterdata/Tariffe.h"
#include "operations/Calendario.h"
#include "operations/GrigliaCalendario.h"
#include "operations/services/Calendario.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/MaskedDateEdit.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <ctime>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
int conta(const QString &sql) { return g_banco->valore(sql).toInt(); }

// Entries of March and April 2026 (the clock says 15/03/2026), a staff member, a customer whose
// documents carry another name, two types and three tariffs.
QStringList archivio()
{
    return {
        "insert into TipologiaCalendario (Descrizione) values ('Intervento'), ('Sopralluogo')",
        "insert into Personale (Id, Personale) values (50, 'Verdi Mario')",
        "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti) values (1, 'Rossi', 'Rossi Srl')",
        "insert into prezziar (Id, Descrizione, Cliente_ID) values (7, 'Traino', 0), (8, 'Deposito', 0), (9, 'Custodia', 0)",
        "insert into Calendario (Id, Data, Personale, TipologiaCalendario, Cliente, Note) values "
        "(1, #3/1/2026#, 'Operatore A', 'Intervento', 'Rossi Srl', 'Traino'), "
        "(2, #3/15/2026 10.30.00#, 'D''Angelo', 'Intervento', 'L''Officina', 'Deposito'), "
        "(3, #3/31/2026 18.00.00#, 'Operatore B', 'Sopralluogo', 'Bianchi', null), "
        "(4, #4/1/2026#, 'Operatore A', 'Sopralluogo', null, 'Traino lungo')",
    };
}

QList<int> elencate()
{
    db::Query *q = form_DB->TableCalendario;
    QList<int> r;
    for (int i = 0; i < q->recordCount(); ++i) r << q->valueAt(i, q->fieldIndex("Id")).toInt();
    std::sort(r.begin(), r.end());
    return r;
}

bool annullaVisibile()
{
    for (QAction *a : frmCalendario->ToolBar2->actions())
        if (frmCalendario->ToolBar2->widgetForAction(a) == frmCalendario->spdAnnulla) return a->isVisible();
    return false;
}

void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    if (!testo.isEmpty()) QTest::keyClicks(e, testo);
}

void mostraLista()
{
    frmGrigliaCalendario->show();
    frmGrigliaCalendario->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmGrigliaCalendario));
}

QString testoPdf(const QString &percorso)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), percorso, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext non riuscito>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

void TestCalendario::initTestCase()
{
    // The export writes UTC: its expectations are those of an Italian workstation.
    m_tz = qgetenv("TZ");
    qputenv("TZ", "Europe/Rome");
    tzset();
}

void TestCalendario::cleanupTestCase()
{
    if (m_tz.isEmpty()) qunsetenv("TZ");
    else qputenv("TZ", m_tz);
    tzset();
}

void TestCalendario::init()
{
    g_banco = std::make_unique<banco::Banco>(QStringList{"frmGrigliaCalendario", "Form2"}, archivio());
    frmGrigliaCalendario->BitBtn3Click();
}

void TestCalendario::cleanup()
{
    ModalitaStorico = false;
    if (frmGrigliaCalendario && frmGrigliaCalendario->isVisible()) frmGrigliaCalendario->hide();
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestCalendario::dateDellaVoce_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("avviso");
    QTest::addColumn<QString>("messaggio"); // the check that keeps the editor open
    QTest::addColumn<bool>("salvata");      // stored by the first "Indietro"
    QTest::addColumn<QString>("avvisoSalvato");
    QTest::newRow("day without notice") << "20/03/2026" << "" << "" << true << "";
    QTest::newRow("notice the same day") << "20/03/2026" << "20/03/2026" << "" << true << "2026-03-20 00:00:00";
    QTest::newRow("notice before") << "20/03/2026" << "10/03/2026" << "" << true << "2026-03-10 00:00:00";
    QTest::newRow("notice the day after") << "20/03/2026" << "21/03/2026" << calendario::kAvvisoDopoData << true
                                          << "2026-03-20 00:00:00";
    QTest::newRow("no day") << "" << "10/03/2026" << "Attenzione manca la Data" << false << "";
}

void TestCalendario::dateDellaVoce()
{
    QFETCH(QString, data);
    QFETCH(QString, avviso);
    QFETCH(QString, messaggio);
    QFETCH(bool, salvata);
    QFETCH(QString, avvisoSalvato);
    TfrmGrigliaCalendario *l = frmGrigliaCalendario;
    // The new entry starts on the month calendar's day.
    l->MonthCalendar1->setSelectedDate(QDate(2026, 3, 18));
    bool aperto = false;
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *w) {
        aperto = true;
        QCOMPARE(w, static_cast<QWidget *>(frmCalendario));
        QVERIFY(annullaVisibile());
        QCOMPARE(frmCalendario->DBEdit1->text(), QString("18/03/2026"));
        // Nothing is stored before the editor's first save.
        QCOMPARE(conta("select count(*) from Calendario"), 4);
        scrivi(frmCalendario->DBEdit1, data);
        scrivi(frmCalendario->DBEdit3, avviso);
        if (!messaggio.isEmpty()) dialoghi().expectMessage(messaggio);
        frmCalendario->spdIndietro->click();
        if (messaggio.isEmpty()) {
            QVERIFY(!frmCalendario->isVisible());
            return;
        }
        QVERIFY(frmCalendario->isVisible());
        QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
        QCOMPARE(conta("select count(*) from Calendario"), salvata ? 5 : 4);
        if (salvata) {
            // Stored, but kept open on the notice date until a date is corrected.
            QCOMPARE(frmCalendario->focusWidget(), static_cast<QWidget *>(frmCalendario->DBEdit3));
            QVERIFY(frmCalendario->DatiModificati);
            scrivi(frmCalendario->DBEdit3, "20/03/2026");
            frmCalendario->spdIndietro->click();
            QVERIFY(!frmCalendario->isVisible());
        } else {
            QCOMPARE(frmCalendario->focusWidget(), static_cast<QWidget *>(frmCalendario->DBEdit1));
            dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
            frmCalendario->spdAnnulla->click();
            QVERIFY(!frmCalendario->isVisible());
        }
    });
    QVERIFY(aperto);
    QVERIFY(!annullaVisibile());
    QCOMPARE(conta("select count(*) from Calendario"), salvata ? 5 : 4);
    if (!salvata) return;
    QCOMPARE(g_banco->valore("select Data from Calendario where Id > 4").toString(), QString("2026-03-20 00:00:00"));
    QCOMPARE(g_banco->valore("select DataAvviso from Calendario where Id > 4").toString(), avvisoSalvato);
    QCOMPARE(conta("select count(*) from Calendario where Id > 4 and Storico = false and Conclusa = false"), 1);
}

void TestCalendario::annullaNuova_data()
{
    QTest::addColumn<bool>("giaSalvata"); // stored by a save that kept the editor open
    QTest::newRow("never stored") << false;
    QTest::newRow("stored by a refused notice date") << true;
}

void TestCalendario::annullaNuova()
{
    QFETCH(bool, giaSalvata);
    TfrmGrigliaCalendario *l = frmGrigliaCalendario;
    db::Query *q = form_DB->TableCalendario;
    QVERIFY(q->locate("Id", 3));
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *) {
        if (giaSalvata) {
            scrivi(frmCalendario->DBEdit3, "30/03/2026");
            dialoghi().expectMessage(calendario::kAvvisoDopoData);
            frmCalendario->spdIndietro->click();
            QCOMPARE(conta("select count(*) from Calendario"), 5);
        }
        dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
        frmCalendario->spdAnnulla->click();
    });
    // Only the new entry went: every other entry is there, the list on one of them.
    QCOMPARE(conta("select count(*) from Calendario"), 4);
    QCOMPARE(conta("select count(*) from Calendario where Id in (1, 2, 3, 4)"), 4);
    QCOMPARE(elencate(), QList<int>({1, 2, 3, 4}));
    if (!giaSalvata) QCOMPARE(q->fieldByName("Id").asInteger(), 3);
}

void TestCalendario::personaleECliente()
{
    TfrmGrigliaCalendario *l = frmGrigliaCalendario;
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *) {
        // A pick copies the names the entry keeps; Delete empties key and name.
        ui::DBLookupComboBox *personale = frmCalendario->DBLookupComboBox2;
        ui::DBLookupComboBox *cliente = frmCalendario->DBLookupComboBox3;
        for (ui::DBLookupComboBox *c : {personale, cliente}) {
            const int i = c->findText(c == personale ? "Verdi Mario" : "Rossi");
            QVERIFY(i >= 0);
            c->setCurrentIndex(i);
            Q_EMIT c->activated(i);
        }
        db::Query *q = form_DB->TableCalendario;
        QCOMPARE(q->fieldByName("Personale").asString(), QString("Verdi Mario"));
        QCOMPARE(q->fieldByName("Personale_Id").asInteger(), 50);
        QCOMPARE(q->fieldByName("Cliente").asString(), QString("Rossi Srl"));
        QCOMPARE(q->fieldByName("Cliente_ID").asInteger(), 1);
        cliente->setFocus();
        QTest::keyClick(cliente, Qt::Key_Delete);
        QVERIFY(q->fieldByName("Cliente").isNull());
        QCOMPARE(q->fieldByName("Cliente_ID").asInteger(), 0);
        frmCalendario->spdIndietro->click();
    });
    QCOMPARE(conta("select count(*) from Calendario where Personale = 'Verdi Mario' and Personale_Id = 50 and Cliente is null"), 1);
}

void TestCalendario::tariffaDalListino()
{
    TfrmGrigliaCalendario *l = frmGrigliaCalendario;
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *) {
        frmCalendario->DatiModificati = false;
        // Three tariffs chosen: the entry keeps the first the query returns.
        conModale([] { frmCalendario->SpeedButton7->click(); }, [&](QWidget *w) {
            QCOMPARE(w, static_cast<QWidget *>(Form2));
            QCOMPARE(FiltroTariffe, QString("annullato = false"));
            TariffeScelte = "where prezziar.id = 8 or prezziar.id = 7 or prezziar.id = 9";
            Form2->SceltaEffettuata = true;
            Form2->accept();
        });
        QCOMPARE(FiltroTariffe, QString());
        QCOMPARE(form_DB->Table1->filter(), QString("Annullato = false"));
        QVERIFY(frmCalendario->DatiModificati);
        QCOMPARE(form_DB->TableCalendario->fieldByName("Tariffa_ID").asInteger(), 7);
        // Only a tariff chosen, and "Indietro" stores the entry.
        frmCalendario->spdIndietro->click();
    });
    TariffeScelte.clear();
    QCOMPARE(conta("select count(*) from Calendario where Tariffa_ID = 7"), 1);
}

void TestCalendario::ricerca()
{
    mostraLista();
    TfrmGrigliaCalendario *l = frmGrigliaCalendario;
    // A prefix with an apostrophe, typed and searched with Enter.
    scrivi(l->Edit1, "d'a");
    QTest::keyClick(l->Edit1, Qt::Key_Return);
    QCOMPARE(elencate(), QList<int>({2}));
    scrivi(l->Edit1, "*");
    QTest::keyClick(l->Edit1, Qt::Key_Return);
    QCOMPARE(elencate(), QList<int>({1, 2, 3, 4}));
    // March, the 31st's evening included.
    l->maskDaData->setFocus();
    QTest::keyClicks(l->maskDaData, "01032026");
    l->maskAData->setFocus();
    QTest::keyClicks(l->maskAData, "31032026");
    QTest::keyClick(l->maskAData, Qt::Key_Return);
    QCOMPARE(elencate(), QList<int>({1, 2, 3}));
    // A day clicked on the month calendar: that day only, whatever the dates say.
    Q_EMIT l->MonthCalendar1->clicked(QDate(2026, 4, 1));
    QVERIFY(l->FiltroGiornoAttivo);
    QCOMPARE(elencate(), QList<int>({4}));
    // After the reset the dates count again.
    l->BitBtn3->click();
    QVERIFY(!l->FiltroGiornoAttivo);
    QCOMPARE(l->MonthCalendar1->selectedDate(), QDate(2026, 3, 15));
    QCOMPARE(form_DB->TableCalendario->filter(), QString());
    QCOMPARE(l->maskDaData->date(), QDate());
    l->maskAData->setFocus();
    QTest::keyClicks(l->maskAData, "15032026");
    QTest::keyClick(l->maskAData, Qt::Key_Return);
    QCOMPARE(elencate(), QList<int>({1, 2}));
    // A date that is no date is said and the filter in force stays.
    l->maskDaData->setFocus();
    QTest::keyClicks(l->maskDaData, "30022026");
    dialoghi().expectMessage("Attenzione data non valida: 30/02/2026");
    QTest::keyClick(l->maskDaData, Qt::Key_Return);
    QCOMPARE(elencate(), QList<int>({1, 2}));
    // Escape empties a date box and goes to the staff box; Up goes back one box.
    QTest::keyClick(l->maskDaData, Qt::Key_Escape);
    QCOMPARE(l->maskDaData->date(), QDate());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(l->Edit1));
    l->Edit3->setFocus();
    QTest::keyClick(l->Edit3, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(l->Edit2));
    QVERIFY(l->Edit2->styleSheet().contains("aqua"));
    QVERIFY(l->Edit3->styleSheet().contains("white"));
}

void TestCalendario::esportaICal()
{
    g_banco->esegui("insert into Calendario (Id, Data, Personale, TipologiaCalendario, Note) values "
                    "(5, #7/15/2026 09.30.00#, 'Niccolò', 'Intervento', 'Ritiro; urgente')");
    g_banco->esegui("insert into Calendario (Id, Data) values (6, #8/1/2026#)");
    form_DB->TableCalendario->requery();
    TfrmGrigliaCalendario *l = frmGrigliaCalendario;
    // The entries listed: those from March on without entry 1.
    l->Edit4->setText("*");
    l->maskDaData->setText("02/03/2026");
    l->BitBtn2Click();
    QCOMPARE(elencate(), QList<int>({2, 3, 4, 5, 6}));
    QTemporaryDir cartella;
    dialoghi().queueSaveFile(cartella.filePath("agenda"));
    l->spdEsportaCalendario->click();
    const QString file = cartella.filePath("agenda.ics");
    QVERIFY(QFile::exists(file));
    // The list stands on its last row.
    QCOMPARE(form_DB->TableCalendario->recNo(), form_DB->TableCalendario->recordCount());
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray byte = f.readAll();
    QVERIFY(byte.contains("Niccol\xc3\xb2"));
    QVERIFY(byte.endsWith("END:VCALENDAR\r\n"));

    if (!QFile::exists("/usr/bin/python3")) QSKIP("python3 non disponibile");
    const char *script = "import sys, icalendar\n"
                         "cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())\n"
                         "print(cal.get('PRODID'))\n"
                         "for e in cal.walk('VEVENT'):\n"
                         "    s = e.get('SUMMARY')\n"
                         "    print('%s|%s|%s|%s' % (e.get('UID'), e.decoded('DTSTART').isoformat(),\n"
                         "                          e.decoded('DTEND').isoformat(), s if s is not None else '-'))\n";
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PYTHONIOENCODING", "utf-8");
    p.setProcessEnvironment(env);
    p.start("/usr/bin/python3", {"-c", script, file});
    QVERIFY(p.waitForFinished(30000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
    QStringList righe = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(righe.takeFirst(), QString("Calendario-Pellavantoria"));
    righe.sort();
    // Italian time in winter is UTC+1, in summer UTC+2.
    QCOMPARE(righe, QStringList({
                        "Calendario-2@Pellavantoria|2026-03-15T09:30:00+00:00|2026-03-15T09:30:00+00:00|"
                        "D'Angelo - Intervento / L'Officina : Deposito",
                        "Calendario-3@Pellavantoria|2026-03-31T16:00:00+00:00|2026-03-31T16:00:00+00:00|"
                        "Operatore B - Sopralluogo / Bianchi : ",
                        "Calendario-4@Pellavantoria|2026-03-31T22:00:00+00:00|2026-03-31T22:00:00+00:00|"
                        "Operatore A - Sopralluogo / Traino lungo",
                        "Calendario-5@Pellavantoria|2026-07-15T07:30:00+00:00|2026-07-15T07:30:00+00:00|"
                        "Niccolò - Intervento / Ritiro; urgente",
                        "Calendario-6@Pellavantoria|2026-07-31T22:00:00+00:00|2026-07-31T22:00:00+00:00|-",
                    }));
}

void TestCalendarioMenu::init()
{
    f = std::make_unique<PrintFixture>();
    for (const char *sql : {
             "insert into prezziar (Id, Descrizione) values (7, 'Traino autostradale')",
             "insert into Calendario (Id, Data, Personale, TipologiaCalendario, Cliente, Note, Tariffa_ID, Storico) values "
             "(1, #3/20/2026#, 'Verdi Mario', 'Intervento', 'Rossi Srl', 'Carro pronto', 7, false), "
             "(2, #6/10/2025#, 'Bianchi Luca', 'Sopralluogo', null, 'Anno passato', 0, true)",
         })
        f->exec(QString::fromUtf8(sql));
    form_DB->TableCalendario->requery();
}

void TestCalendarioMenu::cleanup()
{
    ModalitaStorico = false;
    EsportaStampa = false;
    QVERIFY2(f->seams.dialogs.clean(), qPrintable(f->seams.dialogs.report()));
    f.reset();
}

void TestCalendarioMenu::stampa()
{
    QDir().mkpath(f->cartella() + "/reports");
    for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"Calendario*.rpt"}))
        QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, f->cartella() + "/reports/" + nome);
    f->seams.launcher.behaviour = [](const QString &, const QStringList &args) {
        return stampa::run(QStringList{QStringLiteral("stampa")} + args, false);
    };
    EsportaStampa = true;
    FileEsportazioneStampa = f->cartella() + "/calendario.pdf";
    QToolButton *b = Form1->pgcBarra->widget(TForm1::tabStampe)->findChild<QToolButton *>("BitBtn4");
    QVERIFY(b && b->isEnabled());
    b->click();
    QCOMPARE(CodiceStampa, 23);
    QVERIFY2(QFile::exists(FileEsportazioneStampa), qPrintable(f->seams.dialogs.report()));
    const QString testo = testoPdf(FileEsportazioneStampa);
    for (const QString &t : {"Verdi Mario", "Carro pronto", "Traino autostradale", "Rossi Srl", "20/03/2026", "Bianchi Luca"})
        QVERIFY2(testo.contains(t), qPrintable(t + "\n" + testo));
}

void TestCalendarioMenu::menuAttivita()
{
    TfrmGrigliaCalendario *l = frmGrigliaCalendario;
    l->Edit1->setText("Nessuno");
    l->FiltroGiornoAttivo = true;
    form_DB->TableCalendario->setFilter("Personale like 'Nessuno*'");
    bool aperto = false;
    conModale([] { Form1->menuButton(TForm1::tabAttivita, "Calendario")->click(); }, [&](QWidget *w) {
        aperto = true;
        QCOMPARE(w, static_cast<QWidget *>(l));
        // Reset before showing: every current entry, no box filled.
        QCOMPARE(l->Edit1->text(), QString());
        QVERIFY(!l->FiltroGiornoAttivo);
        QCOMPARE(elencate(), QList<int>({1}));
        l->Edit1->setText("Verdi");
        l->BitBtn2Click();
        l->spdIndietro->click();
    });
    QVERIFY(aperto);
    QCOMPARE(form_DB->TableCalendario->filter(), QString());
}

void TestCalendarioMenu::menuStorico()
{
    db::Query *q = form_DB->TableCalendario;
    const QString sql = q->sql();
    Form1->maskDa->setText("01/01/2025");
    Form1->maskA->setText("31/12/2025");
    QToolButton *b = Form1->pgcBarra->widget(TForm1::tabStorico)->findChild<QToolButton *>("btnStoricoArchivio");
    QVERIFY(b && b->isEnabled());
    conModale([b] { b->click(); }, [&](QWidget *) {
        QVERIFY(ModalitaStorico);
        QCOMPARE(elencate(), QList<int>({2}));
        // An entry added while the history is browsed goes into the history.
        TfrmGrigliaCalendario *l = frmGrigliaCalendario;
        l->MonthCalendar1->setSelectedDate(QDate(2025, 9, 1));
        conModale([l] { l->spdInserisciClick(); }, [&](QWidget *) { frmCalendario->spdIndietro->click(); });
        l->spdIndietro->click();
    });
    QVERIFY(!ModalitaStorico);
    QCOMPARE(FiltroStorico, QString());
    QCOMPARE(q->sql(), sql);
    QCOMPARE(f->scalar("select count(*) from Calendario where Data = #9/1/2025# and Storico = true").toInt(), 1);
    // The current list does not show it.
    QCOMPARE(elencate(), QList<int>({1}));
    // A range over two years is refused.
    Form1->maskDa->setText("01/12/2024");
    f->seams.dialogs.expectMessage("Attenzione E' necessario che la data di inizio e la data di fine abbiano lo stesso anno...");
    b->click();
    QVERIFY(!ModalitaStorico);
}
