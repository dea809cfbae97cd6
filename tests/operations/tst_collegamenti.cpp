#include "tst_collegamenti.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Query.h"
#include "operations/Calendario.h"
#include "operations/GrigliaCalendario.h"
#include "operations/GrigliaPersonale.h"
#include "operations/GrigliaSequestri.h"
#include "operations/PersonaleDettaglio.h"
#include "operations/Sequestri_Dettaglio.h"
#include "sales/EditorFattura.h"
#include "sales/GrigliaFatture.h"
#include "sales/TrovaFattura.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBText.h"
#include "widgets/MaskedDateEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant valore(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

// Seizure 10 (AB123CD) linked to nothing; sales invoices 90 (3, 2024), 95 (5/B, 2026) and 96
// (6/B, carrier Verdi Mario), a credit note and a purchase the finder never offers; quotes 91 and
// 92; staff members 50 "Verdi Mario" (one deadline) and 51 "Neri Luca" (two).
const QStringList kFixture = {
    "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti) values (1, 'Rossi Srl', 'Rossi Srl')",
    "insert into Sequestri (Id, Numero, Data, Proprietario, AutoTarga, Fatturato, Fattura_Id, Preventivo_Id) values "
    "(10, 7, #3/12/2024#, 'O''Brien', 'AB123CD', false, 0, 0)",
    "insert into fattura (ID, Num, SerieFatturazione, Data, Cliente_ID, Cliente, Targa, Personale_ID, FattNota, Carico) values "
    "(90, 3, null, #4/1/2024#, 1, 'Rossi Srl', 'AB123CD', 0, false, false), "
    "(95, 5, 'B', #3/1/2026#, 1, 'Rossi Srl', null, 0, false, false), "
    "(96, 6, 'B', #3/2/2026#, 1, 'Rossi Srl', null, 50, false, false), "
    "(97, 1, null, #3/3/2026#, 1, 'Rossi Srl', null, 0, true, false), "
    "(98, 2, null, #3/4/2026#, 1, 'Rossi Srl', null, 0, false, true)",
    "insert into PreventiTestata (ID, Numero, Data, Targa1, Cliente, Cliente_ID) values "
    "(91, 4, #1/10/2026#, 'AB123CD', 'Rossi Srl', 1), (92, 6, #2/10/2026#, 'XY555KK', 'Rossi Srl', 1)",
    "insert into Personale (Id, Personale, Annullato) values (50, 'Verdi Mario', false), (51, 'Neri Luca', false)",
    "insert into PersonaleScadenze (Personale_ID, Descrizione, DataScadenza, DataAvviso) values "
    "(50, 'Patente', #6/30/2026#, #6/1/2026#), (51, 'Visita', #5/30/2026#, #5/1/2026#), (51, 'Corso', #7/30/2026#, #7/1/2026#)",
};

void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    if (!testo.isEmpty()) QTest::keyClicks(e, testo);
}

// The seizure editor on seizure 10 as its list opens it; `azione` runs in it, then "Indietro"
// saves it.
void nelSequestro(const std::function<void(TfrmSequestri_Dettaglio *)> &azione)
{
    TfrmGrigliaSequestri *l = frmGrigliaSequestri;
    l->BitBtn3Click();
    QVERIFY(form_DB->TableSequestri->locate("Id", 10));
    bool chiuso = false;
    conModale([l] { l->spdAvanti->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmSequestri_Dettaglio));
                  frmSequestri_Dettaglio->chkFiltroTarga->setChecked(false);
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

// The ids the finder lists, in its order.
QList<qint64> offerti()
{
    db::Query *t = form_DB->TableTrovaFattura;
    QList<qint64> ids;
    for (int r = 0; r < t->recordCount(); ++r) ids << t->valueAt(r, t->fieldIndex("ID")).toLongLong();
    return ids;
}

// The finder left by an earlier search as its user left it: boxes filled, a filter in force.
void ricercaPrecedente()
{
    TfrmTrovaFattura *f = frmTrovaFattura;
    db::Query *t = form_DB->TableTrovaFattura;
    t->close();
    t->setSql("SELECT ID, Data, Num as Numero, SerieFatturazione as Serie, Cliente, Cliente_ID, Targa FROM fattura");
    t->open();
    // Sorted by a column the seizure's queries lack.
    f->DBGrid1TitleClick("Targa");
    f->txtDaNumero->setText("99");
    f->txtANumero->setText("99");
    f->txtSerie->setText("Z");
    f->FiltraClick();
    QCOMPARE(t->recordCount(), 0);
}

void finderAzzerato()
{
    TfrmTrovaFattura *f = frmTrovaFattura;
    QVERIFY(form_DB->TableTrovaFattura->filter().isEmpty());
    for (QLineEdit *e : {f->txtDaNumero, f->txtANumero, f->txtSerie}) QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
    QVERIFY(f->txtSerie->isVisibleTo(f));
    QVERIFY(f->lblSerie->isVisibleTo(f));
}

} // namespace

void TestCollegamenti::init()
{
    g_banco = std::make_unique<banco::Banco>(QStringList{"frmGrigliaSequestri", "frmTrovaFattura", "frmGrigliaFatture", "Form7",
                                                         "frmGrigliaPersonale", "frmGrigliaCalendario"},
                                             kFixture);
    QVERIFY(frmSequestri_Dettaglio);
    QVERIFY(frmTrovaFattura);
    QVERIFY(frmPersonaleDettaglio);
    QVERIFY(frmCalendario);
}

void TestCollegamenti::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestCollegamenti::fatturaDalTrova()
{
    ricercaPrecedente();
    nelSequestro([](TfrmSequestri_Dettaglio *d) {
        TfrmTrovaFattura *f = frmTrovaFattura;
        // "Indietro": nothing linked, nothing changed.
        conModale([d] { d->SpeedButton10->click(); },
                  [&](QWidget *w) {
                      QCOMPARE(w, static_cast<QWidget *>(f));
                      // The earlier search hides nothing: every sales invoice, by date, the boxes empty.
                      QCOMPARE(offerti(), QList<qint64>({90, 95, 96}));
                      QVERIFY(f->txtDaNumero->text().isEmpty());
                      QVERIFY(f->txtSerie->text().isEmpty());
                      QVERIFY(f->txtSerie->isVisible());
                      QVERIFY(f->lblSerie->isVisible());
                      QVERIFY(form_DB->TableTrovaFattura->locate("ID", 95));
                      f->spdIndietro->click();
                  });
        QCOMPARE(form_DB->TableSequestri->fieldByName("Fattura_Id").asInteger(), 0);
        QVERIFY(!form_DB->TableSequestri->fieldByName("Fatturato").asBoolean());
        QVERIFY(d->DBText2->text().isEmpty());
        QVERIFY(!d->DatiModificati);
        finderAzzerato();
        // A search by series, then "Avanti" on the invoice found.
        conModale([d] { d->SpeedButton10->click(); },
                  [&](QWidget *) {
                      QCOMPARE(offerti(), QList<qint64>({90, 95, 96}));
                      f->txtSerie->setText("B");
                      f->txtDaNumero->setText("5");
                      f->txtANumero->setText("5");
                      f->FiltraClick();
                      QCOMPARE(offerti(), QList<qint64>({95}));
                      f->spdAvanti->click();
                  });
        QCOMPARE(d->DBText2->text(), "5/B - del 01/03/2026");
        QVERIFY(d->DatiModificati);
        finderAzzerato();
    });
    QCOMPARE(valore("select Fattura_Id from Sequestri where Id = 10").toInt(), 95);
    QCOMPARE(valore("select Fattura_Descrizione from Sequestri where Id = 10").toString(), "5/B - del 01/03/2026");
    QVERIFY(valore("select Fatturato from Sequestri where Id = 10").toBool());
    QCOMPARE(valore("select Preventivo_Id from Sequestri where Id = 10").toInt(), 0);
}

void TestCollegamenti::preventivoDalTrova()
{
    ricercaPrecedente();
    nelSequestro([](TfrmSequestri_Dettaglio *d) {
        TfrmTrovaFattura *f = frmTrovaFattura;
        conModale([d] { d->SpeedButton9->click(); },
                  [&](QWidget *w) {
                      QCOMPARE(w, static_cast<QWidget *>(f));
                      // Quotes have no series: its box is not offered, and emptied.
                      QVERIFY(!f->txtSerie->isVisible());
                      QVERIFY(!f->lblSerie->isVisible());
                      QVERIFY(f->txtSerie->text().isEmpty());
                      QCOMPARE(offerti(), QList<qint64>({91, 92}));
                      f->spdIndietro->click();
                  });
        QCOMPARE(form_DB->TableSequestri->fieldByName("Preventivo_Id").asInteger(), 0);
        QVERIFY(d->DBText1->text().isEmpty());
        QVERIFY(!d->DatiModificati);
        finderAzzerato();
        conModale([d] { d->SpeedButton9->click(); },
                  [&](QWidget *) {
                      QVERIFY(!f->txtSerie->isVisible());
                      QVERIFY(form_DB->TableTrovaFattura->locate("ID", 92));
                      f->spdAvanti->click();
                  });
        QCOMPARE(d->DBText1->text(), "6 - del 10/02/2026");
        QVERIFY(d->DatiModificati);
        finderAzzerato();
    });
    QCOMPARE(valore("select Preventivo_Id from Sequestri where Id = 10").toInt(), 92);
    QCOMPARE(valore("select Preventivo_Descrizione from Sequestri where Id = 10").toString(), "6 - del 10/02/2026");
    QCOMPARE(valore("select Fattura_Id from Sequestri where Id = 10").toInt(), 0);
}

void TestCollegamenti::personaleDallaFattura()
{
    QVERIFY(form_DB->Table3->locate("ID", 96));
    conModale([] { frmGrigliaFatture->spdAvantiClick(); }, [&](QWidget *w) {
        QCOMPARE(w, static_cast<QWidget *>(Form7));
        QVERIFY(Form7->SpeedButton23->isEnabled());
        QVERIFY(Form7->SpeedButton24->isEnabled());
        QCOMPARE(Form7->DBLookupComboBox10->currentText(), "Verdi Mario");
        // "open": the staff editor on the invoice's carrier, its deadlines his own.
        conModale([] { Form7->SpeedButton24->click(); }, [](QWidget *p) {
            QCOMPARE(p, static_cast<QWidget *>(frmPersonaleDettaglio));
            QCOMPARE(frmPersonaleDettaglio->DBEdit4->text(), "Verdi Mario");
            QCOMPARE(form_DB->TablePersonaleScadenze->recordCount(), 1);
            QCOMPARE(form_DB->TablePersonaleScadenze->fieldByName("Descrizione").asString(), "Patente");
            frmPersonaleDettaglio->spdIndietro->click();
        });
        // "+": a new staff member the lookup then offers; the invoice keeps its carrier.
        conModale([] { Form7->SpeedButton23->click(); }, [](QWidget *p) {
            QCOMPARE(p, static_cast<QWidget *>(frmPersonaleDettaglio));
            QVERIFY(frmPersonaleDettaglio->DBEdit4->text().isEmpty());
            QCOMPARE(form_DB->TablePersonaleScadenze->recordCount(), 0);
            scrivi(frmPersonaleDettaglio->DBEdit4, "Bianchi Nuovo");
            frmPersonaleDettaglio->spdIndietro->click();
        });
        QCOMPARE(valore("select count(*) from Personale where Personale = 'Bianchi Nuovo'").toInt(), 1);
        QVERIFY(Form7->DBLookupComboBox10->findText("Bianchi Nuovo") >= 0);
        QCOMPARE(form_DB->Table3->fieldByName("ID").asInteger(), 96);
        QCOMPARE(form_DB->Table3->fieldByName("Personale_ID").asInteger(), 50);
        QCOMPARE(Form7->DBLookupComboBox10->currentText(), "Verdi Mario");
        Form7->spdIndietroClick();
        QVERIFY(!Form7->isVisible());
    });
    QCOMPARE(valore("select Personale_ID from fattura where ID = 96").toInt(), 50);
}

void TestCollegamenti::personaleDalCalendario()
{
    TfrmGrigliaCalendario *l = frmGrigliaCalendario;
    l->BitBtn3Click();
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *w) {
        QCOMPARE(w, static_cast<QWidget *>(frmCalendario));
        TfrmCalendario *c = frmCalendario;
        QVERIFY(c->SpeedButton3->isEnabled());
        QVERIFY(c->SpeedButton4->isEnabled());
        ui::DBLookupComboBox *personale = c->DBLookupComboBox2;
        const int i = personale->findText("Neri Luca");
        QVERIFY(i >= 0);
        personale->setCurrentIndex(i);
        Q_EMIT personale->activated(i);
        // "open": the staff editor on the entry's staff member, his two deadlines.
        conModale([c] { c->SpeedButton3->click(); }, [](QWidget *p) {
            QCOMPARE(p, static_cast<QWidget *>(frmPersonaleDettaglio));
            QCOMPARE(frmPersonaleDettaglio->DBEdit4->text(), "Neri Luca");
            QCOMPARE(form_DB->TablePersonaleScadenze->recordCount(), 2);
            frmPersonaleDettaglio->spdIndietro->click();
        });
        // "+": offered by the lookup afterwards, the entry's staff member unchanged.
        conModale([c] { c->SpeedButton4->click(); }, [](QWidget *p) {
            QCOMPARE(p, static_cast<QWidget *>(frmPersonaleDettaglio));
            scrivi(frmPersonaleDettaglio->DBEdit4, "Gialli Nuovo");
            frmPersonaleDettaglio->spdIndietro->click();
        });
        QCOMPARE(valore("select count(*) from Personale where Personale = 'Gialli Nuovo'").toInt(), 1);
        QVERIFY(personale->findText("Gialli Nuovo") >= 0);
        QCOMPARE(form_DB->TableCalendario->fieldByName("Personale_Id").asInteger(), 51);
        QCOMPARE(personale->currentText(), "Neri Luca");
        c->spdIndietro->click();
    });
    QCOMPARE(valore("select count(*) from Calendario where Personale_Id = 51 and Personale = 'Neri Luca'").toInt(), 1);
}
