#include "tst_righepreventivo.h"

#include "Ambiente.h"
#include "FixturePreventivi.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Registro.h"
#include "masterdata/Tariffe.h"
#include "masterdata/TariffeDett.h"
#include "sales/EditorFattura.h"
#include "sales/EditorPreventivo.h"
#include "sales/GrigliaPreventivi.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <functional>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }

// The rows' descriptions in the grid's order.
QStringList descrizioni()
{
    QStringList r;
    db::Query *q = form_DB->Table11;
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

// Runs `azione` once `finestra` is the modal window (opened from inside another modal one).
void quandoModale(QWidget *finestra, std::function<void()> azione)
{
    QTimer::singleShot(10, finestra, [finestra, azione] {
        if (QApplication::activeModalWidget() == finestra) azione();
        else quandoModale(finestra, azione);
    });
}

// Sets a column of the quote in the editor's buffer, without posting it.
void scriviTestata(const char *campo, const QVariant &v)
{
    db::Query *t = form_DB->Table16;
    if (!t->isEditing()) t->edit();
    t->fieldByName(campo).setValue(v);
}

} // namespace

void TestRighePreventivo::init()
{
    FiltroTariffe.clear();
    TariffeScelte.clear();
    g_banco = fixture_preventivi::crea({"frmGrigliaPreventivi", "Form2", "Form3"});
}

void TestRighePreventivo::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestRighePreventivo::pagina()
{
    TfrmPreventivi *f = frmPreventivi;
    QCOMPARE(f->PageControl1->tabText(1), QString("   Righe   "));
    QVERIFY(f->PageControl1->widget(1)->isAncestorOf(f->GroupBox1));
    QCOMPARE(ambiente::didascalie(f->ToolBar1, false),
             (QStringList{"Eimina", "Supplementi", "Tariffa", "Articolo non in archivio", "Avanti"}));
    QCOMPARE(f->spdEliminaDett->toolTip(), QString("Elimina il record corrente "));
    QCOMPARE(f->spdArticoloNonArchivio->toolTip(), QString("Inserisci un articolo non codificato nel tariffario"));
    QCOMPARE(f->spdAvantiDett->toolTip(), QString("Sava le modifiche effettuate"));
    QStringList colonne;
    for (const ui::DBGrid::Column &c : f->DBGrid1->columns()) colonne << QString("%1=%2:%3").arg(c.caption, c.fieldName).arg(c.width);
    QCOMPARE(colonne, (QStringList{"Quantità=Um:60", "Codice=Codice:100", "Descrizione=Descrizione:414",
                                   "Val. Unitario=ValoreUnitario:82", "Sconto=Sconto:51", "Prezzo Finale=ValoreTotale:86",
                                   "N° Riga=NumeroRiga:81"}));
    QCOMPARE(f->DBGrid1->toolTip(), QString("Puoi modificare i dati anche dalla griglia o cliccando il Pulsante Destro del Mouse"));
    QStringList voci;
    for (QAction *a : f->PopupMenu1->actions()) voci << a->text();
    QCOMPARE(voci, (QStringList{"Salva Griglia", "Elimina Colonna", "Reset Griglia"}));
    QCOMPARE(f->lblTotalePreventivo->text(), QString("Totale Preventivo"));
    // The total shown is the current quote's.
    g_banco->esegui("update PreventiTestata set TotalePreventivo = 60.45 where ID = 10");
    fixture_preventivi::punta(10);
    QVERIFY(f->DBTextTotale->text().contains("60,45"));
    // The rows grid's layout is restored at start-up under its own key.
    bool dichiarata = false;
    for (const forms::Registro::Griglia &g : forms::Registro::istanza().griglieCreate())
        if (g.chiave == "frmPreventivi_Griglia") dichiarata = g.form == f && g.griglia == f->DBGrid1;
    QVERIFY(dichiarata);
}

void TestRighePreventivo::tariffeConClienteNonSalvato()
{
    // Customer 3 (discount 20) is chosen in the editor and not stored yet: no stored quote
    // names it, and its discount is still found.
    g_banco->esegui("insert into Clienti (Id, Cognome, Cliente, NominativoDocumenti, Sconto) values (3, 'Neri', 'Neri', 'Neri', 20)");
    fixture_preventivi::punta(11);
    scriviTestata("Cliente_ID", 3);
    scriviTestata("Cliente", "Neri");
    frmPreventivi->DatiModificati = true;
    conModale([] { frmPreventivi->spdInserisciDett->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(Form2));
                  QCOMPARE(FiltroTariffe, QString("annullato = false"));
                  scegliTariffe({"TR1", "CU1"});
              });
    // In the price list's order (by description), numbered after each other, the customer's
    // discount on both.
    QCOMPARE(descrizioni(), (QStringList{"Custodia", "Traino urbano"}));
    QCOMPARE(scalar("select Sconto from PreventiRighe where Prev_ID = 11 and Codice = 'TR1'").toDouble(), 20.0);
    QCOMPARE(scalar("select Sconto from PreventiRighe where Prev_ID = 11 and Codice = 'CU1'").toDouble(), 20.0);
    QCOMPARE(scalar("select NumeroRiga from PreventiRighe where Prev_ID = 11 and Codice = 'CU1'").toInt(), 1);
    QCOMPARE(scalar("select NumeroRiga from PreventiRighe where Prev_ID = 11 and Codice = 'TR1'").toInt(), 2);
    // The gross follows the customer's discount as the net does (the tariff's 15.25 is before
    // it); the net is to the cent.
    QCOMPARE(scalar("select ValoreTotale from PreventiRighe where Prev_ID = 11 and Codice = 'TR1'").toDouble(), 12.2);
    QCOMPARE(scalar("select TotaleImponibile from PreventiRighe where Prev_ID = 11 and Codice = 'TR1'").toDouble(), 10.0);
    // 12.50 less 20% = 10 at 22% and 24 at 10%: 34.00, VAT 2.20 + 2.40.
    QCOMPARE(fixture_preventivi::totali(11), QString("3400/460/3860"));
    // The customer went with the totals; the editor's flag is left as it was.
    QCOMPARE(scalar("select Cliente_ID from PreventiTestata where ID = 11").toInt(), 3);
    QCOMPARE(scalar("select Cliente from PreventiTestata where ID = 11").toString(), QString("Neri"));
    QVERIFY(frmPreventivi->DatiModificati);
    QCOMPARE(form_DB->Table16->fieldByName("TotalePreventivo").asFloat(), 38.6);
    // The price list is left as every caller leaves it.
    QCOMPARE(FiltroTariffe, QString());
    QCOMPARE(form_DB->Table1->filter(), QString("Annullato = false"));
    for (const char *n : {"Edit1", "Edit2", "Edit4", "Edit5"}) QCOMPARE(Form2->casella(n)->text(), QString());
}

void TestRighePreventivo::filtroDelListino_data()
{
    QTest::addColumn<bool>("supplemento");
    QTest::addColumn<qint64>("preventivo");
    QTest::addColumn<QString>("testata");
    QTest::addColumn<bool>("perCliente");
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QStringList>("offerte");
    QTest::newRow("tariff type") << false << qint64(10) << "" << false << "annullato = false and TipoTariffa_Id = 2"
                                 << QStringList{"CU1", "TR1"};
    QTest::newRow("no tariff type") << false << qint64(11) << "" << false << "annullato = false"
                                    << QStringList{"CU1", "SU1", "TR1"};
    QTest::newRow("supplements whatever the type") << true << qint64(10) << "" << false
                                                   << "annullato = false and TipoTariffa_Id = 5" << QStringList{"SU1"};
    QTest::newRow("customer's and billing type")
        << false << qint64(10) << "TipoFatturazione_Id = 3" << true
        << "annullato = false and Cliente_ID = 1 and TipoTariffa_Id = 2 and TipoFatturazione_Id = 3" << QStringList{};
}

void TestRighePreventivo::filtroDelListino()
{
    QFETCH(bool, supplemento);
    QFETCH(qint64, preventivo);
    QFETCH(QString, testata);
    QFETCH(bool, perCliente);
    QFETCH(QString, filtro);
    QFETCH(QStringList, offerte);
    if (!testata.isEmpty()) g_banco->esegui(QString("update PreventiTestata set %1 where ID = %2").arg(testata).arg(preventivo));
    g_banco->esegui(QString("update opzioni set Inserimento_articoli_FiltraPreventivi_per_cliente = %1").arg(perCliente ? 1 : 0));
    form_DB->TableOpzioni->requery();
    fixture_preventivi::punta(preventivo);
    QString visto;
    QStringList offerteViste;
    conModale([&] { supplemento ? frmPreventivi->SpeedButton4Click() : frmPreventivi->spdInserisciDettClick(); },
              [&](QWidget *) {
                  visto = form_DB->Table1->filter();
                  db::Query *q = form_DB->Table1;
                  for (q->first(); !q->eof(); q->next()) offerteViste << q->fieldByName("Codice").asString();
                  Form2->spdIndietro->click();
              });
    QCOMPARE(visto, filtro);
    QCOMPARE(offerteViste, offerte);
    QCOMPARE(form_DB->Table1->filter(), QString("Annullato = false"));
}

void TestRighePreventivo::listinoChiusoSenzaScelta()
{
    g_banco->esegui("update PreventiTestata set TotImponibile = 1, TotImposta = 2, TotalePreventivo = 3 where ID = 10");
    fixture_preventivi::punta(10);
    conModale([] { frmPreventivi->spdInserisciDettClick(); }, [](QWidget *) { Form2->spdIndietro->click(); });
    QCOMPARE(descrizioni(), (QStringList{"Traino urbano", "Custodia"}));
    QCOMPARE(fixture_preventivi::totali(10), QString("100/200/300"));
    // Confirmed with nothing selected: no row either.
    conModale([] { frmPreventivi->spdInserisciDettClick(); }, [](QWidget *) { scegliTariffe({}); });
    QCOMPARE(scalar("select count(*) from PreventiRighe where Prev_ID = 10").toInt(), 2);
    QCOMPARE(form_DB->Table1->filter(), QString("Annullato = false"));
}

void TestRighePreventivo::totaliAMano()
{
    g_banco->esegui("insert into PreventiRighe (Prev_ID, NumeroRiga, Um, ValoreUnitario, Sconto, AliquotaIva, TotaleImponibile) "
                    "values (12, 1, 2, 12.5, 10, 22, 999), (12, 2, 1, 30, null, 10, 999), (12, 3, null, 100, 0, 22, 999)");
    fixture_preventivi::punta(12);
    form_DB->Table11->last();
    const qint64 corrente = form_DB->Table11->fieldByName("Id").asLargeInt();
    // A change of the header waiting in the editor is posted with the totals.
    scriviTestata("Note", "Scritta prima");
    frmPreventivi->DatiModificati = false;
    frmPreventivi->RicalcolaTotaliPreventivo();
    QCOMPARE(fixture_preventivi::totali(12), QString("5250/795/6045"));
    QCOMPARE(scalar("select Note from PreventiTestata where ID = 12").toString(), QString("Scritta prima"));
    QVERIFY(!frmPreventivi->DatiModificati);
    // The current row is kept.
    QCOMPARE(form_DB->Table11->fieldByName("Id").asLargeInt(), corrente);
}

void TestRighePreventivo::eliminaRiga_data()
{
    QTest::addColumn<bool>("conferma");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestRighePreventivo::eliminaRiga()
{
    QFETCH(bool, conferma);
    g_banco->esegui("insert into PreventiRighe (Prev_ID, NumeroRiga, Um, ValoreUnitario, AliquotaIva) values (12, 1, 1, 100, 22)");
    g_banco->esegui("update PreventiTestata set TotImponibile = 100, TotImposta = 22, TotalePreventivo = 122 where ID = 12");
    fixture_preventivi::punta(12);
    dialoghi().expectMessage("Sei sicuro di voler eliminare la riga?", conferma ? QMessageBox::Yes : QMessageBox::No);
    frmPreventivi->spdEliminaDett->click();
    QCOMPARE(scalar("select count(*) from PreventiRighe where Prev_ID = 12").toInt(), conferma ? 0 : 1);
    // Deleting the only row gives totals of nothing.
    QCOMPARE(fixture_preventivi::totali(12), conferma ? QString("0/0/0") : QString("10000/2200/12200"));
    // With no row nothing is asked.
    if (conferma) frmPreventivi->spdEliminaDettClick();
}

void TestRighePreventivo::ordinamento()
{
    fixture_preventivi::punta(10);
    db::Query *righe = form_DB->Table11;
    frmPreventivi->DBGrid1TitleClick("Descrizione");
    QCOMPARE(righe->sort(), QString());
    QCOMPARE(descrizioni(), (QStringList{"Traino urbano", "Custodia"}));
    frmPreventivi->DBGrid1TitleClick("Um");
    QCOMPARE(righe->sort(), QString("Um ASC"));
    frmPreventivi->DBGrid1TitleClick("Um");
    QCOMPARE(righe->sort(), QString("Um DESC"));
    QCOMPARE(descrizioni(), (QStringList{"Custodia", "Traino urbano"}));
    righe->setSort(QString());
}

void TestRighePreventivo::tariffaDellaRiga()
{
    const qint64 tariffa = scalar("select ID from prezziar where Codice = 'CU1'").toLongLong();
    g_banco->esegui(QString("insert into PreventiRighe (Prev_ID, NumeroRiga, Descrizione, Articolo_ID) values "
                            "(12, 1, 'Custodia', %1), (12, 2, 'Articolo da inserire', 0)")
                        .arg(tariffa));
    fixture_preventivi::punta(12);
    form_DB->Table1->setFilter("Annullato = false");
    QVERIFY(form_DB->Table11->locate("NumeroRiga", 1));
    conModale([] { frmPreventivi->SpeedButton14->click(); }, [&](QWidget *w) {
        QCOMPARE(w, static_cast<QWidget *>(Form3));
        QCOMPARE(form_DB->Table1->fieldByName("Codice").asString(), QString("CU1"));
        Form3->DatiModificati = false;
        Form3->spdIndietroClick();
    });
    // A free row has no tariff; a tariff the price list hides is not found: nothing opens.
    bool aperta = false;
    QObject contesto;
    const auto guarda = [&] {
        QTimer::singleShot(0, &contesto, [&] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                aperta = true;
                w->close();
            }
        });
    };
    QVERIFY(form_DB->Table11->locate("NumeroRiga", 2));
    guarda();
    frmPreventivi->SpeedButton14Click();
    QCoreApplication::processEvents();
    g_banco->esegui(QString("update prezziar set Annullato = true where ID = %1").arg(tariffa));
    form_DB->Table1->requery();
    QVERIFY(form_DB->Table11->locate("NumeroRiga", 1));
    guarda();
    frmPreventivi->SpeedButton14Click();
    QCoreApplication::processEvents();
    QVERIFY(!aperta);
}

void TestRighePreventivo::senzaEditorDelleRighe()
{
    // Without the row editor a free row could never be completed: the buttons that open it
    // wait, and nothing is stored.
    fixture_preventivi::punta(12);
    frmPreventivi->show();
    QVERIFY(!frmPreventivi->spdArticoloNonArchivio->isEnabled());
    QVERIFY(!frmPreventivi->spdAvantiDett->isEnabled());
    frmPreventivi->spdArticoloNonArchivioClick();
    QCOMPARE(scalar("select count(*) from PreventiRighe where Prev_ID = 12").toInt(), 0);
    frmPreventivi->hide();
}

void TestRighePreventivo::preventivoImportatoInFattura()
{
    g_banco.reset();
    g_banco = fixture_preventivi::crea({"frmGrigliaPreventivi", "Form2", "Form3", "Form7"},
                                       {"insert into fattura (ID, Num, Data, Cliente_ID, Cliente) values "
                                        "(1, 1, #3/20/2026#, 1, 'Rossi Srl')",
                                        "update opzioni set conto_ID_Predefinito_su_FattureVendita_Generale = 101"});
    // A quote made through the list, its customer chosen in the editor and its rows taken from
    // the price list.
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    conModale([l] { l->spdInserisciClick(); }, [](QWidget *) {
        scriviTestata("Cliente_ID", 1);
        scriviTestata("Cliente", "Rossi Srl");
        frmPreventivi->PageControl1->setCurrentIndex(1);
        quandoModale(Form2, [] { scegliTariffe({"TR1", "CU1"}); });
        frmPreventivi->spdInserisciDett->click();
        frmPreventivi->DatiModificati = false;
        frmPreventivi->spdIndietroClick();
    });
    const qint64 id = l->ultimaAggiunta();
    QVERIFY(id > 13);
    QCOMPARE(fixture_preventivi::totali(id), QString("4038/546/4584"));

    // The invoice's "Importazioni" page offers it and copies its rows.
    form_DB->Table3->requery();
    QVERIFY(form_DB->Table3->locate("ID", 1));
    for (const auto &[q, sql] : QList<std::pair<db::Query *, QString>>{
             {form_DB->Table4, "select * from fattdett where NumFatt = 1 order by NumeroRiga"},
             {form_DB->TableFatturaScadenze, "select * from FatturaScadenze where Fattura_ID = 1 order by DataScadenza,Numero"},
             {form_DB->TableOrdiniClienti, "select * from OrdiniClienti where Fattura_ID = 1 order by Data"},
             {form_DB->TableFatturaAllegati, "select * from Fattura_Allegati where Fattura_Id = 1 order by NomeAttachment"},
             {form_DB->TableFatturaPreventiviRighe, "select * from FatturaPreventiviRighe where Fattura_ID = 1 order by Data"}}) {
        q->close();
        q->setSql(sql);
        q->open();
    }
    Form7->show();
    Form7->ricaricaPreventivi();
    ui::DBLookupComboBox *scelta = Form7->DBLookupComboBox3;
    // The customer's quotes not invoiced: the fixture's 10 and 12, and the new one (number 4).
    const int i = scelta->findText("numero 4 Data: 15/03/2026");
    QVERIFY2(i >= 0, qPrintable(QString::number(scelta->count())));
    scelta->setCurrentIndex(i);
    Q_EMIT scelta->activated(i);
    QCOMPARE(scalar(QString("select Fatturato from PreventiTestata where ID = %1").arg(id)).toInt(), 1);
    db::Query q(&form_DB->Connessione);
    q.setSql(QString("select * from fattdett where Prev_ID = %1 order by NumeroRiga").arg(id));
    q.open();
    QStringList righe;
    for (q.first(); !q.eof(); q.next()) {
        QStringList v;
        for (const char *col : {"NumFatt", "NumeroRiga", "TipoRiga", "Codice", "Descrizione", "Um", "ValoreUnitario", "Sconto",
                                "TotaleImponibile", "ValoreTotale", "AliquotaIva", "Iva_ID", "Note"})
            v << q.fieldByName(col).asString();
        righe << v.join('|');
    }
    // Net and gross of each row from its own price, discount and rate, as typed on an invoice.
    QCOMPARE(righe, (QStringList{"1|1|N|CU1|Custodia|1|30|5|28,5|31,35|10|2|Preventivo numero 4",
                                 "1|2|N|TR1|Traino urbano|1|12,5|5|11,875|14,49|22|1|Preventivo numero 4"}));
    Form7->hide();
}
