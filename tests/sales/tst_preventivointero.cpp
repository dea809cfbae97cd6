#include "tst_preventivointero.h"

#include "Ambiente.h"
#include "FixturePreventivi.h"
#include "Program.h"
#include "Request.h"
#include "data/DB.h"
#include "db/Query.h"
#include "masterdata/Tariffe.h"
#include "operations/GrigliaSequestri.h"
#include "operations/Sequestri_Dettaglio.h"
#include "sales/EditorPreventivo.h"
#include "sales/GrigliaPreventivi.h"
#include "sales/ModificaPreventiviRighe.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <functional>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
QVariant valore(const QString &sql) { return g_banco->valore(sql); }
int conta(const QString &sql) { return g_banco->valore(sql).toInt(); }

// Types into a box as the user does; Enter hands the text to the record and moves on.
void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, testo);
    QTest::keyClick(e, Qt::Key_Return);
}

void scegli(ui::DBLookupComboBox *l, const QString &testo)
{
    const int i = l->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

// Picks the tariffs of these codes in the price list and confirms.
void scegliTariffe(const QStringList &codici)
{
    db::Query *q = form_DB->Table1;
    q->clearSelection();
    int riga = 0;
    for (q->first(); !q->eof(); q->next(), ++riga)
        if (codici.contains(q->fieldByName("Codice").asString())) q->setRowSelected(riga, true);
    Form2->spdAvanti->click();
}

QString testoPdf(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The report program beside a program folder of the test's own, with the source tree's quote
// templates, run in-process.
struct ProgrammaDiStampa {
    QTemporaryDir cartella;
    testing_support::FakeWorkstation postazione;
    testing_support::ScriptedLauncher avvio;
    core::Workstation *postazionePrima = &core::Workstation::instance();
    ui::Launcher *avvioPrima = &ui::Launcher::instance();
    ProgrammaDiStampa()
    {
        QDir().mkpath(cartella.filePath("reports"));
        for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"Preventivi*.rpt"}))
            QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, cartella.filePath("reports/" + nome));
        postazione.folder = cartella.path();
        core::Workstation::setInstance(&postazione);
        avvio.behaviour = [](const QString &, const QStringList &args) {
            return stampa::run(QStringList{QStringLiteral("stampa")} + args, false);
        };
        ui::Launcher::setInstance(&avvio);
    }
    ~ProgrammaDiStampa()
    {
        ui::Launcher::setInstance(avvioPrima);
        core::Workstation::setInstance(postazionePrima);
    }
};

// Closes the quote editor: what it holds is saved by its "Indietro".
void esciDallEditor()
{
    frmPreventivi->spdIndietroClick();
    if (frmPreventivi->isVisible()) {
        frmPreventivi->DatiModificati = false;
        frmPreventivi->spdIndietroClick();
    }
}

// The row editor, opened by `apri` from the quote editor, with `azione` run in it.
void nellEditoreRighe(const std::function<void()> &apri, bool conAnnulla, const std::function<void()> &azione)
{
    bool aperto = false;
    conModale(apri, [&](QWidget *w) {
        aperto = w == frmModificaPreventiviRighe;
        QCOMPARE(w, static_cast<QWidget *>(frmModificaPreventiviRighe));
        QCOMPARE(frmModificaPreventiviRighe->spdAnnulla->isVisible(), conAnnulla);
        azione();
    });
    QVERIFY(aperto);
    QVERIFY(!frmModificaPreventiviRighe->isVisible());
}

// Seizures 29 (plate XX111XX, held since 05/01/2026) and 30 (EF789GH, 10/02/2026, released
// 02/03/2026); customer 1's discount is 20.
const QStringList kAltro = {
    "update Clienti set Sconto = 20 where Id = 1",
    "insert into Sequestri (Id, Numero, Data, DataDissequestro, AutoTarga) values "
    "(29, 4, #1/5/2026#, null, 'XX111XX'), (30, 5, #2/10/2026#, #3/2/2026#, 'EF789GH')",
    "update opzioni set PrezzoPreventivo = true, DocumentiRigaIvato = true"};

} // namespace

void TestPreventivoIntero::init()
{
    FiltroTariffe.clear();
    TariffeScelte.clear();
    g_banco = fixture_preventivi::crea({"frmGrigliaPreventivi", "Form2", "frmModificaPreventiviRighe", "frmGrigliaSequestri",
                                        "frmSequestri_Dettaglio"},
                                       kAltro);
}

void TestPreventivoIntero::cleanup()
{
    DaSequestro = false;
    EliminaSenzaConferma = false;
    EsportaStampa = false;
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestPreventivoIntero::preventivoIntero()
{
    ProgrammaDiStampa programma;
    QTemporaryDir esportazione;
    const QString pdf = QDir(esportazione.path()).filePath("Preventivo.pdf");
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    qint64 id = 0;
    QString stampato;
    conModale([l] { l->spdInserisci->click(); }, [&](QWidget *w) {
        QCOMPARE(w, static_cast<QWidget *>(frmPreventivi));
        TfrmPreventivi *f = frmPreventivi;
        id = f->idDocumento();
        QCOMPARE(f->DBEdit2->text(), QString("4"));
        scegli(f->DBLookupComboBox2, "Rossi Srl");
        f->PageControl1->setCurrentIndex(1);
        QVERIFY(f->GroupBox1->isVisible());
        // Two tariffs at 22% and 10%, the customer's discount on both: 10.00 + 2.20 and 24.00 + 2.40.
        conModale([f] { f->spdInserisciDett->click(); }, [](QWidget *) { scegliTariffe({"TR1", "CU1"}); });
        QCOMPARE(fixture_preventivi::totali(id), QString("3400/460/3860"));
        QCOMPARE(form_DB->Table11->recordCount(), 2);

        // A free row typed and then given up: the totals wait for a save, the row goes.
        dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
        nellEditoreRighe([f] { f->spdArticoloNonArchivio->click(); }, true, [&] {
            TfrmModificaPreventiviRighe *r = frmModificaPreventiviRighe;
            QCOMPARE(conta(QString("select count(*) from PreventiRighe where Prev_ID = %1").arg(id)), 3);
            scrivi(r->DBEdit2, "3");
            scrivi(r->DBEdit6, "100");
            QCOMPARE(fixture_preventivi::totali(id), QString("3400/460/3860"));
            r->spdAnnulla->click();
        });
        QCOMPARE(conta(QString("select count(*) from PreventiRighe where Prev_ID = %1").arg(id)), 2);
        QCOMPARE(form_DB->Table11->recordCount(), 2);
        QCOMPARE(fixture_preventivi::totali(id), QString("3400/460/3860"));

        // A free row saved: 2 x 50.00 less 10% at 22%, 90.00 + 19.80.
        nellEditoreRighe([f] { f->spdArticoloNonArchivio->click(); }, true, [] {
            TfrmModificaPreventiviRighe *r = frmModificaPreventiviRighe;
            r->DBMemo1->setFocus();
            r->DBMemo1->selectAll();
            QTest::keyClicks(r->DBMemo1, "Recupero fuoristrada");
            scegli(r->DBLookupComboBox1, "Iva 22%");
            scrivi(r->DBEdit2, "2");
            scrivi(r->DBEdit6, "50");
            scrivi(r->DBEdit5, "10");
            r->spdIndietro->click();
        });
        QCOMPARE(conta(QString("select count(*) from PreventiRighe where Prev_ID = %1 and Descrizione = 'Recupero fuoristrada' "
                               "and TotaleImponibile = 90 and ValoreTotale = 109.8")
                           .arg(id)),
                 1);
        QCOMPARE(fixture_preventivi::totali(id), QString("12400/2440/14840"));
        QVERIFY2(f->DBTextTotale->text().contains("148,4"), qPrintable(f->DBTextTotale->text()));

        // "Avanti" opens the current row, no "Annulla": one piece only, 45.00 + 9.90.
        QCOMPARE(form_DB->Table11->fieldByName("Descrizione").asString(), QString("Recupero fuoristrada"));
        nellEditoreRighe([f] { f->spdAvantiDett->click(); }, false, [] {
            scrivi(frmModificaPreventiviRighe->DBEdit2, "1");
            frmModificaPreventiviRighe->spdIndietro->click();
        });
        QCOMPARE(fixture_preventivi::totali(id), QString("7900/1450/9350"));
        // A double click opens it the same way; left unchanged, nothing moves.
        nellEditoreRighe([f] { Q_EMIT f->DBGrid1->doubleClicked(); }, false,
                         [] { frmModificaPreventiviRighe->spdIndietro->click(); });
        QCOMPARE(fixture_preventivi::totali(id), QString("7900/1450/9350"));
        QCOMPARE(conta(QString("select count(*) from PreventiRighe where Prev_ID = %1").arg(id)), 3);

        EsportaStampa = true;
        FileEsportazioneStampa = pdf;
        f->SpeedButton3->click();
        EsportaStampa = false;
        stampato = testoPdf(pdf);
        esciDallEditor();
    });
    QVERIFY(!frmPreventivi->isVisible());
    QCOMPARE(valore(QString("select Numero from PreventiTestata where ID = %1").arg(id)).toInt(), 4);
    QCOMPARE(valore(QString("select Cliente_ID from PreventiTestata where ID = %1").arg(id)).toInt(), 1);
    QCOMPARE(fixture_preventivi::totali(id), QString("7900/1450/9350"));
    for (const char *atteso : {"Preventivo n. 4 del 15/03/2026", "Rossi Srl", "Traino urbano", "Custodia", "Recupero fuoristrada",
                                  "79,00", "14,50", "93,50"})
        QVERIFY2(stampato.contains(QLatin1String(atteso)), qPrintable(QLatin1String(atteso) + " in:\n" + stampato));
}

void TestPreventivoIntero::annullaDelNuovo()
{
    // The quote is made for seizure 30 and gets a row before it is given up.
    QVERIFY(form_DB->TableSequestri->locate("Id", 30));
    DaSequestro = true;
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    const int prima = conta("select count(*) from PreventiTestata");
    qint64 id = 0;
    conModale([l] { l->spdInserisci->click(); }, [&](QWidget *) {
        TfrmPreventivi *f = frmPreventivi;
        id = f->idDocumento();
        QCOMPARE(conta(QString("select Preventivo_Id from Sequestri where Id = 30")), int(id));
        scegli(f->DBLookupComboBox2, "d'Amico");
        f->PageControl1->setCurrentIndex(1);
        conModale([f] { f->spdInserisciDett->click(); }, [](QWidget *) { scegliTariffe({"CU1"}); });
        QCOMPARE(conta(QString("select count(*) from PreventiRighe where Prev_ID = %1").arg(id)), 1);
        dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
        f->spdAnnulla->click();
    });
    DaSequestro = false;
    QVERIFY(!frmPreventivi->isVisible());
    QVERIFY(id > 0);
    QCOMPARE(conta("select count(*) from PreventiTestata"), prima);
    QCOMPARE(conta(QString("select count(*) from PreventiRighe where Prev_ID = %1").arg(id)), 0);
    QCOMPARE(conta("select count(*) from Sequestri where Id = 30 and (Preventivo_Id is null or Preventivo_Id = 0) "
                   "and Preventivo_Descrizione is null"),
             1);
    // The other quotes keep their rows.
    QCOMPARE(conta("select count(*) from PreventiRighe where Prev_ID = 10"), 2);
}

void TestPreventivoIntero::targaEDateDaUnSequestro()
{
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    QVERIFY(form_DB->Table16->locate("ID", 11));
    conModale([l] { l->spdAvanti->click(); }, [&](QWidget *) {
        TfrmPreventivi *f = frmPreventivi;
        QVERIFY(f->btnSequestri->isEnabled());
        // "Indietro" of the list: nothing changes.
        conModale([f] { f->btnSequestri->click(); }, [](QWidget *w) {
            QCOMPARE(w, static_cast<QWidget *>(frmGrigliaSequestri));
            QVERIFY(form_DB->TableSequestri->locate("Id", 30));
            frmGrigliaSequestri->spdIndietro->click();
        });
        QCOMPARE(form_DB->Table16->fieldByName("Targa1").asString(), QString("CD456"));
        QVERIFY(form_DB->Table16->fieldByName("DataIngressoVeicolo").isNull());
        // A released seizure: plate, entry and release dates.
        conModale([f] { f->btnSequestri->click(); }, [](QWidget *) {
            QVERIFY(form_DB->TableSequestri->locate("Id", 30));
            frmGrigliaSequestri->spdAvanti->click();
        });
        QVERIFY(!frmGrigliaSequestri->isVisible());
        QCOMPARE(f->DBEdit7->text(), QString("EF789GH"));
        f->spdSalvaClick();
        esciDallEditor();
    });
    QCOMPARE(conta("select count(*) from PreventiTestata where ID = 11 and Targa1 = 'EF789GH' and "
                   "DataIngressoVeicolo = #2/10/2026# and DataUscitaVeicolo = #3/2/2026#"),
             1);
    // A seizure still held: the release date is emptied. The seizures' links stay as they were.
    QVERIFY(form_DB->Table16->locate("ID", 11));
    conModale([l] { l->spdAvanti->click(); }, [&](QWidget *) {
        conModale([] { frmPreventivi->btnSequestri->click(); }, [](QWidget *) {
            QVERIFY(form_DB->TableSequestri->locate("Id", 29));
            frmGrigliaSequestri->spdAvanti->click();
        });
        esciDallEditor();
    });
    QCOMPARE(conta("select count(*) from PreventiTestata where ID = 11 and Targa1 = 'XX111XX' and "
                   "DataIngressoVeicolo = #1/5/2026# and DataUscitaVeicolo is null"),
             1);
    QCOMPARE(conta("select count(*) from Sequestri where Preventivo_Id is not null and Preventivo_Id <> 0"), 0);
    // The list is back in its own mode.
    QVERIFY(!frmGrigliaSequestri->ModalitaScelta);
}

void TestPreventivoIntero::preventivoDalSequestro()
{
    // Plate EF789GH has no quote: the seizure's button makes one through the quote list.
    TfrmGrigliaSequestri *s = frmGrigliaSequestri;
    s->BitBtn3Click();
    QVERIFY(form_DB->TableSequestri->locate("Id", 30));
    const int prima = conta("select count(*) from PreventiTestata");
    bool editorAperto = false;
    qint64 id = 0;
    conModale([s] { s->spdAvanti->click(); }, [&](QWidget *w) {
        QCOMPARE(w, static_cast<QWidget *>(frmSequestri_Dettaglio));
        TfrmSequestri_Dettaglio *d = frmSequestri_Dettaglio;
        conModale([d] { d->SpeedButton4->click(); }, [&](QWidget *e) {
            editorAperto = e == frmPreventivi;
            id = frmPreventivi->idDocumento();
            QCOMPARE(form_DB->Table16->fieldByName("Targa1").asString(), QString("EF789GH"));
            scegli(frmPreventivi->DBLookupComboBox2, "Rossi Srl");
            esciDallEditor();
        });
        // The detail shows its new quote.
        QCOMPARE(form_DB->TableSequestri->fieldByName("Id").asInteger(), 30);
        QCOMPARE(form_DB->TableSequestri->fieldByName("Preventivo_Id").asLargeInt(), id);
        d->DatiModificati = false;
        d->spdIndietroClick();
    });
    QVERIFY(editorAperto);
    QCOMPARE(conta("select count(*) from PreventiTestata"), prima + 1);
    QCOMPARE(conta(QString("select count(*) from PreventiTestata where ID = %1 and Numero = 4 and Cliente_ID = 1 and Targa1 = 'EF789GH' and "
                           "DataIngressoVeicolo = #2/10/2026# and DataUscitaVeicolo = #3/2/2026#")
                       .arg(id)),
             1);
    QCOMPARE(conta("select Preventivo_Id from Sequestri where Id = 30"), int(id));
    QCOMPARE(valore("select Preventivo_Descrizione from Sequestri where Id = 30").toString(), QString("4 - del 15/03/2026"));
    QCOMPARE(conta("select count(*) from Sequestri where Id = 29 and (Preventivo_Id = 0 or Preventivo_Id is null)"), 1);
}
