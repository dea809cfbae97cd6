#include "tst_grigliafatture.h"

#include "Ambiente.h"
#include "Banco.h"
#include "FixtureFatture.h"
#include "Program.h"
#include "data/DB.h"
#include "db/Query.h"
#include "mail/Email.h"
#include "sales/EditorFattura.h"
#include "sales/GrigliaFatture.h"
#include "sales/SceltaSerieFatturazione.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/MaskedDateEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <QToolBar>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
QVariant valore(const QString &sql) { return g_banco->valore(sql); }
int conta(const QString &sql) { return valore(sql).toInt(); }

// The numbers the list shows, in its order.
QStringList numeri()
{
    db::Query *q = form_DB->Table3;
    QStringList r;
    for (int i = 0; i < q->recordCount(); ++i) r << q->valueAt(i, q->fieldIndex("Num")).toString();
    return r;
}

bool annullaVisibile()
{
    for (QAction *a : Form7->ToolBar2->actions())
        if (Form7->ToolBar2->widgetForAction(a) == Form7->spdAnnulla) return a->isVisible();
    return false;
}

QString testoPdf(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Runs `azione` once `finestra` is the modal window (after another modal window closed).
void quandoModale(QWidget *finestra, std::function<void()> azione)
{
    QTimer::singleShot(10, finestra, [finestra, azione] {
        if (QApplication::activeModalWidget() == finestra) azione();
        else quandoModale(finestra, azione);
    });
}

// The report program beside a program folder of the test's own, run in-process; the previous
// doubles come back however the test ends.
struct ProgrammaDiStampa {
    QTemporaryDir cartella;
    testing_support::FakeWorkstation postazione;
    testing_support::ScriptedLauncher avvio;
    core::Workstation *postazionePrima = &core::Workstation::instance();
    ui::Launcher *avvioPrima = &ui::Launcher::instance();
    explicit ProgrammaDiStampa(bool scrive)
    {
        QDir().mkpath(cartella.filePath("reports"));
        for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"*.rpt"}))
            QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, cartella.filePath("reports/" + nome));
        postazione.folder = cartella.path();
        core::Workstation::setInstance(&postazione);
        if (scrive)
            avvio.behaviour = [](const QString &, const QStringList &args) {
                return stampa::run(QStringList{QStringLiteral("stampa")} + args, false);
            };
        else
            avvio.behaviour = [](const QString &, const QStringList &) { return 0; };
        ui::Launcher::setInstance(&avvio);
    }
    ~ProgrammaDiStampa()
    {
        ui::Launcher::setInstance(avvioPrima);
        core::Workstation::setInstance(postazionePrima);
    }
};

} // namespace

void TestGrigliaFatture::init()
{
    g_banco = std::make_unique<banco::Banco>(QStringList{"frmGrigliaFatture", "frmEmail", "frmSceltaSerieFatturazione"},
                                             fixture_fatture::righe());
}

void TestGrigliaFatture::cleanup()
{
    ModalitaStorico = false;
    DaSequestro = false;
    EliminaSenzaConferma = false;
    EsportaStampa = false;
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestGrigliaFatture::ricerca_data()
{
    QTest::addColumn<QString>("casella");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("attesi");
    QTest::addColumn<QString>("messaggio"); // the box that refuses the text says so; the list stays
    const QStringList tutte = {"1", "2", "3"};
    QTest::newRow("plate with an apostrophe") << "Edit2" << "ab'1" << QStringList{"1"} << "";
    QTest::newRow("series with an apostrophe") << "txtSerie" << "B'" << QStringList{} << "";
    QTest::newRow("series") << "txtSerie" << "b" << QStringList{"3"} << "";
    QTest::newRow("star") << "txtDaNumero" << "*" << tutte << "";
    QTest::newRow("from number") << "txtDaNumero" << "2" << QStringList{"2", "3"} << "";
    QTest::newRow("to number") << "txtANumero" << "2" << QStringList{"1", "2"} << "";
    QTest::newRow("bad number") << "txtANumero" << "2'x" << tutte << "Attenzione numero non valido: 2'x";
    QTest::newRow("from date") << "maskDaData" << "05/03/2026" << QStringList{"2", "3"} << "";
    QTest::newRow("to date, that day whole") << "maskAData" << "05/03/2026" << QStringList{"1", "2"} << "";
    QTest::newRow("bad date") << "maskDaData" << "31/02/2026" << tutte << "Attenzione data non valida: 31/02/2026";
    QTest::newRow("order matching none") << "Edit1" << "nessuno" << QStringList{} << "";
    QTest::newRow("order matching several of one invoice") << "Edit1" << "ord-1" << QStringList{"1", "2"} << "";
    QTest::newRow("order with an apostrophe") << "Edit1" << "ORD'" << QStringList{} << "";
}

void TestGrigliaFatture::ricerca()
{
    QFETCH(QString, casella);
    QFETCH(QString, testo);
    QFETCH(QStringList, attesi);
    QFETCH(QString, messaggio);
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    l->BitBtn3Click();
    QCOMPARE(numeri(), QStringList({"1", "2", "3"}));
    auto *box = l->findChild<QLineEdit *>(casella);
    QVERIFY(box);
    box->setFocus();
    QTest::keyClicks(box, testo);
    if (!messaggio.isEmpty()) dialoghi().expectMessage(messaggio);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(numeri(), attesi);
    // Reset: every box empty and every invoice shown.
    l->BitBtn3Click();
    if (auto *data = qobject_cast<ui::MaskedDateEdit *>(box)) QCOMPARE(data->text(), QStringLiteral("  /  /    "));
    else QCOMPARE(box->text(), QString());
    QCOMPARE(form_DB->Table3->filter(), QString());
    QCOMPARE(numeri(), QStringList({"1", "2", "3"}));
}

void TestGrigliaFatture::tastiDiRicerca()
{
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    l->show();
    l->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(l));
    l->BitBtn3Click();
    // A customer chosen in its lookup filters at once; Backspace empties it and re-filters.
    QComboBox *cliente = l->DBLookupComboBox1;
    const int i = cliente->findText("Comune di Prova");
    QVERIFY(i >= 0);
    cliente->setCurrentIndex(i);
    Q_EMIT cliente->activated(i);
    QCOMPARE(numeri(), QStringList({"2"}));
    cliente->setFocus();
    QTest::keyClick(cliente, Qt::Key_Backspace);
    QCOMPARE(cliente->currentIndex(), -1);
    QCOMPARE(numeri(), QStringList({"1", "2", "3"}));
    // A date typed and searched; Escape empties the box, moves to "Dal numero" and re-filters.
    l->maskDaData->setFocus();
    QTest::keyClicks(l->maskDaData, "06032026");
    QTest::keyClick(l->maskDaData, Qt::Key_Enter);
    QCOMPARE(numeri(), QStringList({"3"}));
    QTest::keyClick(l->maskDaData, Qt::Key_Escape);
    QCOMPARE(l->maskDaData->date(), QDate());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(l->txtDaNumero));
    QCOMPARE(numeri(), QStringList({"1", "2", "3"}));
    // Down and Up walk the boxes; Enter searches without moving.
    QTest::keyClick(l->txtDaNumero, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(l->txtANumero));
    QTest::keyClicks(l->txtANumero, "1");
    QTest::keyClick(l->txtANumero, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(l->txtANumero));
    QCOMPARE(numeri(), QStringList({"1"}));
    QTest::keyClick(l->txtANumero, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(l->txtDaNumero));
    l->hide();
}

void TestGrigliaFatture::aggiungi()
{
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    l->txtDaNumero->setText("3");
    l->FiltraClick();
    // The current invoice is not the one the editor gets.
    QVERIFY(form_DB->Table3->locate("ID", 12));
    bool aperto = false;
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *w) {
        aperto = true;
        QCOMPARE(w, static_cast<QWidget *>(Form7));
        QVERIFY(annullaVisibile());
        QCOMPARE(Form7->PageControl1->currentIndex(), 0);
        QVERIFY(!Form7->DatiModificati);
        QCOMPARE(Form7->idDocumento(), l->ultimaAggiunta());
        QCOMPARE(Form7->DBEdit2->text(), QStringLiteral("4"));
        QCOMPARE(Form7->DBEdit1->text(), QStringLiteral("15/03/2026"));
        // Indietro at once: no check, the invoice stays.
        Form7->spdIndietroClick();
    });
    QVERIFY(aperto);
    QVERIFY(!annullaVisibile());
    const qint64 id = l->ultimaAggiunta();
    QVERIFY(id > 13);
    const db::Params p = {{":id", id}};
    QCOMPARE(form_DB->Connessione.scalar("select Num from fattura where ID = :id", p).toInt(), 4);
    QCOMPARE(form_DB->Connessione.scalar("select DatiTrasmissione_ProgressivoInvio from fattura where ID = :id", p).toInt(), 41);
    QCOMPARE(form_DB->Connessione.scalar("select Banca_ID from fattura where ID = :id", p).toInt(), 1);
    QCOMPARE(form_DB->Connessione.scalar("select ModPagamento_Id from fattura where ID = :id", p).toInt(), 2);
    QCOMPARE(form_DB->Connessione.scalar("select count(*) from fattura where ID = :id and Cliente_ID = 0 or ID = :id and Cliente_ID is null", p).toInt(), 1);
    // The schedule of method 2: one instalment.
    QCOMPARE(form_DB->Connessione.scalar("select count(*) from FatturaScadenze where Fattura_ID = :id", p).toInt(), 1);
    // The boxes were reset and the list stands on the new invoice.
    QCOMPARE(l->txtDaNumero->text(), QString());
    QCOMPARE(form_DB->Table3->fieldByName("ID").asLargeInt(), id);
    QCOMPARE(conta("select count(*) from FatturaScadenze where Fattura_ID = 12"), 0);
}

void TestGrigliaFatture::aggiungiConSerie()
{
    g_banco->esegui("update ditta set FatturazioneMultipla = true");
    form_DB->Table12->requery();
    form_DB->TableSerieFatturazione->requery();
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *w) {
        // The series chooser first.
        QCOMPARE(w, static_cast<QWidget *>(frmSceltaSerieFatturazione));
        ui::DBLookupComboBox *s = frmSceltaSerieFatturazione->DBLookupComboBox1;
        const int i = s->findText("B");
        QVERIFY(i >= 0);
        s->setCurrentIndex(i);
        Q_EMIT s->activated(i);
        quandoModale(Form7, [] { Form7->spdIndietroClick(); });
        frmSceltaSerieFatturazione->spdIndietroClick();
    });
    const qint64 id = l->ultimaAggiunta();
    QCOMPARE(form_DB->Connessione.scalar("select SerieFatturazione from fattura where ID = :id", {{":id", id}}).toString(),
             QStringLiteral("B"));
    // Numbered within series B: after invoice 3.
    QCOMPARE(form_DB->Connessione.scalar("select Num from fattura where ID = :id", {{":id", id}}).toInt(), 4);
    QCOMPARE(conta("select count(*) from fattura where Num = 4"), 1);
}

void TestGrigliaFatture::aggiungiInStorico()
{
    // The history browser shows 2025; the past invoice 13 (with a paid instalment) is current.
    db::Query *q = form_DB->Table3;
    const QString sqlAnno = q->sql();
    q->close();
    q->setSql("select * from fattura where Data >= #1/1/2025# and Data < #1/1/2026# and Carico = false and FattNota = false order by num");
    q->open();
    QVERIFY(q->locate("ID", 13));
    ModalitaStorico = true;
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *) {
        QCOMPARE(Form7->idDocumento(), l->ultimaAggiunta());
        QCOMPARE(Form7->DBEdit2->text(), QStringLiteral("4"));
        Form7->spdIndietroClick();
    });
    // Dated today, so the next of this year, and the next progressive: never a second invoice 1
    // nor a second e-invoice file of one name.
    const qint64 id = l->ultimaAggiunta();
    const db::Params p = {{":id", id}};
    QCOMPARE(form_DB->Connessione.scalar("select Num from fattura where ID = :id", p).toInt(), 4);
    QCOMPARE(form_DB->Connessione.scalar("select DatiTrasmissione_NumeroInterno from fattura where ID = :id", p).toInt(), 41);
    QCOMPARE(conta("select count(*) from fattura where Num = 4 and Storico = false and FattNota = false"), 1);
    QCOMPARE(conta("select count(*) from fattura where DatiTrasmissione_ProgressivoInvio = 41"), 1);
    QCOMPARE(form_DB->Connessione.scalar("select Storico from fattura where ID = :id", p).toInt(), 0);
    QCOMPARE(form_DB->Connessione.scalar("select Data from fattura where ID = :id", p).toString(), QString("2026-03-15 00:00:00"));
    QCOMPARE(form_DB->Connessione.scalar("select count(*) from FatturaScadenze where Fattura_ID = :id", p).toInt(), 1);
    // The past invoice's paid instalment is untouched; the list shows the period again.
    QCOMPARE(conta("select count(*) from FatturaScadenze where Fattura_ID = 13 and Pagato = true and Importo = 80"), 1);
    QCOMPARE(numeri(), QStringList({"7"}));
    q->close();
    q->setSql(sqlAnno);
    q->open();
}

void TestGrigliaFatture::aggiungiDaSequestro()
{
    // Seizure 29, first in the register, is already billed with invoice 12.
    g_banco->esegui("insert into Sequestri (Id, Numero, Data, DataDissequestro, AutoTarga, Fatturato, Fattura_Id) values "
                    "(29, 4, #1/5/2026#, null, 'XX111XX', true, 12), (30, 5, #2/10/2026#, #3/2/2026#, 'EF789GH', false, null)");
    form_DB->TableSequestri->requery();
    QVERIFY(form_DB->TableSequestri->locate("Id", 30));
    DaSequestro = true;
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    ProgrammaDiStampa stampa(false);
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *) {
        QCOMPARE(Form7->DBEdit4->text(), QStringLiteral("EF789GH"));
        // The new invoice's print is of the new invoice, not of the register's first seizure.
        Form7->spdStampa->click();
        const QString sql = valore("select Query from TempStampa").toString();
        QVERIFY2(sql.contains(QStringLiteral("= %1").arg(Form7->idDocumento())), qPrintable(sql));
        QVERIFY2(!sql.contains(QStringLiteral("= 12")), qPrintable(sql));
        Form7->spdIndietroClick();
    });
    QCOMPARE(form_DB->TableSequestri->fieldByName("Id").asInteger(), 30);
    DaSequestro = false;
    const db::Params p = {{":id", l->ultimaAggiunta()}};
    QCOMPARE(form_DB->Connessione.scalar("select Sequestro_ID from fattura where ID = :id", p).toInt(), 30);
    QCOMPARE(form_DB->Connessione.scalar("select DataIngressoVeicolo from fattura where ID = :id", p).toString(),
             QString("2026-02-10 00:00:00"));
    QCOMPARE(form_DB->Connessione.scalar("select count(*) from Sequestri where Id = 30 and Fatturato = true and Fattura_Id = :id", p)
                 .toInt(),
             1);
}

void TestGrigliaFatture::annullaEliminaLaNuova()
{
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    const int prima = conta("select count(*) from fattura");
    dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *) { Form7->spdAnnulla->click(); });
    // One question only: the list's delete does not ask again.
    QCOMPARE(conta("select count(*) from fattura"), prima);
    QCOMPARE(form_DB->Connessione.scalar("select count(*) from FatturaScadenze where Fattura_ID = :id", {{":id", l->ultimaAggiunta()}})
                 .toInt(),
             0);
    QVERIFY(!Form7->isVisible());
}

void TestGrigliaFatture::elimina_data()
{
    QTest::addColumn<bool>("conferma");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestGrigliaFatture::elimina()
{
    QFETCH(bool, conferma);
    g_banco->esegui("insert into finanzia (Fattura_ID) values (10), (11)");
    g_banco->esegui("insert into Fattura_Allegati (Fattura_Id, NomeAttachment) values (10, 'a.pdf')");
    g_banco->esegui("insert into PreventiTestata (ID, Numero, Fatturato) values (20, 1, true)");
    g_banco->esegui("insert into FatturaPreventiviRighe (Fattura_ID, Preventivo_Id) values (10, 20)");
    g_banco->esegui("insert into Sequestri (Id, Numero, Fatturato, Fattura_Id) values (30, 1, true, 10)");
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    l->BitBtn3Click();
    QVERIFY(form_DB->Table3->locate("ID", 10));
    dialoghi().expectMessage("Sei sicuro di voler eliminare la fattura?", conferma ? QMessageBox::Yes : QMessageBox::No);
    l->spdElimina->click();
    const int resta = conferma ? 0 : 1;
    for (const char *sql : {"select count(*) from fattura where ID = 10", "select count(*) from fattdett where NumFatt = 10",
                            "select count(*) from FatturaScadenze where Fattura_ID = 10 and Numero = 1",
                            "select count(*) from finanzia where Fattura_ID = 10",
                            "select count(*) from OrdiniClienti where Fattura_ID = 10",
                            "select count(*) from Fattura_Allegati where Fattura_Id = 10",
                            "select count(*) from FatturaPreventiviRighe where Fattura_ID = 10",
                            "select count(*) from PreventiTestata where ID = 20 and Fatturato = true",
                            "select count(*) from Sequestri where Id = 30 and Fatturato = true and Fattura_Id = 10"})
        QVERIFY2(conta(QString::fromLatin1(sql)) == resta, sql);
    // The other invoices keep everything.
    QCOMPARE(conta("select count(*) from finanzia where Fattura_ID = 11"), 1);
    QCOMPARE(conta("select count(*) from OrdiniClienti where Fattura_ID = 11"), 2);
    QCOMPARE(numeri(), conferma ? QStringList({"2", "3"}) : QStringList({"1", "2", "3"}));
    if (conferma) {
        // The list stands on the invoice that followed, its rows pointed at it.
        QCOMPARE(form_DB->Table3->fieldByName("ID").asLargeInt(), 11);
        QCOMPARE(form_DB->TableOrdiniClienti->recordCount(), 2);
    }
}

void TestGrigliaFatture::esportaEdInvia()
{
    // The report program runs in-process on the templates copied beside the program.
    ProgrammaDiStampa programma(true);
    QTemporaryDir esportazione;
    g_banco->esegui("update opzioni set EstensioneEsportazione = 'pdf', CartellaEsportazioneDocumenti = '" + esportazione.path() + "/'");
    form_DB->TableOpzioni->requery();
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    l->BitBtn3Click();
    QVERIFY(form_DB->Table3->locate("ID", 10));
    QStringList destinatari, allegati;
    QString oggetto;
    conModale([l] { l->spdEsportaDocumento->click(); }, [&](QWidget *w) {
        QCOMPARE(w, static_cast<QWidget *>(frmEmail));
        for (int i = 0; i < frmEmail->txtDestinatario->count(); ++i) destinatari << frmEmail->txtDestinatario->item(i)->text();
        for (int i = 0; i < frmEmail->txtAllegati->count(); ++i) allegati << frmEmail->txtAllegati->item(i)->text();
        oggetto = frmEmail->txtOggetto->text();
        frmEmail->spdIndietro->click();
    });
    const QString file = QDir(esportazione.path()).filePath("Fattura_1_2026.pdf");
    QCOMPARE(destinatari, QStringList({"rossi@example.it"}));
    QCOMPARE(allegati, QStringList({file}));
    QCOMPARE(oggetto, QStringLiteral("Fattura numero1 del : 01/03/2026"));
    const QString testo = testoPdf(file);
    for (const QString &atteso : {QStringLiteral("Rossi Srl"), QStringLiteral("Traino veicolo"), QStringLiteral("122")})
        QVERIFY2(testo.contains(atteso), qPrintable(atteso + " in:\n" + testo));

    // A customer without e-mail address is said; the form still opens with the file.
    QVERIFY(form_DB->Table3->locate("ID", 11));
    dialoghi().expectMessage("Attenzione il cliente Comune di Prova non ha un indirizzo email");
    conModale([l] { l->spdEsportaDocumento->click(); }, [&](QWidget *) {
        QCOMPARE(frmEmail->txtDestinatario->count(), 0);
        QCOMPARE(frmEmail->txtAllegati->item(0)->text(), QDir(esportazione.path()).filePath("Fattura_2_2026.pdf"));
        frmEmail->spdIndietro->click();
    });
}

void TestGrigliaFatture::esportaSenzaFileNonApreLaPosta()
{
    // The report program ends well but writes nothing: the e-mail form never opens.
    ProgrammaDiStampa programma(false);
    QTemporaryDir esportazione;
    g_banco->esegui("update opzioni set EstensioneEsportazione = 'pdf', CartellaEsportazioneDocumenti = '" + esportazione.path() + "/'");
    form_DB->TableOpzioni->requery();
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    l->BitBtn3Click();
    QVERIFY(form_DB->Table3->locate("ID", 10));
    dialoghi().expectMessage("non ha creato il file");
    l->spdEsportaDocumento->click();
    QVERIFY(!frmEmail->isVisible());
    QCOMPARE(programma.avvio.started.size(), 1);
    QVERIFY(!EsportaStampa);
}
