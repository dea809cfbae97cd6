#include "tst_cassa.h"

#include "Ambiente.h"
#include "Banco.h"
#include "accounting/CassaPrimaNota.h"
#include "accounting/GrigliaContabilitaConti.h"
#include "accounting/services/RicercaPrimaNota.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/ListForm.h"
#include "forms/DetailForm.h"
#include "forms/Registro.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

const QString kElimina = QStringLiteral("Sei sicuro di voler eliminare l'operazione?");

// Six rows of 2026 (the tests' clock is 15 March 2026) and one of 2025 in history; amounts
// chosen so that their sums need cents.
const QStringList kFixture = {
    "insert into Clienti (Id, NominativoVisualizzato) values (1, 'Bar Roma'), (2, 'D''Angelo Mario')",
    "insert into Fornitor (Id, Fornitore) values (1, 'Petroli Sud'), (2, 'Gomme Nord')",
    "insert into Bank (Id, Banca, Iban) values (1, 'Banca Uno', 'IT01'), (2, 'Banca Due', 'IT02')",
    "insert into finanzia (ID, Data, Operazione, Entrata, Uscita, Cliente_id, Banca_ID, Tipologia_ID, Fattura_ID, Tipo) values "
    "(1, #1/1/2026#, 'Incasso bar', 10.11, null, 1, 0, 1, 0, 'A'),"
    "(2, #1/31/2026 23:59:59#, 'Incasso d''Angelo', 2500.05, 0, 2, 1, 2, 0, 'A'),"
    "(3, #2/1/2026#, 'Pagamento gasolio', null, 45.99, 0, 0, 1, 0, 'A'),"
    "(4, #2/15/2026 10:30:00#, 'Fattura 12/2026', 0, 800, 0, 2, 2, 12, '1'),"
    "(5, #3/1/2026 8:00:00#, 'incasso officina', 3.33, 0, 1, 0, 3, 0, 'A'),"
    "(6, #3/14/2026#, 'Giroconto', 1, 1, 0, 2, 3, null, 'A')",
    "insert into finanzia (ID, Data, Operazione, Entrata, Storico) values (7, #12/31/2025#, 'Incasso vecchio', 7.77, true)",
    // The invoice paid was the supplier's.
    "update finanzia set Fornitore_id = 1 where ID = 4",
};

void scrivi(QWidget *w, const QString &testo)
{
    w->setFocus();
    if (auto *e = qobject_cast<QLineEdit *>(w)) e->selectAll();
    QTest::keyClick(w, Qt::Key_Delete);
    QTest::keyClicks(w, testo);
}

void scegli(QComboBox *l, const QString &testo)
{
    const int i = l->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

} // namespace

QList<int> idMostrati()
{
    QList<int> l;
    db::Query *q = form_DB->TableCercaPrimaNota;
    const int col = q->fieldIndex("ID");
    for (int r = 0; r < q->recordCount(); ++r) l << q->valueAt(r, col).toInt();
    std::sort(l.begin(), l.end());
    return l;
}

void TestCassa::init()
{
    g_banco = std::make_unique<banco::Banco>(QStringList{"Form5", "frmGrigliaContabilitaConti", "frmClienti", "Fornitori", "frmGrigliaBanche"}, kFixture);
    Form5->impostaElenco(primanota::sqlElencoAnno(2026));
    Form5->BitBtn3Click();
    Form5->show();
}

void TestCassa::cleanup()
{
    Form5->hide();
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().unexpected().join('\n')));
    g_banco.reset();
}

void TestCassa::filtriDelleCaselle_data()
{
    QTest::addColumn<QString>("casella"); // component name; "radio:<name>" clicks a radio button
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QList<int>>("attesi");
    QTest::addColumn<QString>("entrate");
    QTest::addColumn<QString>("uscite");
    QTest::addColumn<QString>("totale");
    QTest::newRow("reset: this year's rows") << "" << "" << QList<int>{1, 2, 3, 4, 5, 6} << "2514,49" << "846,99" << "1667,5";
    QTest::newRow("only alla Data: the whole end day") << "maskAData" << "31012026" << QList<int>{1, 2} << "2510,16" << "0"
                                                       << "2510,16";
    QTest::newRow("Dalla Data from midnight") << "maskDaData" << "01022026" << QList<int>{3, 4, 5, 6} << "4,33" << "846,99"
                                              << "-842,66";
    QTest::newRow("Operazione prefix") << "txtOperazione" << "incasso" << QList<int>{1, 2, 5} << "2513,49" << "0" << "2513,49";
    QTest::newRow("Operazione star") << "txtOperazione" << "*" << QList<int>{1, 2, 3, 4, 5, 6} << "2514,49" << "846,99" << "1667,5";
    QTest::newRow("apostrophe matched literally") << "txtOperazione" << "Incasso d'A" << QList<int>{2} << "2500,05" << "0"
                                                  << "2500,05";
    QTest::newRow("Cliente with apostrophe") << "Edit1" << "D'Ang" << QList<int>{2} << "2500,05" << "0" << "2500,05";
    QTest::newRow("Fornitore prefix") << "Edit2" << "petr" << QList<int>{4} << "0" << "800" << "-800";
    QTest::newRow("Fornitore: a prefix, not a part") << "Edit2" << "Sud" << QList<int>{} << "0" << "0" << "0";
    QTest::newRow("Cassa") << "radio:flagCassa" << "" << QList<int>{1, 3} << "10,11" << "45,99" << "-35,88";
    QTest::newRow("Banca") << "radio:flagBanca" << "" << QList<int>{2, 4} << "2500,05" << "800" << "1700,05";
    QTest::newRow("Fuori Cassa") << "radio:flagFuoriCassa" << "" << QList<int>{5, 6} << "4,33" << "1" << "3,33";
}

void TestCassa::filtriDelleCaselle()
{
    QFETCH(QString, casella);
    QFETCH(QString, testo);
    QFETCH(QList<int>, attesi);
    QFETCH(QString, entrate);
    QFETCH(QString, uscite);
    QFETCH(QString, totale);
    if (casella.startsWith("radio:")) {
        Form5->findChild<QRadioButton *>(casella.mid(6))->click();
    } else if (!casella.isEmpty()) {
        auto *e = Form5->findChild<QLineEdit *>(casella);
        QVERIFY(e);
        scrivi(e, testo);
        QTest::keyClick(e, Qt::Key_Return);
    }
    QCOMPARE(idMostrati(), attesi);
    QCOMPARE(Form5->lblEntrate->text(), entrate);
    QCOMPARE(Form5->lblUscite->text(), uscite);
    QCOMPARE(Form5->lblTotale->text(), totale);
    // "reset" shows every row again, with their totals.
    Form5->BitBtn3->click();
    QCOMPARE(idMostrati(), QList<int>({1, 2, 3, 4, 5, 6}));
    QCOMPARE(Form5->lblTotale->text(), QString("1667,5"));
    QVERIFY(Form5->FlagTutti->isChecked());
}

void TestCassa::dataNonValidaNonFiltra()
{
    scrivi(Form5->txtOperazione, "Incasso");
    Form5->BitBtn2->click();
    QCOMPARE(idMostrati(), QList<int>({1, 2, 5}));
    dialoghi().expectMessage("Attenzione data non valida: 31/02/2026");
    scrivi(Form5->maskAData, "31022026");
    Form5->BitBtn2->click();
    // The filter in force stays, and so do the totals.
    QCOMPARE(idMostrati(), QList<int>({1, 2, 5}));
    QCOMPARE(Form5->lblEntrate->text(), QString("2513,49"));
}

void TestCassa::bancaCancellataCercaSubito()
{
    scegli(Form5->DBLookupComboBox4, "IT02");
    QCOMPARE(idMostrati(), QList<int>({4, 6}));
    Form5->DBLookupComboBox4->setFocus();
    QTest::keyClick(Form5->DBLookupComboBox4, Qt::Key_Delete);
    QVERIFY(Form5->DBLookupComboBox4->currentText().isEmpty());
    QCOMPARE(idMostrati(), QList<int>({1, 2, 3, 4, 5, 6}));
}

void TestCassa::salvataggio_data()
{
    QTest::addColumn<QString>("operazione");
    QTest::addColumn<bool>("svuotaData");
    QTest::addColumn<bool>("corrispettivi");
    QTest::addColumn<QString>("iva"); // a rate picked by description, or none
    QTest::addColumn<QString>("messaggio"); // empty: stored
    QTest::newRow("plain entry") << "Versamento" << false << false << "" << "";
    QTest::newRow("no description") << "" << false << false << "" << "Attenzione manca l'Operazione";
    QTest::newRow("no date") << "Versamento" << true << false << "" << "Attenzione manca la data";
    QTest::newRow("takings without rate") << "Corrispettivi" << false << true << "" << "Attenzione manca l'Aliquota Iva";
    QTest::newRow("takings with rate") << "Corrispettivi" << false << true << "Iva 22%" << "";
    QTest::newRow("rate without takings") << "Scontrino" << false << false << "Iva 10%" << "";
}

void TestCassa::salvataggio()
{
    QFETCH(QString, operazione);
    QFETCH(bool, svuotaData);
    QFETCH(bool, corrispettivi);
    QFETCH(QString, iva);
    QFETCH(QString, messaggio);
    const int prima = scalar("select count(*) from finanzia").toInt();
    if (!messaggio.isEmpty()) {
        dialoghi().expectMessage(messaggio);
        dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
    }
    conModale([] { Form5->spdInserisciClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, CassaDettaglio);
                  QVERIFY(CassaDettaglio->spdAnnulla->isVisible());
                  QCOMPARE(CassaDettaglio->DBEdit1->text(), QString("15/03/2026"));
                  if (svuotaData) scrivi(CassaDettaglio->DBEdit1, "");
                  scrivi(CassaDettaglio->DBEdit2, operazione);
                  scrivi(CassaDettaglio->DBEdit3, "12.5");
                  QCOMPARE(CassaDettaglio->DBEdit3->text(), QString("12,5"));
                  if (!iva.isEmpty()) scegli(CassaDettaglio->DBLookupComboBox21, iva);
                  if (corrispettivi) CassaDettaglio->DBCheckBox16->click();
                  CassaDettaglio->spdIndietro->click();
                  if (messaggio.isEmpty()) return;
                  // Refused: still open with what was typed, then given up.
                  QVERIFY(CassaDettaglio->isVisible());
                  QCOMPARE(CassaDettaglio->DBEdit2->text(), operazione);
                  QCOMPARE(CassaDettaglio->DBEdit3->text(), QString("12,5"));
                  CassaDettaglio->spdAnnulla->click();
              });
    QVERIFY(!CassaDettaglio->isVisible());
    if (!messaggio.isEmpty()) {
        QCOMPARE(scalar("select count(*) from finanzia").toInt(), prima);
        return;
    }
    QCOMPARE(scalar("select count(*) from finanzia").toInt(), prima + 1);
    const QString ultima = "select %1 from finanzia order by ID desc limit 1";
    QCOMPARE(scalar(ultima.arg("Operazione")).toString(), operazione);
    QCOMPARE(scalar(ultima.arg("Tipo")).toString(), QString("A"));
    QCOMPARE(scalar(ultima.arg("Entrata")).toDouble(), 12.5);
    QCOMPARE(scalar(ultima.arg("Corrispettivi")).toBool(), corrispettivi);
    if (iva.isEmpty()) {
        QVERIFY(scalar(ultima.arg("Nz(Iva_id, 0)")).toInt() == 0);
    } else {
        QCOMPARE(scalar(ultima.arg("Iva_id")).toInt(), scalar("select Id from Iva where Descrizione = '" + iva + "'").toInt());
        QCOMPARE(scalar(ultima.arg("AliquotaIva")).toDouble(), scalar("select Iva from Iva where Descrizione = '" + iva + "'").toDouble());
    }
    // The list shows the new row, and the totals count it.
    QVERIFY(idMostrati().contains(scalar(ultima.arg("ID")).toInt()));
    QCOMPARE(Form5->lblEntrate->text(), QString("2526,99"));
}

void TestCassa::aggiuntaNascostaDalFiltro()
{
    scrivi(Form5->txtOperazione, "Giro");
    Form5->BitBtn2->click();
    QCOMPARE(idMostrati(), QList<int>({6}));
    conModale([] { Form5->spdInserisciClick(); },
              [&](QWidget *) {
                  // The editor is on the new row, not on the list's current one.
                  QVERIFY(CassaDettaglio->DBEdit2->text().isEmpty());
                  scrivi(CassaDettaglio->DBEdit2, "Prelievo");
                  CassaDettaglio->spdIndietro->click();
              });
    QCOMPARE(scalar("select Operazione from finanzia where ID = 6").toString(), QString("Giroconto"));
    QCOMPARE(scalar("select count(*) from finanzia where Operazione = 'Prelievo'").toInt(), 1);
}

void TestCassa::annullaEliminaLaNuova()
{
    const int prima = scalar("select count(*) from finanzia").toInt();
    dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
    conModale([] { Form5->spdInserisciClick(); }, [&](QWidget *) { CassaDettaglio->spdAnnulla->click(); });
    QCOMPARE(scalar("select count(*) from finanzia").toInt(), prima);
    QCOMPARE(idMostrati(), QList<int>({1, 2, 3, 4, 5, 6}));
    // An existing row opened afterwards shows no "Annulla".
    conModale([] { Form5->spdAvantiClick(); }, [&](QWidget *) {
        QVERIFY(!CassaDettaglio->spdAnnulla->isVisible());
        CassaDettaglio->spdIndietro->click();
    });
}

void TestCassa::rigaDiDocumento_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("bloccati");
    QTest::newRow("document row, option on") << true << 4 << true;
    QTest::newRow("document row, option off") << false << 4 << false;
    QTest::newRow("own row, option on") << true << 3 << false;
}

void TestCassa::rigaDiDocumento()
{
    QFETCH(bool, opzione);
    QFETCH(int, id);
    QFETCH(bool, bloccati);
    g_banco->esegui(QString("update opzioni set DuplicaFatturazioneInPrimaNota = %1").arg(opzione ? "true" : "false"));
    QVERIFY(form_DB->TableCercaPrimaNota->locate("ID", id));
    conModale([] { Form5->spdAvantiClick(); },
              [&](QWidget *) {
                  QCOMPARE(CassaDettaglio->DBEdit2->text(), scalar(QString("select Operazione from finanzia where ID = %1").arg(id)).toString());
                  for (QWidget *w : std::initializer_list<QWidget *>{CassaDettaglio->DBEdit1, CassaDettaglio->DBEdit2, CassaDettaglio->DBEdit3,
                                                                    CassaDettaglio->DBEdit4, CassaDettaglio->DBLookupComboBox2,
                                                                    CassaDettaglio->DBLookupComboBox1})
                      QCOMPARE(w->isEnabled(), !bloccati);
                  QVERIFY(CassaDettaglio->DBEdit5->isEnabled());
                  scrivi(CassaDettaglio->DBEdit5, "vista");
                  CassaDettaglio->spdIndietro->click();
              });
    QCOMPARE(scalar(QString("select Note from finanzia where ID = %1").arg(id)).toString(), QString("vista"));
    QCOMPARE(form_DB->TableCercaPrimaNota->fieldByName("ID").asInteger(), id);
}

void TestCassa::eliminazione_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("risposta");
    QTest::addColumn<bool>("eliminata");
    QTest::addColumn<int>("poi"); // the current row afterwards
    QTest::newRow("document row refused while mirroring") << true << 4 << true << false << 4;
    QTest::newRow("document row deleted without mirroring") << false << 4 << true << true << 5;
    QTest::newRow("empty document id, first row: the next one") << true << 6 << true << true << 5;
    QTest::newRow("a middle row: the row above") << true << 3 << true << true << 4;
    QTest::newRow("last row: the row above") << true << 1 << true << true << 2;
    QTest::newRow("answer No") << true << 3 << false << false << 3;
}

void TestCassa::eliminazione()
{
    QFETCH(bool, opzione);
    QFETCH(int, id);
    QFETCH(bool, risposta);
    QFETCH(bool, eliminata);
    QFETCH(int, poi);
    g_banco->esegui(QString("update opzioni set DuplicaFatturazioneInPrimaNota = %1").arg(opzione ? "true" : "false"));
    QVERIFY(form_DB->TableCercaPrimaNota->locate("ID", id));
    dialoghi().expectMessage(kElimina, risposta ? QMessageBox::Yes : QMessageBox::No);
    if (risposta && !eliminata) dialoghi().expectMessage(primanota::messaggioLegataAFattura());
    Form5->spdElimina->click();
    QCOMPARE(scalar(QString("select count(*) from finanzia where ID = %1").arg(id)).toInt(), eliminata ? 0 : 1);
    QCOMPARE(idMostrati().contains(id), !eliminata);
    QCOMPARE(form_DB->TableCercaPrimaNota->fieldByName("ID").asInteger(), poi);
}

void TestCassa::sceltaConto()
{
    g_banco->esegui("insert into ContabilitaClassi (ID, Descrizione) values (1, 'Costi')");
    g_banco->esegui("insert into ContabilitaRaggruppamenti (ID, Descrizione, Classe_ID) values (1, 'Servizi', 1)");
    g_banco->esegui("insert into ContabilitaConti (ID, Descrizione, Raggruppamento_ID) values (5, 'Carburanti', 1), (6, 'Affitti', 1)");
    form_DB->TableContabilitaCercaConti->requery();
    QVERIFY(form_DB->TableCercaPrimaNota->locate("ID", 3));
    conModale([] { Form5->spdAvantiClick(); },
              [&](QWidget *) {
                  // Closed without confirming: nothing changes.
                  conModale([] { CassaDettaglio->SpeedButton14->click(); },
                            [](QWidget *w) { QCOMPARE(w, frmGrigliaContabilitaConti); frmGrigliaContabilitaConti->spdIndietro->click(); });
                  QCOMPARE(CassaDettaglio->DBLookupComboBox5->currentText(), QString());
                  conModale([] { CassaDettaglio->SpeedButton14->click(); },
                            [](QWidget *) {
                                QVERIFY(form_DB->TableContabilitaCercaConti->locate("Id", 6));
                                frmGrigliaContabilitaConti->spdAvanti->click();
                            });
                  CassaDettaglio->spdIndietro->click();
              });
    QCOMPARE(scalar("select ContabilitaConti_ID from finanzia where ID = 3").toInt(), 6);
    QCOMPARE(scalar("select Nz(Cliente_id, 0) + Nz(Fornitore_id, 0) from finanzia where ID = 3").toInt(), 0);
}

void TestCassa::sceltaClienteEFornitore()
{
    g_banco->esegui("update Clienti set Annullato = true where Id = 2");
    form_DB->Table7->requery();
    auto *clienti = qobject_cast<forms::ListForm *>(forms::creata("frmClienti"));
    auto *fornitori = qobject_cast<forms::ListForm *>(forms::creata("Fornitori"));
    QVERIFY(clienti && fornitori);
    QVERIFY(form_DB->TableCercaPrimaNota->locate("ID", 3));
    conModale([] { Form5->spdAvantiClick(); },
              [&](QWidget *) {
                  // A customer pick offers the customers still in use; closed without a choice it changes nothing.
                  conModale([] { CassaDettaglio->SpeedButton7->click(); },
                            [&](QWidget *w) {
                                QCOMPARE(w, clienti);
                                QVERIFY(!form_DB->Table7->locate("Id", 2));
                                clienti->spdIndietro->click();
                            });
                  QCOMPARE(CassaDettaglio->DBLookupComboBox2->currentText(), QString());
                  QVERIFY(!CassaDettaglio->DatiModificati);
                  conModale([] { CassaDettaglio->SpeedButton7->click(); },
                            [&](QWidget *) {
                                QVERIFY(form_DB->Table7->locate("Id", 1));
                                clienti->spdAvanti->click();
                            });
                  QCOMPARE(CassaDettaglio->DBLookupComboBox2->currentText(), QString("Bar Roma"));
                  conModale([] { CassaDettaglio->SpeedButton8->click(); },
                            [&](QWidget *w) {
                                QCOMPARE(w, fornitori);
                                QVERIFY(form_DB->Table9->locate("Id", 2));
                                fornitori->spdAvanti->click();
                            });
                  QCOMPARE(CassaDettaglio->DBLookupComboBox1->currentText(), QString("Gomme Nord"));
                  CassaDettaglio->spdIndietro->click();
              });
    QCOMPARE(scalar("select Cliente_id from finanzia where ID = 3").toInt(), 1);
    QCOMPARE(scalar("select Fornitore_id from finanzia where ID = 3").toInt(), 2);
    // The lists are left as the clerk finds them: not in pick mode, no filter.
    QVERIFY(!clienti->ModalitaScelta);
    QVERIFY(form_DB->Table7->filter().isEmpty());
}

void TestCassa::apriDalLookup_data()
{
    QTest::addColumn<int>("riga");     // the cash-book row opened
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("dettaglio"); // the detail shown; empty: nothing opens
    QTest::addColumn<QString>("colonna");   // a column of the detail's dataset, with its value
    QTest::addColumn<QString>("valore");
    QTest::newRow("customer") << 2 << "SpeedButton4" << "frmClientiDett" << "NominativoVisualizzato" << "D'Angelo Mario";
    QTest::newRow("no customer: nothing") << 3 << "SpeedButton4" << "" << "" << "";
    QTest::newRow("supplier") << 4 << "SpeedButton3" << "frmFornitDett" << "Fornitore" << "Petroli Sud";
    QTest::newRow("bank") << 4 << "SpeedButton5" << "AnaBanca" << "Banca" << "Banca Due";
    QTest::newRow("bank 0: nothing") << 1 << "SpeedButton5" << "" << "" << "";
}

void TestCassa::apriDalLookup()
{
    QFETCH(int, riga);
    QFETCH(QString, pulsante);
    QFETCH(QString, dettaglio);
    QFETCH(QString, colonna);
    QFETCH(QString, valore);
    QVERIFY(form_DB->TableCercaPrimaNota->locate("ID", riga));
    QString aperto;
    conModale([] { Form5->spdAvantiClick(); },
              [&](QWidget *) {
                  auto *b = CassaDettaglio->findChild<QToolButton *>(pulsante);
                  QVERIFY(b && b->isVisible());
                  if (dettaglio.isEmpty()) {
                      b->click();
                  } else {
                      conModale([b] { b->click(); },
                                [&](QWidget *w) {
                                    auto *d = qobject_cast<forms::DetailForm *>(w);
                                    QVERIFY(d);
                                    aperto = d->objectName();
                                    QCOMPARE(d->dataset()->fieldByName(colonna).asString(), valore);
                                    if (d->PageControl1) QCOMPARE(d->PageControl1->currentIndex(), 0);
                                    d->spdIndietro->click();
                                });
                  }
                  QVERIFY(CassaDettaglio->isVisible());
                  CassaDettaglio->spdIndietro->click();
              });
    QCOMPARE(aperto, dettaglio);
}

void TestCassa::aggiungiDalLookup()
{
    // "+" adds a bank through its list; the entry's own bank stays as it was.
    const int banche = scalar("select count(*) from Bank").toInt();
    QVERIFY(form_DB->TableCercaPrimaNota->locate("ID", 4));
    conModale([] { Form5->spdAvantiClick(); },
              [&](QWidget *) {
                  conModale([] { CassaDettaglio->SpeedButton6->click(); },
                            [&](QWidget *w) {
                                auto *d = qobject_cast<forms::DetailForm *>(w);
                                QVERIFY(d);
                                QCOMPARE(d->objectName(), QString("AnaBanca"));
                                scrivi(d->findChild<QLineEdit *>("DBEdit1"), "Banca Tre");
                                scrivi(d->findChild<QLineEdit *>("DBEdit13"), "IT03");
                                d->spdIndietro->click();
                            });
                  QCOMPARE(CassaDettaglio->DBLookupComboBox4->currentText(), QString("Banca Due"));
                  CassaDettaglio->spdIndietro->click();
              });
    QCOMPARE(scalar("select count(*) from Bank").toInt(), banche + 1);
    QCOMPARE(scalar("select Banca from Bank where Iban = 'IT03'").toString(), QString("Banca Tre"));
    QCOMPARE(scalar("select Banca_ID from finanzia where ID = 4").toInt(), 2);
}

void TestCassa::etichetteSullaRigaDelCampo()
{
    // Each label stands on its field's line, also beside the lookups that carry buttons.
    QVERIFY(form_DB->TableCercaPrimaNota->locate("ID", 3));
    conModale([] { Form5->spdAvantiClick(); },
              [&](QWidget *) {
                  const QList<QPair<QString, QWidget *>> righe = {
                      {"Cliente", CassaDettaglio->DBLookupComboBox2}, {"Fornitore", CassaDettaglio->DBLookupComboBox1},
                      {"Banca", CassaDettaglio->DBLookupComboBox4},   {"Conto", CassaDettaglio->DBLookupComboBox5},
                      {"Data", CassaDettaglio->DBEdit1}};
                  for (const auto &[testo, campo] : righe) {
                      QLabel *etichetta = nullptr;
                      for (QLabel *l : CassaDettaglio->findChildren<QLabel *>())
                          if (l->text() == testo) etichetta = l;
                      QVERIFY2(etichetta, qPrintable(testo));
                      const int centroEtichetta = etichetta->mapTo(CassaDettaglio, etichetta->rect().center()).y();
                      const QRect r(campo->mapTo(CassaDettaglio, QPoint(0, 0)), campo->size());
                      QVERIFY2(centroEtichetta >= r.top() && centroEtichetta <= r.bottom(),
                               qPrintable(QString("%1: %2 fuori da %3-%4").arg(testo).arg(centroEtichetta).arg(r.top()).arg(r.bottom())));
                  }
                  CassaDettaglio->spdIndietro->click();
              });
}
