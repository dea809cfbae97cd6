#include "tst_ordiniallegati.h"

#include "Ambiente.h"
#include "Banco.h"
#include "FixturePagine.h"
#include "data/DB.h"
#include "db/Query.h"
#include "sales/EditorFattura.h"
#include "sales/ModificaAllegati.h"
#include "sales/ModificaOrdiniClienti.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
std::unique_ptr<QTemporaryDir> g_cartella;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    if (!testo.isEmpty()) QTest::keyClicks(e, testo);
}

bool annullaVisibile(forms::DetailForm *d)
{
    for (QAction *a : d->ToolBar2->actions())
        if (d->ToolBar2->widgetForAction(a) == d->spdAnnulla) return a->isVisible();
    return false;
}

QString fileEsistente()
{
    const QString percorso = g_cartella->filePath("verbale.pdf");
    QFile f(percorso);
    f.open(QIODevice::WriteOnly);
    f.write("%PDF-1.4\n");
    return percorso;
}

} // namespace

void TestOrdiniAllegati::init()
{
    g_cartella = std::make_unique<QTemporaryDir>();
    g_banco = fixture_pagine::banco({"Form7", "frmModificaOrdiniClienti", "frmModifica_Fattura_Allegati"},
                                    {"insert into OrdiniClienti (Id, Fattura_ID, Numero, Data) values (40, 2, 'ALTRA', #1/2/2026#)",
                                     "insert into Fattura_Allegati (Id, Fattura_Id, NomeAttachment) values (50, 2, 'altra')"});
    fixture_pagine::puntaFattura(1);
    Form7->show();
}

void TestOrdiniAllegati::cleanup()
{
    Form7->hide();
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    g_cartella.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestOrdiniAllegati::ordineNuovoAnnullato()
{
    TfrmModificaOrdiniClienti *f = frmModificaOrdiniClienti;
    conModale([] { Form7->SpeedButton18->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(f));
                  QCOMPARE(w->windowTitle(), QString("Ordini Clienti"));
                  QVERIFY(annullaVisibile(f));
                  QVERIFY(f->DatiModificati);
                  // Stored before the editor shows it, with the invoice's id and date.
                  QCOMPARE(scalar("select count(*) from OrdiniClienti where Fattura_ID = 1").toInt(), 1);
                  QCOMPARE(f->DBData->text(), QString("10/03/2026"));
                  // No keeps the row and the form.
                  dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::No);
                  f->spdAnnulla->click();
                  QVERIFY(f->isVisible());
                  QCOMPARE(scalar("select count(*) from OrdiniClienti where Fattura_ID = 1").toInt(), 1);
                  dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                  f->spdAnnulla->click();
              });
    QVERIFY(!f->isVisible());
    QVERIFY(!annullaVisibile(f));
    QCOMPARE(scalar("select count(*) from OrdiniClienti").toInt(), 1);
    QCOMPARE(Form7->DBGrid1->model()->rowCount(), 0);
}

void TestOrdiniAllegati::ordineCampiRichiesti_data()
{
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("nothing typed") << "" << "10/03/2026" << "E' necessario salvare il numero di Ordine!!!";
    QTest::newRow("number without date") << "PO-1" << "" << "E' necessario salvare la data di Ordine!!!";
    QTest::newRow("a date that is no date") << "PO-1" << "32/13/2026" << "E' necessario salvare la data di Ordine!!!";
}

void TestOrdiniAllegati::ordineCampiRichiesti()
{
    QFETCH(QString, numero);
    QFETCH(QString, data);
    QFETCH(QString, messaggio);
    TfrmModificaOrdiniClienti *f = frmModificaOrdiniClienti;
    conModale([] { Form7->SpeedButton18->click(); },
              [&](QWidget *w) {
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  scrivi(f->DBNumero, numero);
                  scrivi(f->DBData, data);
                  dialoghi().expectMessage(messaggio);
                  f->spdIndietro->click();
                  QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di Avviso!!"));
                  QVERIFY(f->isVisible());
                  QVERIFY(f->SalvataggioFallito);
                  QCOMPARE(QApplication::focusWidget(),
                           static_cast<QWidget *>(numero.isEmpty() ? f->DBNumero : f->DBData));
                  dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                  f->spdAnnulla->click();
              });
    QCOMPARE(scalar("select count(*) from OrdiniClienti where Fattura_ID = 1").toInt(), 0);
}

void TestOrdiniAllegati::ordineCompletato()
{
    TfrmModificaOrdiniClienti *f = frmModificaOrdiniClienti;
    conModale([] { Form7->SpeedButton18->click(); },
              [&](QWidget *) {
                  scrivi(f->DBNumero, "PO-1");
                  scrivi(f->DBCodiceCig, "CIG123");
                  scrivi(f->DBCodiceCup, "CUP9");
                  scrivi(f->DBCodiceCommessaConvenzione, "COMM'1");
                  scrivi(f->DBNote, "solo nota");
                  f->spdIndietro->click();
              });
    QVERIFY(!f->isVisible());
    QVERIFY(!f->DatiModificati);
    db::Query q(&form_DB->Connessione);
    q.setSql("select * from OrdiniClienti where Fattura_ID = 1");
    q.open();
    QCOMPARE(q.recordCount(), 1);
    QStringList valori;
    for (const char *c : {"Numero", "Data", "CodiceCig", "CodiceCup", "CodiceCommessaConvenzione", "Note"})
        valori << q.fieldByName(c).asString();
    QCOMPARE(valori, QStringList({"PO-1", "10/03/2026", "CIG123", "CUP9", "COMM'1", "solo nota"}));
    QCOMPARE(Form7->DBGrid1->model()->rowCount(), 1);
}

void TestOrdiniAllegati::ordineModificaEElimina()
{
    g_banco->esegui("insert into OrdiniClienti (Id, Fattura_ID, Numero, Data) values (41, 1, 'PO-7', #3/1/2026#)");
    form_DB->TableOrdiniClienti->requery();
    TfrmModificaOrdiniClienti *f = frmModificaOrdiniClienti;
    conModale([] { Form7->SpeedButton20->click(); },
              [&](QWidget *) {
                  QVERIFY(!annullaVisibile(f));
                  QCOMPARE(f->DBNumero->text(), QString("PO-7"));
                  scrivi(f->DBNumero, "PO-8");
                  f->spdIndietro->click();
              });
    QCOMPARE(scalar("select Numero from OrdiniClienti where Id = 41").toString(), QString("PO-8"));
    dialoghi().expectMessage("Sei sicuro di voler eliminare il record ?", QMessageBox::No);
    Form7->SpeedButton7->click();
    QCOMPARE(scalar("select count(*) from OrdiniClienti").toInt(), 2);
    dialoghi().expectMessage("Sei sicuro di voler eliminare il record ?", QMessageBox::Yes);
    Form7->SpeedButton7->click();
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    QCOMPARE(scalar("select count(*) from OrdiniClienti").toInt(), 1);
    // Without orders, nothing is asked.
    Form7->SpeedButton7->click();
    Form7->SpeedButton20->click();
}

void TestOrdiniAllegati::allegatoNuovoAnnullato()
{
    TfrmModifica_Fattura_Allegati *f = frmModifica_Fattura_Allegati;
    conModale([] { Form7->spdInserisciAllegato->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(f));
                  QCOMPARE(w->windowTitle(), QString("Allegati"));
                  QCOMPARE(w->property("helpContext").toInt(), 800);
                  QVERIFY(annullaVisibile(f));
                  QCOMPARE(scalar("select count(*) from Fattura_Allegati where Fattura_Id = 1").toInt(), 1);
                  dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::No);
                  f->spdAnnulla->click();
                  QVERIFY(f->isVisible());
                  dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                  f->spdAnnulla->click();
              });
    QCOMPARE(scalar("select count(*) from Fattura_Allegati where Fattura_Id = 1").toInt(), 0);
    QCOMPARE(scalar("select count(*) from Fattura_Allegati").toInt(), 1);
}

void TestOrdiniAllegati::allegatoNuovoLasciatoVuoto()
{
    TfrmModifica_Fattura_Allegati *f = frmModifica_Fattura_Allegati;
    // Left at once: no empty attachment stays behind to break the e-invoice.
    conModale([] { Form7->spdInserisciAllegato->click(); }, [&](QWidget *) { f->spdIndietro->click(); });
    QVERIFY(!f->isVisible());
    QCOMPARE(scalar("select count(*) from Fattura_Allegati where Fattura_Id = 1").toInt(), 0);
    QCOMPARE(scalar("select count(*) from Fattura_Allegati").toInt(), 1);
    QCOMPARE(Form7->DBGrid13->model()->rowCount(), 0);
}

void TestOrdiniAllegati::allegatoControlli_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("percorso"); // "esiste" for a file that exists
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QString>("fuoco");
    QTest::newRow("no name") << "" << "esiste" << "Attenzione manca il nome dell'allegato" << "DBNomeAttachment";
    QTest::newRow("no path") << "Verbale" << "" << "Attenzione manca il Percorso dell'allegato" << "DBPercorsoCompleto";
    QTest::newRow("no such file") << "Verbale" << "/nessuna/cartella/verbale.pdf"
                                  << "Attenzione il File non risulta esistere nel percorso definito !"
                                  << "DBPercorsoCompleto";
}

void TestOrdiniAllegati::allegatoControlli()
{
    QFETCH(QString, nome);
    QFETCH(QString, percorso);
    QFETCH(QString, messaggio);
    QFETCH(QString, fuoco);
    if (percorso == "esiste") percorso = fileEsistente();
    TfrmModifica_Fattura_Allegati *f = frmModifica_Fattura_Allegati;
    conModale([] { Form7->spdInserisciAllegato->click(); },
              [&](QWidget *w) {
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  scrivi(f->DBNomeAttachment, nome);
                  scrivi(f->DBPercorsoCompleto, percorso);
                  f->DatiModificati = true; // what typing a character does
                  dialoghi().expectMessage(messaggio);
                  f->spdIndietro->click();
                  QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
                  QVERIFY(f->isVisible());
                  QVERIFY(QApplication::focusWidget());
                  QCOMPARE(QApplication::focusWidget()->objectName(), fuoco);
                  dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                  f->spdAnnulla->click();
              });
    QCOMPARE(scalar("select count(*) from Fattura_Allegati where Fattura_Id = 1").toInt(), 0);
}

void TestOrdiniAllegati::allegatoCercaEModifica()
{
    const QString file = fileEsistente();
    TfrmModifica_Fattura_Allegati *f = frmModifica_Fattura_Allegati;
    conModale([] { Form7->spdInserisciAllegato->click(); },
              [&](QWidget *) {
                  scrivi(f->DBNomeAttachment, "Verbale");
                  scrivi(f->DBFormatoAttachment, "PDF");
                  // A cancelled dialog changes nothing; a chosen file fills the path.
                  dialoghi().queueOpenFile(QString());
                  f->Cerca->click();
                  QCOMPARE(f->DBPercorsoCompleto->text(), QString());
                  dialoghi().queueOpenFile(file);
                  f->DatiModificati = false;
                  f->Cerca->click();
                  QVERIFY(f->DatiModificati);
                  QCOMPARE(f->DBPercorsoCompleto->text(), file);
                  f->spdIndietro->click();
              });
    QVERIFY(!f->isVisible());
    QCOMPARE(scalar("select PercorsoCompleto from Fattura_Allegati where Fattura_Id = 1").toString(), file);
    QCOMPARE(scalar("select FormatoAttachment from Fattura_Allegati where Fattura_Id = 1").toString(), QString("PDF"));
    // A later "Modifica" shows the editor without "Annulla", and Indietro without changes saves nothing.
    conModale([] { Form7->spdModificaAllegato->click(); },
              [&](QWidget *) {
                  QVERIFY(!annullaVisibile(f));
                  QCOMPARE(f->DBNomeAttachment->text(), QString("Verbale"));
                  f->spdIndietro->click();
              });
    QCOMPARE(scalar("select count(*) from Fattura_Allegati where Fattura_Id = 1").toInt(), 1);
}

void TestOrdiniAllegati::allegatoElimina()
{
    g_banco->esegui("insert into Fattura_Allegati (Id, Fattura_Id, NomeAttachment) values (51, 1, 'uno'), (52, 1, 'due')");
    form_DB->TableFatturaAllegati->requery();
    dialoghi().expectMessage("Sei sicuro di voler eliminare il Record dell'Allegato ?", QMessageBox::No);
    Form7->spdEliminaAllegato->click();
    QCOMPARE(scalar("select count(*) from Fattura_Allegati where Fattura_Id = 1").toInt(), 2);
    dialoghi().expectMessage("Sei sicuro di voler eliminare il Record dell'Allegato ?", QMessageBox::Yes);
    Form7->spdEliminaAllegato->click();
    QCOMPARE(scalar("select count(*) from Fattura_Allegati where Fattura_Id = 1").toInt(), 1);
    QCOMPARE(Form7->DBGrid13->model()->rowCount(), 1);
}
