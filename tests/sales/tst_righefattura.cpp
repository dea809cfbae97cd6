#include "tst_righefattura.h"

#include "Ambiente.h"
#include "FixtureRighe.h"
#include "data/DB.h"
#include "db/Query.h"
#include "masterdata/Tariffe.h"
#include "masterdata/TariffeDett.h"
#include "sales/EditorFattura.h"
#include "sales/ModificaFatture.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
qint64 g_id = 0;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

// The rows' descriptions in the grid's order.
QStringList descrizioni()
{
    QStringList r;
    db::Query *q = form_DB->Table4;
    const int corrente = q->currentIndex();
    for (q->first(); !q->eof(); q->next()) r << q->fieldByName("Descrizione").asString();
    q->setCurrentIndex(corrente);
    return r;
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

} // namespace

void TestRigheFattura::init()
{
    FiltroTariffe.clear();
    TariffeScelte.clear();
    g_banco = fixture_righe::crea();
    g_id = fixture_righe::idFattura();
    fixture_righe::puntaFattura(g_id);
}

void TestRigheFattura::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestRigheFattura::pagina()
{
    QCOMPARE(ambiente::didascalie(Form7->ToolBar1, false),
             (QStringList{"Elimina", "Aggiungi Supplemento", "Aggiungi Tariffa", "Spese di Trasporto", "Spese di Incasso",
                          "Articolo non in archivio", "Modifica"}));
    QCOMPARE(Form7->spdAvantiDett->toolTip(), QString("Sava le modifiche effettuate"));
    QStringList colonne;
    for (const ui::DBGrid::Column &c : Form7->DBGrid2->columns()) colonne << QString("%1=%2:%3").arg(c.caption, c.fieldName).arg(c.width);
    QCOMPARE(colonne, (QStringList{"Mezzo=Targa1:96", "Descrizione=Descrizione:417", "Quantità=Um:61",
                                   "Valore Unitario=ValoreUnitario:104", "Sconto=Sconto:50", "Rif. Doc.=RIFDDT:105",
                                   "Data Doc.=DataDDT:84", "N° riga=NumeroRiga:50", "Note=Note:210"}));
    QCOMPARE(Form7->GroupBox2->findChild<QToolButton *>("SpeedButton15"), Form7->SpeedButton15);
    QCOMPARE(Form7->PopupMenu1->actions().size(), 3);
}

void TestRigheFattura::tariffeDalListino()
{
    // The customer's discount (5) replaces the tariffs': the customer is chosen, not invoiced yet.
    g_banco->esegui(QString("update fattura set Cliente_ID = 1 where ID = %1").arg(g_id));
    g_banco->esegui("update prezziar set PrezzoImposto = true where Codice = 'CU1'");
    fixture_righe::puntaFattura(g_id);
    conModale([] { Form7->spdInserisciDettClick(); },
              [](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(Form2));
                  QCOMPARE(FiltroTariffe, QString("annullato = false and TipoTariffa_Id = 2"));
                  scegliTariffe({"TR1", "CU1"});
              });
    // In the price list's order (by description), numbered after each other.
    QCOMPARE(descrizioni(), (QStringList{"Custodia", "Traino urbano"}));
    QCOMPARE(scalar(QString("select Sconto from fattdett where NumFatt = %1 and Codice = 'TR1'").arg(g_id)).toDouble(), 5.0);
    QCOMPARE(scalar(QString("select Sconto from fattdett where NumFatt = %1 and Codice = 'CU1'").arg(g_id)).toDouble(), 0.0);
    QCOMPARE(scalar(QString("select NumeroRiga from fattdett where NumFatt = %1 and Codice = 'TR1'").arg(g_id)).toInt(), 2);
    // 12.50 less 5% = 11.875 at 22% and 30 at 10%: 41.88 (11.88 + 30), VAT 2.61 + 3.
    QCOMPARE(fixture_righe::totali(g_id), QString("4188/561/4749"));
    QCOMPARE(form_DB->Table3->fieldByName("TotFattura").asFloat(), 47.49);
    QCOMPARE(fixture_righe::rate(g_id), (QList<qint64>{2375, 2374}));
    // The price list is left as every caller leaves it.
    QCOMPARE(FiltroTariffe, QString());
    QCOMPARE(form_DB->Table1->filter(), QString("Annullato = false"));
    for (const char *n : {"Edit1", "Edit2", "Edit4", "Edit5"}) QCOMPARE(Form2->casella(n)->text(), QString());
}

void TestRigheFattura::filtroDelListino_data()
{
    QTest::addColumn<bool>("supplemento");
    QTest::addColumn<QString>("fattura");
    QTest::addColumn<bool>("perCliente");
    QTest::addColumn<QString>("filtro");
    QTest::newRow("tariff type") << false << "TipoTariffa_Id = 2" << false << "annullato = false and TipoTariffa_Id = 2";
    QTest::newRow("no tariff type") << false << "TipoTariffa_Id = 0" << false << "annullato = false";
    QTest::newRow("supplements whatever the type") << true << "TipoTariffa_Id = 2" << false << "annullato = false and TipoTariffa_Id = 5";
    QTest::newRow("customer's and billing type")
        << false << "Cliente_ID = 1, TipoFatturazione_Id = 3" << true
        << "annullato = false and Cliente_ID = 1 and TipoTariffa_Id = 2 and TipoFatturazione_Id = 3";
}

void TestRigheFattura::filtroDelListino()
{
    QFETCH(bool, supplemento);
    QFETCH(QString, fattura);
    QFETCH(bool, perCliente);
    QFETCH(QString, filtro);
    g_banco->esegui(QString("update fattura set %1 where ID = %2").arg(fattura).arg(g_id));
    g_banco->esegui(QString("update opzioni set Inserimento_articoli_FiltraTuttiDocumenti_per_cliente = %1").arg(perCliente ? 1 : 0));
    form_DB->TableOpzioni->requery();
    fixture_righe::puntaFattura(g_id);
    QString visto;
    conModale([&] { supplemento ? Form7->spdInserisciSupplementiClick() : Form7->spdInserisciDettClick(); },
              [&](QWidget *) {
                  visto = form_DB->Table1->filter();
                  if (supplemento) {
                      QStringList offerte;
                      db::Query *q = form_DB->Table1;
                      for (q->first(); !q->eof(); q->next()) offerte << q->fieldByName("Codice").asString();
                      QCOMPARE(offerte, QStringList{"SU1"});
                  }
                  Form2->spdIndietro->click();
              });
    QCOMPARE(visto, filtro);
}

void TestRigheFattura::listinoChiusoSenzaScelta()
{
    Form2->casella("Edit1")->setText("Tra");
    conModale([] { Form7->spdInserisciDettClick(); },
              [](QWidget *) {
                  form_DB->Table1->first();
                  form_DB->Table1->setRowSelected(0, true);
                  Form2->spdIndietro->click();
              });
    QCOMPARE(scalar("select count(*) from fattdett").toInt(), 0);
    QCOMPARE(Form2->casella("Edit1")->text(), QString());
    // Confirmed without a selection: nothing either.
    conModale([] { Form7->spdInserisciDettClick(); },
              [](QWidget *) {
                  form_DB->Table1->clearSelection();
                  Form2->spdAvanti->click();
              });
    QCOMPARE(scalar("select count(*) from fattdett").toInt(), 0);
}

void TestRigheFattura::speseDiTrasportoAnnullate()
{
    // A row already there: the totals must come back to it.
    g_banco->esegui(QString("insert into fattdett (NumFatt, Descrizione, NumeroRiga, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID) "
                            "values (%1, 'Traino', 1, 1, 100, 0, 22, 1)").arg(g_id));
    fixture_righe::puntaFattura(g_id);
    Form7->SpeedButton3Click();
    QCOMPARE(fixture_righe::totali(g_id), QString("10000/2200/12200"));

    // Answering No leaves the row and the form as they were; Yes removes the row.
    for (const auto risposta : {QMessageBox::No, QMessageBox::Yes}) {
        conModale([] { Form7->SpeedButton1Click(); },
                  [&](QWidget *w) {
                      QCOMPARE(w, static_cast<QWidget *>(frmModificaFatture));
                      QVERIFY(frmModificaFatture->spdAnnulla->isVisible());
                      QVERIFY(frmModificaFatture->DatiModificati);
                      // Stored before the editor opened, and counted in the totals.
                      QCOMPARE(form_DB->Table4->fieldByName("Descrizione").asString(), QString("Spese di Trasporto"));
                      QCOMPARE(scalar(QString("select count(*) from fattdett where NumFatt = %1 and TipoRiga = 'T' and "
                                              "ValoreUnitario = 50 and TotaleImponibile = 50 and ValoreTotale = 61 and NumeroRiga = 2")
                                          .arg(g_id))
                                   .toInt(),
                               1);
                      QCOMPARE(fixture_righe::totali(g_id), QString("15000/3300/18300"));
                      dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", risposta);
                      frmModificaFatture->spdAnnulla->click();
                      if (risposta == QMessageBox::No) {
                          QVERIFY(frmModificaFatture->isVisible());
                          frmModificaFatture->spdIndietro->click(); // saves the row as it is
                      }
                  });
        QVERIFY(!frmModificaFatture->isVisible());
        QVERIFY(!frmModificaFatture->spdAnnulla->isVisible());
        if (risposta == QMessageBox::No) {
            QCOMPARE(scalar("select count(*) from fattdett where TipoRiga = 'T'").toInt(), 1);
            g_banco->esegui("delete from fattdett where TipoRiga = 'T'");
            fixture_righe::puntaFattura(g_id);
            Form7->SpeedButton3Click();
        }
    }
    QCOMPARE(scalar("select count(*) from fattdett where TipoRiga = 'T'").toInt(), 0);
    QCOMPARE(descrizioni(), QStringList{"Traino"});
    QCOMPARE(fixture_righe::totali(g_id), QString("10000/2200/12200"));
    QCOMPARE(fixture_righe::rate(g_id), (QList<qint64>{6100, 6100}));
}

void TestRigheFattura::articoloNonInArchivio()
{
    g_banco->esegui("update opzioni set AliquotaIva = 10, Iva_Id = 2");
    conModale([] { Form7->spdArticoloNonArchivioClick(); },
              [](QWidget *) {
                  // Its gross follows its own rate.
                  QCOMPARE(form_DB->Table4->fieldByName("ValoreTotale").asFloat(), 1.10);
                  QCOMPARE(form_DB->Table4->fieldByName("TipoRiga").asString(), QString("A"));
                  QCOMPARE(fixture_righe::totali(g_id), QString("100/10/110"));
                  dialoghi().expectMessage("annullare", QMessageBox::Yes);
                  frmModificaFatture->spdAnnulla->click();
              });
    QCOMPARE(scalar("select count(*) from fattdett").toInt(), 0);
    QCOMPARE(fixture_righe::totali(g_id), QString("0/0/0"));
}

void TestRigheFattura::totaliEScadenze()
{
    // By hand: 2 × 12.50 less 10% = 22.50 at 22% (4.95), 30 at 10% (3), 500 without quantity.
    g_banco->esegui(QString("insert into fattdett (NumFatt, Descrizione, NumeroRiga, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID) "
                            "values (%1, 'Traino', 1, 2, 12.5, 10, 22, 1), (%1, 'Custodia', 2, 1, 30, 0, 10, 2), "
                            "(%1, 'Vuota', 3, null, 500, 0, 22, 1)").arg(g_id));
    fixture_righe::puntaFattura(g_id);
    form_DB->Table4->locate("Descrizione", "Custodia");
    Form7->DatiModificati = false;
    Form7->SpeedButton3Click();
    QCOMPARE(fixture_righe::totali(g_id), QString("5250/795/6045"));
    db::Query *testata = form_DB->Table3;
    QCOMPARE(testata->fieldByName("TotImponibile").asFloat(), 52.50);
    QCOMPARE(testata->fieldByName("TotImposta").asFloat(), 7.95);
    QCOMPARE(testata->fieldByName("TotFattura").asFloat(), 60.45);
    // The instalments follow: 60.45 in two, the last one the rest.
    QCOMPARE(fixture_righe::rate(g_id), (QList<qint64>{3023, 3022}));
    QCOMPARE(form_DB->TableFatturaScadenze->recordCount(), 2);
    QCOMPARE(form_DB->TableFatturaScadenze->fieldByName("Importo").asFloat(), 30.23);
    // The user's row stays current; the header's checks do not run, nothing is marked.
    QCOMPARE(form_DB->Table4->fieldByName("Descrizione").asString(), QString("Custodia"));
    QVERIFY(!Form7->DatiModificati);
}

void TestRigheFattura::eliminaUnicaRiga()
{
    g_banco->esegui(QString("insert into fattdett (NumFatt, Descrizione, NumeroRiga, Um, ValoreUnitario, AliquotaIva) "
                            "values (%1, 'Traino', 1, 1, 100, 22)").arg(g_id));
    fixture_righe::puntaFattura(g_id);
    Form7->SpeedButton3Click();
    QCOMPARE(fixture_righe::rate(g_id), (QList<qint64>{6100, 6100}));
    dialoghi().expectMessage("Sei sicuro di voler eliminare il record ?", QMessageBox::No);
    Form7->spdEliminaDett->click();
    QCOMPARE(scalar("select count(*) from fattdett").toInt(), 1);
    dialoghi().expectMessage("Sei sicuro di voler eliminare il record ?", QMessageBox::Yes);
    Form7->spdEliminaDett->click();
    QCOMPARE(scalar("select count(*) from fattdett").toInt(), 0);
    QVERIFY(form_DB->Table4->isEmpty());
    QCOMPARE(fixture_righe::totali(g_id), QString("0/0/0"));
    QCOMPARE(fixture_righe::rate(g_id), (QList<qint64>{0, 0}));
}

void TestRigheFattura::senzaRighe()
{
    // "Modifica" and "Elimina" do nothing on an invoice without rows: no question, no window.
    Form7->spdEliminaDett->click();
    Form7->spdAvantiDett->click();
    Form7->DBGrid2DblClick();
    QVERIFY(!frmModificaFatture->isVisible());
    Form7->SpeedButton14->click();
    QVERIFY(!Form3->isVisible());
}

void TestRigheFattura::ordinamento()
{
    g_banco->esegui(QString("insert into fattdett (NumFatt, Descrizione, NumeroRiga, Um) values (%1, 'B', 1, 3), (%1, 'A', 2, 1), "
                            "(%1, 'C', 3, 2)").arg(g_id));
    fixture_righe::puntaFattura(g_id);
    Form7->DBGrid2TitleClick("Um");
    QCOMPARE(form_DB->Table4->sort(), QString("Um ASC"));
    QCOMPARE(descrizioni(), (QStringList{"A", "C", "B"}));
    Form7->DBGrid2TitleClick("Descrizione");
    QCOMPARE(form_DB->Table4->sort(), QString("Um ASC"));
    Form7->DBGrid2TitleClick("NumeroRiga");
    QCOMPARE(descrizioni(), (QStringList{"C", "A", "B"}));
    form_DB->Table4->setSort(QString());
}

void TestRigheFattura::primaNota()
{
    // With the cash-book mirror the totals rewrite the invoice's row there, linked from the
    // invoice, and mark the invoice modified.
    g_banco->esegui("update opzioni set DuplicaFatturazioneInPrimaNota = true");
    g_banco->esegui(QString("insert into fattdett (NumFatt, Descrizione, NumeroRiga, Um, ValoreUnitario, AliquotaIva) "
                            "values (%1, 'Traino', 1, 1, 100, 22)").arg(g_id));
    fixture_righe::puntaFattura(g_id);
    Form7->DatiModificati = false;
    Form7->SpeedButton3Click();
    const qint64 riga = scalar(QString("select ID from finanzia where Tipo = '1' and Fattura_ID = %1").arg(g_id)).toLongLong();
    QVERIFY(riga > 0);
    QCOMPARE(scalar(QString("select Uscita from finanzia where ID = %1").arg(riga)).toDouble(), 122.0);
    QCOMPARE(form_DB->Table3->fieldByName("Finanzia_id").asLargeInt(), riga);
    QVERIFY(Form7->DatiModificati);
    // The header still saves: it holds what the schedule stored.
    form_DB->Table3->fieldByName("Note").setAsString("dopo");
    QVERIFY(form_DB->Table3->post());
}

void TestRigheFattura::tariffaDellaRiga()
{
    const qint64 tariffa = scalar("select Id from prezziar where Codice = 'CU1'").toLongLong();
    g_banco->esegui(QString("insert into fattdett (NumFatt, Descrizione, NumeroRiga, Um, Articolo_ID) values (%1, 'Custodia', 1, 1, %2)")
                        .arg(g_id)
                        .arg(tariffa));
    fixture_righe::puntaFattura(g_id);
    form_DB->Table1->setFilter("Annullato = false");
    conModale([] { Form7->SpeedButton14->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(Form3));
                  QCOMPARE(form_DB->Table1->fieldByName("Id").asLargeInt(), tariffa);
                  Form3->spdIndietro->click();
              });
    // A tariff the price list's filter hides is not found: nothing opens.
    form_DB->Table1->setFilter("Codice = 'TR1'");
    Form7->SpeedButton14->click();
    QVERIFY(!Form3->isVisible());
    form_DB->Table1->setFilter("Annullato = false");
    // "+" adds a tariff to the price list, not a row to the invoice.
    const int tariffe = scalar("select count(*) from prezziar").toInt();
    conModale([] { Form7->SpeedButton15->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(Form3));
                  QVERIFY(Form3->spdAnnulla->isVisible());
                  Form3->DBEdit2->setText("Nuova tariffa");
                  dialoghi().expectMessage("annullare", QMessageBox::Yes);
                  Form3->spdAnnulla->click();
              });
    QCOMPARE(scalar("select count(*) from prezziar").toInt(), tariffe);
    QCOMPARE(scalar("select count(*) from fattdett").toInt(), 1);
}
