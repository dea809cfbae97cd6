#include "tst_sequestri.h"

#include "Ambiente.h"
#include "Banco.h"
#include "PrintFixture.h"
#include "Program.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "masterdata/EntiSequestratori.h"
#include "operations/GrigliaSequestri.h"
#include "operations/Sequestri_Dettaglio.h"
#include "sales/EditorFattura.h"
#include "sales/GrigliaFatture.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBText.h"
#include "widgets/MaskedDateEdit.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant valore(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

// Seizure 10 (7, AB123CD, held), 11 (7 B, AB999ZZ, released, billed by invoice 90) and 12 (12,
// XY555KK, held, with quote 91); invoice 95 without seizure; quote 92 of plate AB999ZZ.
const QStringList kFixture = {
    "insert into EntiSequestratori (Id, Descrizione) values (1, 'Polizia Stradale'), (2, 'Carabinieri')",
    "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti) values (1, 'Rossi Srl', 'Rossi Srl')",
    "insert into Sequestri (Id, Numero, NumeroLettera, Data, Proprietario, AutoTarga, AutoModello, Matricola, EnteSequestratore_Id, "
    "EnteSequestratore, TipoSequestro, Note, DataDissequestro, Fatturato, Fattura_Id, Fattura_Descrizione, Preventivo_Id) values "
    "(10, 7, null, #3/12/2024#, 'O''Brien', 'AB123CD', 'Panda', 'ZFA1', 1, 'Polizia Stradale', 'Penale', 'Cortile', null, false, 0, "
    "null, 0), "
    "(11, 7, 'B', #3/12/2024#, 'Rossi', 'AB999ZZ', 'Punto', 'ZFA2', 2, 'Carabinieri', 'Amministrativo', null, #4/1/2024#, true, 90, "
    "'3 - del 01/04/2024', 0), "
    "(12, 12, null, #12/30/2025#, 'Bianchi', 'XY555KK', 'Golf', 'WVW3', 1, 'Polizia Stradale', 'Fermo', 'Tettoia', null, false, 0, "
    "null, 91)",
    "insert into fattura (ID, Num, Data, Cliente_ID, Cliente, Targa, Sequestro_ID, FattNota, Carico) values "
    "(90, 3, #4/1/2024#, 1, 'Rossi Srl', 'AB999ZZ', 11, false, false), "
    "(95, 5, #3/1/2026#, 1, 'Rossi Srl', null, 0, false, false)",
    "insert into PreventiTestata (ID, Numero, Data, Targa1) values (91, 4, #1/10/2026#, 'XY555KK'), (92, 6, #2/10/2026#, 'AB999ZZ')",
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

// The ids the register shows, in its order.
QList<qint64> mostrati()
{
    db::Query *q = form_DB->TableSequestri;
    QList<qint64> ids;
    const int c = q->fieldIndex("Id");
    for (int r = 0; r < q->recordCount(); ++r) ids << q->valueAt(r, c).toLongLong();
    return ids;
}

int rigaDi(qint64 id) { return mostrati().indexOf(id); }

// The seizure editor opened by the list's "Avanti" on seizure `id`, `azione` run in it; the
// editor must close with "Indietro".
void nellEditore(qint64 id, const std::function<void(TfrmSequestri_Dettaglio *)> &azione)
{
    TfrmGrigliaSequestri *l = frmGrigliaSequestri;
    l->BitBtn3Click();
    QVERIFY(form_DB->TableSequestri->locate("Id", id));
    bool chiuso = false;
    conModale([l] { l->spdAvanti->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmSequestri_Dettaglio));
                  azione(frmSequestri_Dettaglio);
                  frmSequestri_Dettaglio->spdIndietroClick();
                  chiuso = !frmSequestri_Dettaglio->isVisible();
                  if (!chiuso) {
                      frmSequestri_Dettaglio->DatiModificati = false;
                      frmSequestri_Dettaglio->spdIndietroClick();
                  }
              });
    QVERIFY2(chiuso, "l'editor del sequestro non si è chiuso con Indietro");
}

QString testoPdf(const QString &percorso)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), percorso, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext non riuscito>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

void TestSequestri::init()
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmGrigliaSequestri", "frmGrigliaFatture", "Form7", "frmGrigliaEntiSequestratori"}, kFixture);
    QVERIFY(frmSequestri_Dettaglio);
    QVERIFY(frmEntiSequestratori_Dettaglio);
}

void TestSequestri::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestSequestri::dallIngressoAllaFattura()
{
    TfrmGrigliaSequestri *l = frmGrigliaSequestri;
    l->BitBtn3Click();
    qint64 id = 0, fattura = 0;
    conModale([l] { l->spdInserisci->click(); },
              [&](QWidget *w) {
                  auto *d = frmSequestri_Dettaglio;
                  QCOMPARE(w, static_cast<QWidget *>(d));
                  // Stored at once with the next number (after 12 of last year) and today.
                  id = form_DB->TableSequestri->fieldByName("Id").asLargeInt();
                  QVERIFY(id > 12);
                  QCOMPARE(valore(QString("select Numero from Sequestri where Id = %1").arg(id)).toInt(), 13);
                  QCOMPARE(d->DBEdit21->text(), "13");
                  QCOMPARE(d->DBEdit20->text(), "15/03/2026");
                  QVERIFY(d->DatiModificati);
                  scrivi(d->DBEdit2, "Esposito Gennaro");
                  scrivi(d->DBEdit6, "FF321GG");
                  scrivi(d->DBEdit17, "Multipla");
                  scegli(d->DBLookupComboBox4, "Polizia Stradale");
                  scegli(d->DBLookupComboBox1, "Sequestro amministrativo");
                  // Billing: the invoice list makes the invoice from the seizure.
                  conModale([d] { d->SpeedButton6->click(); },
                            [&](QWidget *f) {
                                QCOMPARE(f, static_cast<QWidget *>(Form7));
                                fattura = Form7->idDocumento();
                                QCOMPARE(form_DB->Table3->fieldByName("Targa").asString(), "FF321GG");
                                Form7->DatiModificati = false;
                                Form7->spdIndietroClick();
                            });
                  QVERIFY(fattura > 95);
                  // The editor goes on with the seizure, now billed.
                  QCOMPARE(form_DB->TableSequestri->fieldByName("Id").asLargeInt(), id);
                  QCOMPARE(form_DB->TableSequestri->fieldByName("Fattura_Id").asLargeInt(), fattura);
                  // Billing again makes nothing and says which invoice it is.
                  dialoghi().expectMessage("Attenzione il sequestro e' stato già registrato con la fattura del 15/03/2026 numero:");
                  d->SpeedButton6->click();
                  QCOMPARE(dialoghi().messages().last().caption, "Messaggio di errore");
                  QVERIFY(dialoghi().messages().last().text.endsWith(
                      "numero:" + valore(QString("select Num from fattura where ID = %1").arg(fattura)).toString()));
                  // Released today.
                  d->Button1->click();
                  QCOMPARE(d->DBEdit18->text(), "15/03/2026");
                  d->spdIndietroClick();
                  QVERIFY(!d->isVisible());
              });
    QCOMPARE(valore("select count(*) from fattura where Carico = false and FattNota = false").toInt(), 3);
    db::Query s(&form_DB->Connessione);
    s.setSql(QString("select * from Sequestri where Id = %1").arg(id));
    s.open();
    QCOMPARE(s.fieldByName("Proprietario").asString(), "Esposito Gennaro");
    QCOMPARE(s.fieldByName("AutoTarga").asString(), "FF321GG");
    QCOMPARE(s.fieldByName("AutoModello").asString(), "Multipla");
    QCOMPARE(s.fieldByName("EnteSequestratore_Id").asInteger(), 1);
    QCOMPARE(s.fieldByName("EnteSequestratore").asString(), "Polizia Stradale");
    QCOMPARE(s.fieldByName("TipoSequestro").asString(), "Sequestro amministrativo");
    QVERIFY(s.fieldByName("Fatturato").asBoolean());
    QCOMPARE(s.fieldByName("Fattura_Id").asLargeInt(), fattura);
    QCOMPARE(s.fieldByName("DataDissequestro").asDateTime().date(), QDate(2026, 3, 15));
    QVERIFY(!s.fieldByName("Storico").asBoolean());
    db::Query f(&form_DB->Connessione);
    f.setSql(QString("select * from fattura where ID = %1").arg(fattura));
    f.open();
    QCOMPARE(f.fieldByName("Sequestro_ID").asLargeInt(), id);
    QCOMPARE(f.fieldByName("Targa").asString(), "FF321GG");
    QCOMPARE(f.fieldByName("DataIngressoVeicolo").asDateTime().date(), QDate(2026, 3, 15));

    // In the register: billed rows aqua, a quote magenta, neither white; "Si" lists the released.
    l->BitBtn3Click();
    QCOMPARE(l->coloreRiga(rigaDi(id)), QColor(0, 255, 255));
    QCOMPARE(l->coloreRiga(rigaDi(12)), QColor(255, 0, 255));
    QCOMPARE(l->coloreRiga(rigaDi(10)), QColor(Qt::white));
    l->RadioButton1->click();
    QCOMPARE(mostrati(), (QList<qint64>{11, id}));

    // Deleting the seizure leaves the invoice, without its reference.
    l->BitBtn3Click();
    QVERIFY(form_DB->TableSequestri->locate("Id", id));
    dialoghi().expectMessage("Sei sicuro di voler eliminare il Sequestro?", QMessageBox::Yes);
    l->spdElimina->click();
    QCOMPARE(valore(QString("select count(*) from Sequestri where Id = %1").arg(id)).toInt(), 0);
    QCOMPARE(valore(QString("select Sequestro_ID from fattura where ID = %1").arg(fattura)).toInt(), 0);
    QVERIFY(!mostrati().contains(id));
}

void TestSequestri::ricerca_data()
{
    QTest::addColumn<QStringList>("caselle"); // "name=text" of each box filled
    QTest::addColumn<QString>("radio");       // RadioButton1 Si, RadioButton2 No, RadioButton3 Tutti
    QTest::addColumn<QList<qint64>>("attesi");
    QTest::addColumn<QString>("messaggio");   // the message of a refused box; the filter in force stays
    const QList<qint64> inVigore{12}; // the filter in force before each search
    QTest::newRow("every box empty lists all") << QStringList{} << "RadioButton3" << QList<qint64>{10, 11, 12} << "";
    QTest::newRow("lone stars") << QStringList{"Edit1=*", "Edit2=*", "txtDaNumero=*"} << "RadioButton3"
                                << QList<qint64>{10, 11, 12} << "";
    QTest::newRow("owner with apostrophe") << QStringList{"Edit1=o'b"} << "RadioButton3" << QList<qint64>{10} << "";
    QTest::newRow("released") << QStringList{} << "RadioButton1" << QList<qint64>{11} << "";
    QTest::newRow("still held") << QStringList{} << "RadioButton2" << QList<qint64>{10, 12} << "";
    QTest::newRow("held with a plate") << QStringList{"Edit2=AB"} << "RadioButton2" << QList<qint64>{10} << "";
    QTest::newRow("numbers") << QStringList{"txtDaNumero=7", "txtANumero=7"} << "RadioButton3" << QList<qint64>{10, 11} << "";
    QTest::newRow("dates") << QStringList{"maskDaData=01/01/2025", "maskAData=31/12/2025"} << "RadioButton3"
                           << QList<qint64>{12} << "";
    QTest::newRow("last day whole") << QStringList{"maskAData=12/03/2024"} << "RadioButton3" << QList<qint64>{10, 11} << "";
    QTest::newRow("incomplete date ignored") << QStringList{"maskDaData=01/01/"} << "RadioButton3" << QList<qint64>{10, 11, 12}
                                             << "";
    QTest::newRow("model, kind, notes, serial, authority")
        << QStringList{"Edit3=pan", "Edit4=pen", "Edit5=cor", "Edit6=zfa", "txtEnte=pol"} << "RadioButton3" << QList<qint64>{10}
        << "";
    QTest::newRow("number with letters") << QStringList{"txtDaNumero=7a"} << "RadioButton3" << inVigore
                                         << "Attenzione numero non valido: 7a";
    QTest::newRow("number with sql") << QStringList{"txtANumero=1 or 1=1"} << "RadioButton3" << inVigore
                                     << "Attenzione numero non valido: 1 or 1=1";
    QTest::newRow("impossible date") << QStringList{"maskDaData=31/02/2024", "Edit1=Rossi"} << "RadioButton3" << inVigore
                                     << "Attenzione data non valida: 31/02/2024";
}

void TestSequestri::ricerca()
{
    QFETCH(QStringList, caselle);
    QFETCH(QString, radio);
    QFETCH(QList<qint64>, attesi);
    QFETCH(QString, messaggio);
    TfrmGrigliaSequestri *l = frmGrigliaSequestri;
    l->BitBtn3Click();
    // An earlier search.
    l->txtDaNumero->setText("12");
    l->BitBtn2->click();
    QCOMPARE(mostrati(), QList<qint64>{12});
    l->txtDaNumero->clear();
    for (const QString &c : caselle) {
        auto *e = l->findChild<QLineEdit *>(c.section('=', 0, 0));
        QVERIFY2(e, qPrintable(c));
        e->setText(c.section('=', 1));
    }
    if (!messaggio.isEmpty()) dialoghi().expectMessage(messaggio);
    auto *r = l->findChild<QRadioButton *>(radio);
    QVERIFY(r);
    if (radio == "RadioButton3") l->BitBtn2->click();
    else r->click(); // a click on a radio button searches
    QCOMPARE(mostrati(), attesi);
}

void TestSequestri::tastiRicerca()
{
    TfrmGrigliaSequestri *l = frmGrigliaSequestri;
    l->BitBtn3Click();
    l->show();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    l->Edit2->setFocus();
    QTest::keyClicks(l->Edit2, "XY");
    QTest::keyClick(l->Edit2, Qt::Key_Return);
    QCOMPARE(mostrati(), QList<qint64>{12});
    QVERIFY(l->isVisible()); // Enter searched, it did not close the list
    // Escape empties a date box and goes to the owner.
    l->maskDaData->setFocus();
    l->maskDaData->setText("01/01/2025");
    QTest::keyClick(l->maskDaData, Qt::Key_Escape);
    QVERIFY(!l->maskDaData->text().contains(QRegularExpression("\\d")));
    QCOMPARE(l->focusWidget(), static_cast<QWidget *>(l->Edit1));
    // The reset empties every box and lists every seizure.
    l->BitBtn3->click();
    QVERIFY(l->Edit2->text().isEmpty());
    QVERIFY(l->RadioButton3->isChecked());
    QCOMPARE(mostrati(), (QList<qint64>{10, 11, 12}));
    l->hide();
}

void TestSequestri::sceltaDallaFattura()
{
    db::Query *fatture = form_DB->Table3;
    QVERIFY(fatture->locate("ID", 95));
    frmGrigliaFatture->btnRequeryClick();
    TfrmGrigliaSequestri *l = frmGrigliaSequestri;
    l->BitBtn3Click();
    // Picking: no adding or deleting; "Avanti" hands the seizure back.
    conModale([] { Form7->btnSequestriClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(l));
                  QVERIFY(l->ModalitaScelta);
                  QVERIFY(!l->spdInserisci->isEnabled());
                  QVERIFY(!l->spdElimina->isEnabled());
                  QVERIFY(form_DB->TableSequestri->locate("Id", 11));
                  l->spdAvanti->click();
              });
    QVERIFY(!l->ModalitaScelta);
    QCOMPARE(fatture->fieldByName("Targa").asString(), "AB999ZZ");
    QCOMPARE(fatture->fieldByName("DataIngressoVeicolo").asDateTime().date(), QDate(2024, 3, 12));
    QCOMPARE(fatture->fieldByName("DataUscitaVeicolo").asDateTime().date(), QDate(2024, 4, 1));
    QVERIFY(Form7->DatiModificati);
    // The customer order carries the seizure's number and date.
    QCOMPARE(valore("select Numero from OrdiniClienti where Fattura_ID = 95").toString(), "7");
    // Picking links nothing.
    QCOMPARE(valore("select Sequestro_ID from fattura where ID = 95").toInt(), 0);
    QCOMPARE(valore("select Fattura_Id from Sequestri where Id = 11").toInt(), 90);
    fatture->cancel();
    Form7->DatiModificati = false;

    // "Indietro" after an earlier pick reports no choice: the invoice stays as it is.
    conModale([] { Form7->btnSequestriClick(); },
              [&](QWidget *) {
                  QVERIFY(form_DB->TableSequestri->locate("Id", 12));
                  l->spdIndietro->click();
              });
    QVERIFY(fatture->fieldByName("Targa").isNull());
    QVERIFY(!Form7->DatiModificati);
    QVERIFY(!l->ModalitaScelta);
}

void TestSequestri::collegamentiDocumenti()
{
    nellEditore(11, [](TfrmSequestri_Dettaglio *d) {
        // The invoice link removed, then made again: the invoice made from the seizure comes back.
        dialoghi().expectMessage("Sei sicuro di voler eliminare il riferimento alla fattura?", QMessageBox::Yes);
        d->SpeedButton8->click();
        QVERIFY(d->DatiModificati);
        QVERIFY(d->DBText2->text().isEmpty());
        dialoghi().expectMessage("Attenzione il sequestro e' stato già registrato con la fattura del 01/04/2024 numero:3");
        d->SpeedButton6->click();
        QCOMPARE(valore("select Fattura_Id from Sequestri where Id = 11").toInt(), 90);
        QCOMPARE(d->DBText2->text(), "3 - del 01/04/2024");
        // One quote of the plate: linked without the finder, kept in the editor until saved.
        dialoghi().expectMessage("Preventivo collegato correttamente !");
        d->SpeedButton9->click();
        QCOMPARE(dialoghi().messages().last().caption, "Informazione");
        QCOMPARE(d->DBText1->text(), "6 - del 10/02/2026");
        QCOMPARE(valore("select Preventivo_Id from Sequestri where Id = 11").toInt(), 0);
        // Making the quote when the plate has one: saved, kept, and said.
        dialoghi().expectMessage("Attenzione il preventivo è stato già realizzato");
        d->SpeedButton4->click();
        QCOMPARE(valore("select Preventivo_Id from Sequestri where Id = 11").toInt(), 92);
        // A find with nothing to show, whatever the plate filter.
        d->chkFiltroTarga->setChecked(true);
        scrivi(d->DBEdit6, "NESSUNA'");
        dialoghi().expectMessage("Attenzione la targa non e' presente nessun record !");
        d->SpeedButton10->click();
        scrivi(d->DBEdit6, "AB999ZZ");
    });
    nellEditore(10, [](TfrmSequestri_Dettaglio *d) {
        dialoghi().expectMessage("Attenzione non e' collegata nessuna fattura !");
        d->SpeedButton2->click();
        dialoghi().expectMessage("Attenzione non e' collegato nessun preventivo !");
        d->SpeedButton1->click();
        scrivi(d->DBEdit6, "");
        dialoghi().expectMessage("Attenzione manca la targa");
        d->SpeedButton4->click();
        scrivi(d->DBEdit6, "AB123CD");
    });
    // The quote link removed and saved by "Indietro".
    nellEditore(12, [](TfrmSequestri_Dettaglio *d) {
        dialoghi().expectMessage("Sei sicuro di voler eliminare il riferimento al preventivo?", QMessageBox::Yes);
        d->SpeedButton7->click();
    });
    QCOMPARE(valore("select Preventivo_Id from Sequestri where Id = 12").toInt(), 0);
    QCOMPARE(valore("select count(*) from PreventiTestata where ID = 91").toInt(), 1);
}

void TestSequestri::campiObbligatori()
{
    nellEditore(10, [](TfrmSequestri_Dettaglio *d) {
        scrivi(d->DBEdit20, "");
        scrivi(d->DBEdit21, "");
        // The date is asked first; the editor stays open on it.
        dialoghi().expectMessage("Attenzione manca la data");
        d->spdIndietroClick();
        QVERIFY(d->isVisible());
        QVERIFY(d->SalvataggioFallito);
        scrivi(d->DBEdit20, "13/03/2024");
        dialoghi().expectMessage("Attenzione manca il Numero");
        d->spdIndietroClick();
        QVERIFY(d->isVisible());
        scrivi(d->DBEdit21, "8");
    });
    QCOMPARE(valore("select Numero from Sequestri where Id = 10").toInt(), 8);
}

void TestSequestri::salvataggioEnteNonSalvaIlSequestro()
{
    // A change of the current seizure is pending (its editor has not saved it).
    db::Query *s = form_DB->TableSequestri;
    QVERIFY(s->locate("Id", 10));
    s->fieldByName("Note").setAsString("non salvata");
    QVERIFY(s->isEditing());
    // The authority renamed from its own list.
    QVERIFY(form_DB->TableEntiSequestratori->locate("Id", 1));
    conModale([] { frmGrigliaEntiSequestratori->spdAvanti->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmEntiSequestratori_Dettaglio));
                  scrivi(frmEntiSequestratori_Dettaglio->DBEdit2, "Polizia Stradale Nord");
                  frmEntiSequestratori_Dettaglio->spdIndietroClick();
              });
    QCOMPARE(valore("select count(*) from Sequestri where EnteSequestratore = 'Polizia Stradale Nord'").toInt(), 2);
    // The seizure was not stored, and its pending change is still there.
    QCOMPARE(valore("select Note from Sequestri where Id = 10").toString(), "Cortile");
    QVERIFY(s->isEditing());
    QCOMPARE(s->fieldByName("Note").asString(), "non salvata");
    s->cancel();
}

void TestSequestri::enteDallEditore()
{
    nellEditore(12, [](TfrmSequestri_Dettaglio *d) {
        scrivi(d->DBEdit1, "Sotto la tettoia");
        QVERIFY(d->DatiModificati);
        // Opening the authority saves the seizure first, then shows its new name.
        conModale([d] { d->SpeedButton5->click(); },
                  [](QWidget *w) {
                      QCOMPARE(w, static_cast<QWidget *>(frmEntiSequestratori_Dettaglio));
                      scrivi(frmEntiSequestratori_Dettaglio->DBEdit2, "Polstrada");
                      frmEntiSequestratori_Dettaglio->spdIndietroClick();
                  });
        QCOMPARE(valore("select Note from Sequestri where Id = 12").toString(), "Sotto la tettoia");
        QCOMPARE(form_DB->TableSequestri->fieldByName("Id").asLargeInt(), qint64(12));
        QCOMPARE(form_DB->TableSequestri->fieldByName("EnteSequestratore").asString(), "Polstrada");
        // Backspace in the lookup empties the authority's id and name.
        d->DBLookupComboBox4->setFocus();
        QTest::keyClick(d->DBLookupComboBox4, Qt::Key_Backspace);
        QVERIFY(form_DB->TableSequestri->fieldByName("EnteSequestratore_Id").isNull());
        QVERIFY(form_DB->TableSequestri->fieldByName("EnteSequestratore").isNull());
    });
    QCOMPARE(valore("select EnteSequestratore from Sequestri where Id = 10").toString(), "Polstrada");
    QVERIFY(valore("select EnteSequestratore from Sequestri where Id = 12").isNull());
}

// ---------------------------------------------------------------- prints and main window

void TestSequestriStampe::init()
{
    f = std::make_unique<PrintFixture>();
    // Seizure 30 of the fixture (plate AB'123, invoice 10, quote 20), one released and one with
    // the zero date of older archives.
    for (const char *sql : {
             "update Sequestri set Data = #3/1/2026#, Proprietario = 'Mario Rossi', AutoModello = 'Panda', "
             "EnteSequestratore = 'Polizia Stradale', DataDissequestro = null where Id = 30",
             "insert into Sequestri (Id, Numero, Data, Proprietario, AutoTarga, DataDissequestro) values "
             "(31, 2, #3/2/2026#, 'Luigi Bianchi', 'ZZ999ZZ', #3/10/2026#), "
             "(32, 3, #3/3/2026#, 'Anna Neri', 'KK111KK', #12/30/1899#)",
         })
        f->exec(QString::fromUtf8(sql));
    form_DB->TableSequestri->requery();
    QDir().mkpath(f->cartella() + "/reports");
    for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"*.rpt"}))
        QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, f->cartella() + "/reports/" + nome);
    f->seams.launcher.behaviour = [](const QString &, const QStringList &args) {
        return stampa::run(QStringList{QStringLiteral("stampa")} + args, false);
    };
    EsportaStampa = true;
    FileEsportazioneStampa = f->cartella() + "/sequestri.pdf";
}

void TestSequestriStampe::cleanup()
{
    QVERIFY2(f->seams.dialogs.clean(), qPrintable(f->seams.dialogs.report()));
    f.reset();
}

void TestSequestriStampe::ogniStampa_data()
{
    QTest::addColumn<QString>("pulsante"); // a button of the Stampe tab, or of the seizure editor
    QTest::addColumn<int>("codice");
    QTest::addColumn<QStringList>("presenti");
    QTest::addColumn<QStringList>("assenti");
    QTest::newRow("6 the register") << "btnStampaSequestri" << 6
                                    << QStringList{"Mario Rossi", "Luigi Bianchi", "Anna Neri", "Polizia Stradale", "ZZ999ZZ"}
                                    << QStringList{};
    QTest::newRow("29 not released") << "btnStampaSequestriNonDissequestrati" << 29 << QStringList{"Mario Rossi", "Anna Neri"}
                                     << QStringList{"Luigi Bianchi"};
    QTest::newRow("5 the seizure's quote") << "SpeedButton1" << 5 << QStringList{"Deposito", "Mario Rossi"} << QStringList{"Traino"};
    QTest::newRow("8 the seizure's invoice") << "SpeedButton2" << 8 << QStringList{"Traino", "Rossi Srl", "ORD-10"}
                                             << QStringList{"ORD-11", "Bianchi Spa"};
}

void TestSequestriStampe::ogniStampa()
{
    QFETCH(QString, pulsante);
    QFETCH(int, codice);
    QFETCH(QStringList, presenti);
    QFETCH(QStringList, assenti);
    QToolButton *b = nullptr;
    if (pulsante.startsWith("btnStampa")) {
        b = Form1->pgcBarra->widget(TForm1::tabStampe)->findChild<QToolButton *>(pulsante);
    } else {
        // The invoice list stands elsewhere: the seizure's own documents are printed.
        QVERIFY(form_DB->TableSequestri->locate("Id", 30));
        QVERIFY(form_DB->Table3->locate("ID", 11));
        b = frmSequestri_Dettaglio->findChild<QToolButton *>(pulsante);
    }
    QVERIFY2(b, qPrintable(pulsante));
    QVERIFY(b->isEnabled());
    b->click();
    QCOMPARE(CodiceStampa, codice);
    QVERIFY(!DaSequestro);
    QVERIFY2(QFile::exists(FileEsportazioneStampa), qPrintable(f->seams.dialogs.report()));
    const QString testo = testoPdf(FileEsportazioneStampa);
    for (const QString &t : presenti) QVERIFY2(testo.contains(t), qPrintable(t + "\n" + testo));
    for (const QString &t : assenti) QVERIFY2(!testo.contains(t), qPrintable(t + "\n" + testo));
}

void TestSequestriStampe::abbinaTargheDalMenu()
{
    // Seizure 30 unlinked; invoices 10 and 11 carry its plate AB'123: the latest is taken.
    f->exec("update Sequestri set Fattura_Id = 0, Fatturato = false, Preventivo_Id = 0 where Id = 30");
    f->exec("update PreventiTestata set Targa1 = 'ab''123' where ID = 20");
    // F2 in the path box shows the maintenance buttons.
    Form1->Memo1->setFocus();
    QTest::keyClick(Form1->Memo1, Qt::Key_F2);
    QVERIFY(!Form1->Button3->isHidden());
    f->seams.dialogs.expectMessage("Aggiornamento Avvenuto con successo!");
    Form1->Button3->click();
    QVERIFY(f->seams.dialogs.messages().last().text.contains("collegati a una fattura: 1"));
    QCOMPARE(f->scalar("select Fattura_Id from Sequestri where Id = 30").toInt(), 11);
    QVERIFY(f->scalar("select Fatturato from Sequestri where Id = 30").toBool());
    QCOMPARE(f->scalar("select Fattura_Descrizione from Sequestri where Id = 30").toString(), "2 - del 09/03/2026");
    QCOMPARE(f->scalar("select Preventivo_Id from Sequestri where Id = 30").toInt(), 20);
    QCOMPARE(f->scalar("select Preventivo_Descrizione from Sequestri where Id = 30").toString(), "1 - del 01/03/2026");
}

void TestSequestriStampe::menuApreInGestione()
{
    // After a document editor picked from it, the menu opens the register for management.
    frmGrigliaSequestri->ModalitaScelta = true;
    form_DB->TableSequestri->setFilter("Numero = 2");
    QToolButton *b = Form1->menuButton(TForm1::tabDocClienti, "Sequestri");
    QVERIFY(b && b->isEnabled());
    conModale([b] { b->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmGrigliaSequestri));
                  QVERIFY(!frmGrigliaSequestri->ModalitaScelta);
                  QVERIFY(frmGrigliaSequestri->spdInserisci->isEnabled());
                  QCOMPARE(form_DB->TableSequestri->recordCount(), 3);
                  form_DB->TableSequestri->setFilter("Numero = 3");
                  frmGrigliaSequestri->spdIndietro->click();
              });
    QVERIFY(form_DB->TableSequestri->filter().isEmpty());
}
