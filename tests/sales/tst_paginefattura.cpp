#include "tst_paginefattura.h"

#include "Ambiente.h"
#include "Banco.h"
#include "FixturePagine.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Registro.h"
#include "masterdata/Aspetto.h"
#include "masterdata/Porto.h"
#include "sales/EditorFattura.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

void avvia(const QStringList &forms, const QStringList &altre = {})
{
    g_banco = fixture_pagine::banco(forms, altre);
    fixture_pagine::puntaFattura(1);
}

void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, testo);
}

// The colours of one cell of a grid as drawn: the background at the cell's right end, and the
// darkest pixel (the text).
struct Cella {
    QColor sfondo;
    int testoPiuScuro;
};
Cella cella(ui::DBGrid *g, int riga, int colonna)
{
    const QImage img = g->viewport()->grab().toImage();
    const QRect r = g->visualRect(g->model()->index(riga, colonna));
    Cella c{img.pixelColor(r.right() - 3, r.center().y()), 255};
    for (int x = r.left(); x < r.right(); ++x)
        for (int y = r.top(); y < r.bottom(); ++y) c.testoPiuScuro = qMin(c.testoPiuScuro, qGray(img.pixel(x, y)));
    return c;
}

} // namespace

void TestPagineFattura::cleanup()
{
    if (!g_banco) return;
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestPagineFattura::scadenzePagateAzzurre()
{
    avvia({"Form7"});
    Form7->resize(1100, 700);
    Form7->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form7));
    ui::DBGrid *g = Form7->DBGrid3;
    QCOMPARE(g->model()->rowCount(), 3);
    QCOMPARE(g->toolTip(), QString("Le righe azzurre sono state già pagate"));
    // The second instalment is current: the selection colour stays, the text is black on it.
    form_DB->TableFatturaScadenze->setCurrentIndex(1);
    QApplication::processEvents();
    const Cella pagata = cella(g, 0, 0);
    const Cella selezionata = cella(g, 1, 0);
    const Cella normale = cella(g, 2, 0);
    QCOMPARE(pagata.sfondo, QColor(0, 255, 255));
    QVERIFY(normale.sfondo != QColor(0, 255, 255));
    QVERIFY(selezionata.sfondo != QColor(0, 255, 255));
    QVERIFY(selezionata.sfondo != normale.sfondo);
    for (const Cella &c : {pagata, selezionata, normale}) QCOMPARE(c.testoPiuScuro, 0);
    Form7->hide();
}

void TestPagineFattura::aggiungiScadenza()
{
    fixture_pagine::registraDettaglioScadenze();
    avvia({"Form7", "frmScadenziarioDettaglio"});
    Form7->show();
    QVERIFY(Form7->spdInserisciPiccolo->isEnabled());
    auto *dettaglio = qobject_cast<forms::DetailForm *>(forms::Registro::istanza().voce("frmScadenziarioDettaglio")->corrente());
    QVERIFY(dettaglio);
    bool annullaVisibile = false;
    conModale([] { Form7->spdInserisciPiccolo->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(dettaglio));
                  for (QAction *a : dettaglio->ToolBar2->actions())
                      if (dettaglio->ToolBar2->widgetForAction(a) == dettaglio->spdAnnulla) annullaVisibile = a->isVisible();
                  QCOMPARE(dettaglio->findChild<QLabel *>("Label2")->text(), QString("Cliente"));
                  QVERIFY(!dettaglio->findChild<QWidget *>("LookFornitori")->isVisibleTo(dettaglio));
                  QVERIFY(dettaglio->findChild<QWidget *>("LookClienti")->isVisibleTo(dettaglio));
                  // The detail is on the new instalment.
                  QCOMPARE(form_DB->TableFatturaScadenze->fieldByName("Numero").asInteger(), 4);
                  dettaglio->spdIndietro->click();
              });
    QVERIFY(annullaVisibile);
    QCOMPARE(scalar("select count(*) from FatturaScadenze where Fattura_ID = 1").toInt(), 4);
    db::Query q(&form_DB->Connessione);
    q.setSql("select * from FatturaScadenze where Numero = 4");
    q.open();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.fieldByName("Fattura_ID").asInteger(), 1);
    QCOMPARE(q.fieldByName("DataScadenza").asString(), QString("15/03/2026"));
    QCOMPARE(q.fieldByName("Tipo").asString(), QString("F"));
    QCOMPARE(q.fieldByName("Pagato").asBoolean(), false);
    QCOMPARE(q.fieldByName("Importo").asFloat(), 0.0);
    QCOMPARE(q.fieldByName("ModPagamento_Id").asInteger(), 2);
    QCOMPARE(q.fieldByName("Banca_ID").asInteger(), 3);
    QCOMPARE(q.fieldByName("Cliente_id").asInteger(), 5);
    // Nothing else is recomputed: the others keep their amounts.
    QCOMPARE(scalar("select sum(Importo) from FatturaScadenze").toDouble(), 300.0);
    // A later change shows the detail without "Annulla".
    conModale([] { Form7->spdModificaPiccolo->click(); },
              [&](QWidget *) {
                  for (QAction *a : dettaglio->ToolBar2->actions())
                      if (dettaglio->ToolBar2->widgetForAction(a) == dettaglio->spdAnnulla) annullaVisibile = a->isVisible();
                  dettaglio->spdIndietro->click();
              });
    QVERIFY(!annullaVisibile);
    Form7->hide();
}

void TestPagineFattura::pulsantiSenzaForm()
{
    // Only the editor: the forms its buttons open are not there.
    avvia({"Form7"});
    Form7->show();
    for (QToolButton *b : {Form7->spdInserisciPiccolo, Form7->spdModificaPiccolo, Form7->btnSequestri, Form7->SpeedButton23,
                           Form7->SpeedButton24, Form7->SpeedButton6, Form7->SpeedButton21, Form7->SpeedButton18,
                           Form7->spdInserisciAllegato})
        QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
    QCOMPARE(Form7->findChild<QToolButton *>("btnSequestri"), Form7->btnSequestri);
    // Called anyway, the add stores no instalment nobody could fill.
    Form7->spdInserisciPiccoloClick();
    Form7->SpeedButton18Click();
    Form7->spdInserisciAllegatoClick();
    QCOMPARE(scalar("select count(*) from FatturaScadenze").toInt(), 3);
    QCOMPARE(scalar("select count(*) from OrdiniClienti").toInt(), 0);
    QCOMPARE(scalar("select count(*) from Fattura_Allegati").toInt(), 0);
    Form7->hide();
}

void TestPagineFattura::eliminaScadenza_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<int>("risposta");
    QTest::addColumn<int>("scadenze");
    QTest::addColumn<int>("movimenti");
    QTest::newRow("option on: its payment goes") << true << int(QMessageBox::Yes) << 2 << 1;
    QTest::newRow("option off: only the instalment") << false << int(QMessageBox::Yes) << 2 << 2;
    QTest::newRow("No keeps both") << true << int(QMessageBox::No) << 3 << 2;
}

void TestPagineFattura::eliminaScadenza()
{
    QFETCH(bool, opzione);
    QFETCH(int, risposta);
    QFETCH(int, scadenze);
    QFETCH(int, movimenti);
    avvia({"Form7"}, {QString("update opzioni set DuplicaFatturazioneInPrimaNota = %1").arg(opzione ? "true" : "false"),
                      "insert into finanzia (ID, Tipo, Fattura_ID, FatturaScadenze_Id, Uscita) values "
                      "(1, 'A', 1, 1, 100), (2, '1', 1, 0, 0)"});
    form_DB->TableFatturaScadenze->setCurrentIndex(0);
    dialoghi().expectMessage("Sei sicuro di voler eliminare il Record?", QMessageBox::StandardButton(risposta));
    Form7->spdEliminaPiccolo->click();
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    QCOMPARE(scalar("select count(*) from FatturaScadenze").toInt(), scadenze);
    QCOMPARE(scalar("select count(*) from finanzia").toInt(), movimenti);
    QCOMPARE(form_DB->TableFatturaScadenze->recordCount(), scadenze);
    QCOMPARE(scalar("select sum(Importo) from FatturaScadenze").toDouble(), 100.0 * scadenze);
}

void TestPagineFattura::trasportoBackspaceSvuota()
{
    avvia({"Form7"}, {"update fattura set Porto_ID = 1, Aspetto_ID = 1, Personale_ID = 1 where ID = 1"});
    fixture_pagine::puntaFattura(1);
    Form7->show();
    Form7->PageControl1->setCurrentIndex(3);
    for (ui::DBLookupComboBox *l : {Form7->DBLookupComboBox7, Form7->DBLookupComboBox9, Form7->DBLookupComboBox10}) {
        QVERIFY2(!l->currentText().isEmpty(), qPrintable(l->objectName()));
        Form7->DatiModificati = false;
        l->setFocus();
        QTest::keyClick(l, Qt::Key_Backspace);
        QVERIFY2(l->currentText().isEmpty(), qPrintable(l->objectName()));
        QVERIFY2(Form7->DatiModificati, qPrintable(l->objectName()));
    }
    QVERIFY(form_DB->Table3->isEditing());
    for (const char *campo : {"Porto_ID", "Aspetto_ID", "Personale_ID"})
        QVERIFY2(form_DB->Table3->fieldByName(campo).isNull(), campo);
    // A pick marks the invoice modified.
    Form7->DatiModificati = false;
    const int i = Form7->DBLookupComboBox7->findText("Franco fabbrica");
    QVERIFY(i >= 0);
    Form7->DBLookupComboBox7->setCurrentIndex(i);
    Q_EMIT Form7->DBLookupComboBox7->activated(i);
    QVERIFY(Form7->DatiModificati);
    QCOMPARE(form_DB->Table3->fieldByName("Porto_ID").asInteger(), 1);
    form_DB->Table3->cancel();
    Form7->hide();
}

void TestPagineFattura::portoPiuAggiungeTermine()
{
    avvia({"Form7", "frmPorto"});
    Form7->show();
    QVERIFY(Form7->SpeedButton6->isEnabled());
    conModale([] { Form7->SpeedButton6->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmPorto));
                  scrivi(frmPorto->DBEdit1, "CIF");
                  scrivi(frmPorto->DBEdit2, "Porto franco");
                  frmPorto->spdIndietro->click();
              });
    QCOMPARE(scalar("select Codice from FatturaPorto where Descrizione = 'Porto franco'").toString(), QString("CIF"));
    // Offered by the lookup at once.
    QVERIFY(Form7->DBLookupComboBox7->findText("Porto franco") >= 0);
    // "+" then "Indietro" without typing stores nothing and leaves no blank row pending.
    conModale([] { Form7->SpeedButton6->click(); }, [&](QWidget *) { frmPorto->spdIndietro->click(); });
    QCOMPARE(scalar("select count(*) from FatturaPorto").toInt(), 2);
    QVERIFY(!form_DB->TablePorto->isEditing());
    QCOMPARE(Form7->DBLookupComboBox7->count(), 2);
    Form7->hide();
}

void TestPagineFattura::aspettoPiuAggiungeTermine()
{
    avvia({"Form7", "frmAspetto"});
    Form7->show();
    conModale([] { Form7->SpeedButton21->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmAspetto));
                  scrivi(frmAspetto->DBEdit2, "Sfuso");
                  frmAspetto->bitSalva->click();
                  frmAspetto->spdIndietro->click();
              });
    QCOMPARE(scalar("select count(*) from FatturaAspetto").toInt(), 2);
    QVERIFY(Form7->DBLookupComboBox9->findText("Sfuso") >= 0);
    QVERIFY(Form7->DBLookupComboBox9->findText("Scatole") >= 0);
    Form7->hide();
}

void TestPagineFattura::importaPreventivoEAnnulla()
{
    avvia({"Form7"});
    Form7->show();
    Form7->ricaricaPreventivi();
    ui::DBLookupComboBox *l = Form7->DBLookupComboBox3;
    // Only the customer's quote not invoiced.
    QCOMPARE(l->count(), 1);
    QCOMPARE(l->itemText(0), QString("numero 7 Data: 20/02/2026"));
    Form7->DatiModificati = false;
    l->setCurrentIndex(0);
    Q_EMIT l->activated(0);
    QCOMPARE(scalar("select count(*) from fattdett where NumFatt = 1 and Prev_ID = 12").toInt(), 3);
    QCOMPARE(scalar("select ContabilitaConti_ID from fattdett where Prev_ID = 12 and TipoRiga = 'T'").toInt(), 102);
    QCOMPARE(scalar("select ContabilitaConti_ID from fattdett where Prev_ID = 12 and TipoRiga = 'S'").toInt(), 103);
    QCOMPARE(scalar("select count(*) from fattdett where Prev_ID = 12 and Note = 'Preventivo numero 7'").toInt(), 3);
    QCOMPARE(scalar("select Fatturato from PreventiTestata where ID = 12").toInt(), 1);
    // The editor shows the rows and the link, and the quote has left the lookup.
    QCOMPARE(form_DB->Table4->recordCount(), 4);
    QCOMPARE(Form7->DBGrid5->model()->rowCount(), 1);
    QCOMPARE(Form7->DBGrid5->model()->index(0, 0).data().toString(), QString("7"));
    QCOMPARE(l->count(), 0);
    QVERIFY(!Form7->DatiModificati);

    Form7->BitBtn1->click();
    QCOMPARE(scalar("select count(*) from fattdett where NumFatt = 1").toInt(), 1);
    QCOMPARE(scalar("select count(*) from FatturaPreventiviRighe").toInt(), 0);
    QCOMPARE(scalar("select Fatturato from PreventiTestata where ID = 12").toInt(), 0);
    QCOMPARE(form_DB->Table4->recordCount(), 1);
    QCOMPARE(Form7->DBGrid5->model()->rowCount(), 0);
    QCOMPARE(l->count(), 1);
    QVERIFY(Form7->DatiModificati);
    // Nothing to undo: nothing happens.
    Form7->BitBtn1->click();
    QCOMPARE(scalar("select count(*) from fattdett").toInt(), 1);
    Form7->hide();
}

void TestPagineFattura::preventiviSenzaCliente()
{
    avvia({"Form7"}, {"insert into PreventiTestata (ID, Numero, Cliente_ID, Data) values (15, 10, 0, #2/23/2026#)"});
    fixture_pagine::puntaFattura(2);
    Form7->ricaricaPreventivi();
    QCOMPARE(Form7->DBLookupComboBox3->count(), 0);
}

void TestPagineFattura::importaSenzaPreventivo()
{
    avvia({"Form7"});
    fixture_pagine::puntaFattura(2);
    Form7->ricaricaPreventivi();
    dialoghi().expectMessage("Attenzione è necessario salvare la fattura prima di inserirci i riferimenti al Preventivo");
    Form7->DBLookupComboBox3Click();
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    QCOMPARE(scalar("select count(*) from FatturaPreventiviRighe").toInt(), 0);
}

void TestPagineFattura::sequestro_data()
{
    QTest::addColumn<bool>("ordineEsistente");
    QTest::addColumn<bool>("scelto");
    QTest::newRow("no order yet: one added") << false << true;
    QTest::newRow("an order already: only plate and dates") << true << true;
    QTest::newRow("closed without a choice") << false << false;
}

void TestPagineFattura::sequestro()
{
    QFETCH(bool, ordineEsistente);
    QFETCH(bool, scelto);
    fixture_pagine::registraGrigliaSequestri();
    QStringList altre = {"insert into Sequestri (Id, Numero, AutoTarga, Data, DataDissequestro) values "
                         "(1, 31, 'AB123CD', #2/1/2026#, #3/5/2026#), (2, 32, 'ZZ999ZZ', #2/2/2026#, null)"};
    if (ordineEsistente) altre << "insert into OrdiniClienti (Fattura_ID, Numero, Data) values (1, 'PO-1', #1/15/2026#)";
    avvia({"Form7", "frmGrigliaSequestri"}, altre);
    Form7->show();
    QVERIFY(Form7->btnSequestri->isEnabled());
    auto *lista = qobject_cast<forms::ListForm *>(forms::Registro::istanza().voce("frmGrigliaSequestri")->corrente());
    Form7->DatiModificati = false;
    conModale([] { Form7->btnSequestri->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(lista));
                  QVERIFY(lista->ModalitaScelta);
                  QVERIFY(form_DB->TableSequestri->locate("Id", 1));
                  if (scelto) lista->spdAvanti->click();
                  else lista->spdIndietro->click();
              });
    QVERIFY(!lista->ModalitaScelta);
    QCOMPARE(Form7->DatiModificati, scelto);
    db::Query *f = form_DB->Table3;
    QCOMPARE(f->fieldByName("Targa").asString(), QString(scelto ? "AB123CD" : ""));
    QCOMPARE(f->fieldByName("DataIngressoVeicolo").asString(), QString(scelto ? "01/02/2026" : ""));
    QCOMPARE(f->fieldByName("DataUscitaVeicolo").asString(), QString(scelto ? "05/03/2026" : ""));
    QCOMPARE(scalar("select count(*) from OrdiniClienti where Fattura_ID = 1").toInt(), ordineEsistente || scelto ? 1 : 0);
    if (scelto && !ordineEsistente) {
        QCOMPARE(scalar("select Numero from OrdiniClienti where Fattura_ID = 1").toString(), QString("31"));
        QCOMPARE(scalar("select Data from OrdiniClienti where Fattura_ID = 1").toString(), QString("2026-02-01 00:00:00"));
    }
    if (ordineEsistente) QCOMPARE(scalar("select Numero from OrdiniClienti where Fattura_ID = 1").toString(), QString("PO-1"));
    // The seizure itself is not changed here.
    QCOMPARE(scalar("select Fattura_Id from Sequestri where Id = 1").toInt(), 0);
    if (f->isEditing()) f->cancel();
    Form7->hide();
}

void TestPagineFattura::primaNota_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::newRow("option on: the invoice's row") << true;
    QTest::newRow("option off: nothing") << false;
}

void TestPagineFattura::primaNota()
{
    QFETCH(bool, opzione);
    avvia({"Form7", "CassaDettaglio"},
          {QString("update opzioni set DuplicaFatturazioneInPrimaNota = %1").arg(opzione ? "true" : "false"),
           "insert into finanzia (ID, Tipo, Fattura_ID, Data, Operazione, Entrata, Cliente_id) values "
           "(8, 'A', 1, #3/10/2026#, 'Pagamento', 0, 5), (9, '1', 1, #3/10/2026#, 'Fattura n. 1', 300, 5)",
           "update fattura set Finanzia_id = 9 where ID = 1"});
    fixture_pagine::puntaFattura(1);
    auto *cassa = qobject_cast<forms::DetailForm *>(forms::Registro::istanza().voce("CassaDettaglio")->corrente());
    QVERIFY(cassa);
    // As the cash book's list leaves them for a document's row.
    for (const char *nome : {"DBEdit1", "DBEdit2", "DBEdit3", "DBEdit4", "DBLookupComboBox2", "DBLookupComboBox1"})
        cassa->findChild<QWidget *>(nome)->setEnabled(false);
    const QString primaSql = form_DB->Table2->sql();
    if (!opzione) {
        Form7->spdPrimaNotaClick();
        QVERIFY(!cassa->isVisible());
        QCOMPARE(form_DB->Table2->sql(), primaSql);
        return;
    }
    conModale([] { Form7->spdPrimaNotaClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(cassa));
                  QCOMPARE(form_DB->Table2->recordCount(), 1);
                  QCOMPARE(form_DB->Table2->fieldByName("ID").asInteger(), 9);
                  for (const char *nome : {"DBEdit1", "DBEdit2", "DBEdit3", "DBEdit4", "DBLookupComboBox2", "DBLookupComboBox1"})
                      QVERIFY2(cassa->findChild<QWidget *>(nome)->isEnabled(), nome);
                  cassa->spdIndietro->click();
              });
}
