#include "tst_personale.h"

#include "Ambiente.h"
#include "Banco.h"
#include "common/VCard.h"
#include "data/DB.h"
#include "db/Query.h"
#include "operations/GrigliaPersonale.h"
#include "operations/PersonaleCosti.h"
#include "operations/PersonaleDettaglio.h"
#include "operations/PersonaleScadenze.h"
#include "operations/PersonaleStipendi.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant valore(const QString &sql) { return g_banco->valore(sql); }
int conta(const QString &sql) { return valore(sql).toInt(); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

// Employee 7 with three deadlines, two costs and twelve salaries and two calendar entries;
// employee 8, withdrawn, with one row of each kind; employee 9 with an apostrophe.
const QStringList kFixture = {
    "insert into Personale (Id, Codice, Personale, Tel, Cell, Indirizzo, IdPaese, PagaMensile, Annullato) values "
    "(7, 'A7', 'Rossi Mario', '011 1', '333 1', 'Via Roma', 'IT', 1500, false), "
    "(8, 'A8', 'Rossana Bianchi', '011 2', '333 2', 'Via Po', 'IT', 0, true), "
    "(9, 'A9', 'D''Amico Luca', '02 3', '347 3', 'Corso Como', 'IT', 0, false)",
    "insert into PersonaleScadenze (Personale_ID, Descrizione, DataScadenza, DataAvviso, Validato) values "
    "(7, 'Visita', #3/20/2026#, #3/14/2026#, false), (7, 'Corso', #3/30/2026#, #3/15/2026#, false), "
    "(7, 'Patente', #4/30/2026#, null, false), (8, 'Visita', #3/20/2026#, #3/1/2026#, false)",
    "insert into PersonaleCosti (Personale_ID, Importo) values (7, 10), (7, 20), (8, 30)",
    "insert into PersonaleStipendi (Personale_ID, Anno, Mese) values (7, 2025, '01'), (7, 2025, '02'), (7, 2025, '03'), "
    "(7, 2025, '04'), (7, 2025, '05'), (7, 2025, '06'), (7, 2025, '07'), (7, 2025, '08'), (7, 2025, '09'), (7, 2025, '10'), "
    "(7, 2025, '11'), (7, 2025, '12'), (8, 2025, '01')",
    "insert into Calendario (Personale_Id, Personale, Storico, Conclusa) values (7, 'Rossi Mario', false, false), "
    "(7, 'Rossi Mario', true, true), (8, 'Rossana Bianchi', false, false)",
    "insert into TipologiaCostiPersonale (Id, Descrizione) values (1, 'Formazione'), (2, 'Vestiario')",
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

// Runs `apri` and, as each named modal window comes up in turn, its action (which closes it).
// A window left open is closed after a few seconds and the test fails.
using Azione = std::pair<QString, std::function<void(QWidget *)>>;
void conModali(const std::function<void()> &apri, QList<Azione> azioni)
{
    QTimer t;
    t.setInterval(5);
    QObject::connect(&t, &QTimer::timeout, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || azioni.isEmpty() || w->objectName() != azioni.first().first) return;
        const Azione a = azioni.takeFirst();
        a.second(w);
    });
    QTimer sicurezza;
    sicurezza.setSingleShot(true);
    QObject::connect(&sicurezza, &QTimer::timeout, [] {
        for (int i = 0; i < 10; ++i) {
            QWidget *w = QApplication::activeModalWidget();
            if (!w) break;
            if (auto *d = qobject_cast<QDialog *>(w)) d->done(QDialog::Rejected);
            else w->close();
        }
    });
    t.start();
    sicurezza.start(5000);
    apri();
    QVERIFY2(azioni.isEmpty(), qPrintable("finestra non aperta: " + (azioni.isEmpty() ? QString() : azioni.first().first)));
}

void suPersonale(qint64 id)
{
    form_DB->TablePersonale->requery(); // what the test wrote since the list was read
    QVERIFY(form_DB->TablePersonale->locate("Id", id));
    frmGrigliaPersonale->btnRequeryClick();
}

// Opens the editor on employee `id` and runs `azione` in it.
void nelDettaglio(qint64 id, const std::function<void(TfrmPersonaleDettaglio *)> &azione)
{
    suPersonale(id);
    conModali([] { frmGrigliaPersonale->spdAvanti->click(); },
              {Azione{"frmPersonaleDettaglio", [&](QWidget *) { azione(frmPersonaleDettaglio); }}});
}

} // namespace

void TestPersonale::init()
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmGrigliaPersonale", "frmPersonaleScadenze", "frmPersonaleCosti", "frmPersonaleStipendi"}, kFixture);
    frmGrigliaPersonale->svuotaRicerca();
    form_DB->TablePersonale->setFilter(QString());
}

void TestPersonale::cleanup()
{
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
}

void TestPersonale::eliminaACascata()
{
    suPersonale(7);
    // "No" keeps everything.
    dialoghi().expectMessage("Sei sicuro di voler eliminare il personale?", QMessageBox::No);
    frmGrigliaPersonale->spdElimina->click();
    QCOMPARE(conta("select count(*) from Personale"), 3);
    QCOMPARE(conta("select count(*) from PersonaleStipendi where Personale_ID = 7"), 12);
    dialoghi().expectMessage("Sei sicuro di voler eliminare il personale?", QMessageBox::Yes);
    frmGrigliaPersonale->spdElimina->click();
    // The seventeen rows and the employee; the other employee's rows and the calendar stay.
    QCOMPARE(conta("select count(*) from Personale where Id = 7"), 0);
    for (const char *t : {"PersonaleScadenze", "PersonaleCosti", "PersonaleStipendi"}) {
        QCOMPARE(conta(QString("select count(*) from %1 where Personale_ID = 7").arg(t)), 0);
        QCOMPARE(conta(QString("select count(*) from %1 where Personale_ID = 8").arg(t)), 1);
    }
    QCOMPARE(conta("select count(*) from Calendario where Personale_Id = 7 and Personale = 'Rossi Mario'"), 2);
    QCOMPARE(form_DB->TablePersonale->recordCount(), 2);
    // The list is on a neighbour, with its sub-lists.
    const qint64 corrente = form_DB->TablePersonale->fieldByName("Id").asLargeInt();
    QVERIFY(corrente == 8 || corrente == 9);
    QCOMPARE(form_DB->TablePersonaleStipendi->recordCount(), corrente == 8 ? 1 : 0);
}

void TestPersonale::eliminaSuElencoVuoto()
{
    form_DB->TablePersonale->setFilter("Personale like 'NESSUNO*'");
    frmGrigliaPersonale->spdElimina->click(); // nothing asked, nothing deleted
    QCOMPARE(conta("select count(*) from Personale"), 3);
}

void TestPersonale::filtri_data()
{
    QTest::addColumn<QString>("casella");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("casella2");
    QTest::addColumn<QString>("testo2");
    QTest::addColumn<int>("righe");
    QTest::newRow("three letters, withdrawn included") << "Edit2" << "Ros" << "" << "" << 2;
    QTest::newRow("three letters and a lone star") << "Edit2" << "Ros" << "Edit4" << "*" << 2;
    QTest::newRow("name and phone") << "Edit2" << "Ros" << "Edit4" << "011 2" << 1;
    QTest::newRow("apostrophe") << "Edit2" << "D'Am" << "" << "" << 1;
    QTest::newRow("mobile") << "Edit3" << "34" << "" << "" << 1;
    QTest::newRow("street") << "Edit1" << "via" << "" << "" << 2;
}

void TestPersonale::filtri()
{
    QFETCH(QString, casella);
    QFETCH(QString, testo);
    QFETCH(QString, casella2);
    QFETCH(QString, testo2);
    QFETCH(int, righe);
    frmGrigliaPersonale->show();
    scrivi(frmGrigliaPersonale->findChild<QLineEdit *>(casella), testo);
    if (!casella2.isEmpty()) scrivi(frmGrigliaPersonale->findChild<QLineEdit *>(casella2), testo2);
    QCOMPARE(form_DB->TablePersonale->recordCount(), righe);
    frmGrigliaPersonale->hide();
}

void TestPersonale::aggiungiConScadenzeEAnnulla()
{
    frmGrigliaPersonale->show();
    scrivi(frmGrigliaPersonale->Edit2, "Ros");
    const auto nuovaScadenza = [](const QString &descrizione) {
        conModali([] { frmPersonaleDettaglio->spdInserisciDett->click(); },
                  {Azione{"frmPersonaleScadenze", [descrizione](QWidget *) {
                              scrivi(frmPersonaleScadenze->DBEdit1, descrizione);
                              frmPersonaleScadenze->spdIndietro->click();
                          }}});
    };
    conModali([] { frmGrigliaPersonale->spdInserisci->click(); },
              {Azione{"frmPersonaleDettaglio", [&](QWidget *) {
                          TfrmPersonaleDettaglio *d = frmPersonaleDettaglio;
                          db::Query *p = form_DB->TablePersonale;
                          // Stored at once, Italian, with the boxes emptied.
                          QCOMPARE(conta("select count(*) from Personale"), 4);
                          QCOMPARE(p->fieldByName("IdPaese").asString(), QString("IT"));
                          QVERIFY(frmGrigliaPersonale->Edit2->text().isEmpty());
                          QVERIFY(ambiente::didascalie(d->ToolBar2, true).contains("Annulla"));
                          // The deadlines page of an employee without a name: the message, the lists hidden.
                          dialoghi().expectMessage("Attenzione manca il nominativo !");
                          d->PageControl1->setCurrentIndex(3);
                          QVERIFY(!d->GroupBox2->isVisible());
                          d->PageControl1->setCurrentIndex(0);
                          scrivi(d->DBEdit4, "Nuovo Dipendente");
                          d->PageControl1->setCurrentIndex(3);
                          QVERIFY(d->GroupBox2->isVisible());
                          nuovaScadenza("Visita medica");
                          nuovaScadenza("Corso");
                          const qint64 id = p->fieldByName("Id").asLargeInt();
                          QCOMPARE(conta(QString("select count(*) from PersonaleScadenze where Personale_ID = %1").arg(id)), 2);
                          dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                          d->spdAnnulla->click();
                      }}});
    // Removed with both deadlines, without a second question.
    QCOMPARE(conta("select count(*) from Personale"), 3);
    QCOMPARE(conta("select count(*) from PersonaleScadenze"), 4);
    QCOMPARE(dialoghi().messages().size(), 2);
    // An existing employee's editor offers no "Annulla", nor does an existing deadline's.
    nelDettaglio(7, [](TfrmPersonaleDettaglio *d) {
        QVERIFY(!ambiente::didascalie(d->ToolBar2, true).contains("Annulla"));
        d->PageControl1->setCurrentIndex(3);
        conModali([] { frmPersonaleDettaglio->spdAvantiDett->click(); }, {Azione{"frmPersonaleScadenze", [](QWidget *) {
                                                                              QVERIFY(!ambiente::didascalie(
                                                                                           frmPersonaleScadenze->ToolBar2, true)
                                                                                           .contains("Annulla"));
                                                                              frmPersonaleScadenze->spdIndietro->click();
                                                                          }}});
        d->spdIndietro->click();
    });
    frmGrigliaPersonale->hide();
}

void TestPersonale::controlliDelSalvataggio()
{
    nelDettaglio(9, [](TfrmPersonaleDettaglio *d) {
        // The nation emptied with Backspace: the message, the form stays open on page 0.
        d->DBLookupComboBox2->setFocus();
        QTest::keyClick(d->DBLookupComboBox2, Qt::Key_Backspace);
        QVERIFY(d->DatiModificati);
        QVERIFY(form_DB->TablePersonale->fieldByName("IdPaese").isNull());
        d->PageControl1->setCurrentIndex(2);
        dialoghi().expectMessage("Attenzione manca la nazione !");
        d->spdIndietro->click();
        QVERIFY(d->isVisible());
        QCOMPARE(d->PageControl1->currentIndex(), 0);
        // Backspace in the state of birth clears that column alone.
        form_DB->TablePersonale->edit();
        form_DB->TablePersonale->fieldByName("StatoNascita").setAsString("IT");
        form_DB->TablePersonale->fieldByName("Cittadinanza").setAsString("IT");
        form_DB->TablePersonale->fieldByName("IdPaese").setAsString("IT");
        d->PageControl1->setCurrentIndex(2);
        d->DBLookupComboBox6->setFocus();
        QTest::keyClick(d->DBLookupComboBox6, Qt::Key_Backspace);
        QVERIFY(form_DB->TablePersonale->fieldByName("StatoNascita").isNull());
        QCOMPARE(form_DB->TablePersonale->fieldByName("Cittadinanza").asString(), QString("IT"));
        // An empty name: its message first.
        d->PageControl1->setCurrentIndex(0);
        scrivi(d->DBEdit4, "");
        dialoghi().expectMessage("Attenzione manca il nominativo !");
        d->spdIndietro->click();
        QVERIFY(d->isVisible());
        scrivi(d->DBEdit4, "D'Amico Luca");
        d->spdIndietro->click();
    });
    QCOMPARE(valore("select StatoNascita from Personale where Id = 9").toString(), QString());
    QCOMPARE(valore("select Cittadinanza from Personale where Id = 9").toString(), QString("IT"));
}

void TestPersonale::nomeNelCalendario()
{
    // Another field changed: the calendar keeps its copy.
    nelDettaglio(7, [](TfrmPersonaleDettaglio *d) {
        scrivi(d->DBEdit3, "B7");
        d->spdIndietro->click();
    });
    QCOMPARE(valore("select Codice from Personale where Id = 7").toString(), QString("B7"));
    QCOMPARE(conta("select count(*) from Calendario where Personale = 'Rossi Mario'"), 2);
    // The name typed into: every entry of the employee, concluded or in history; no other.
    nelDettaglio(7, [](TfrmPersonaleDettaglio *d) {
        scrivi(d->DBEdit4, "Rossi Mario Jr");
        d->spdIndietro->click();
    });
    QCOMPARE(conta("select count(*) from Calendario where Personale_Id = 7 and Personale = 'Rossi Mario Jr'"), 2);
    QCOMPARE(valore("select Personale from Calendario where Personale_Id = 8").toString(), QString("Rossana Bianchi"));
    // A name changed by a paste from the box's menu (a right-button press) counts too.
    nelDettaglio(7, [](TfrmPersonaleDettaglio *d) {
        QVERIFY(!d->NominativoModificato);
        // The press itself, sent to the box (its menu would wait for a choice).
        QMouseEvent destro(QEvent::MouseButtonPress, QPointF(5, 5), d->DBEdit4->mapToGlobal(QPointF(5, 5)), Qt::RightButton,
                           Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(d->DBEdit4, &destro);
        QVERIFY(d->NominativoModificato);
        scrivi(d->DBEdit4, "Rossi M.");
        d->spdIndietro->click();
    });
    QCOMPARE(conta("select count(*) from Calendario where Personale_Id = 7 and Personale = 'Rossi M.'"), 2);
}

void TestPersonale::tariffe()
{
    nelDettaglio(9, [](TfrmPersonaleDettaglio *d) {
        d->PageControl1->setCurrentIndex(1);
        // Without a monthly pay: the message, the daily rate as it was.
        dialoghi().expectMessage("Attenzione Inserisci la paga mensile per poter calcolare la tariffa giornaliera!");
        d->Button1->click();
        dialoghi().expectMessage("Attenzione Inserisci la Tariffa giornaliera per poter calcolare la tariffa Oraria!");
        d->Button2->click();
        scrivi(d->DBEdit22, "1500.00");
        d->Button1->click();
        d->Button2->click();
        QCOMPARE(d->DBEdit23->text(), QString("71,43"));
        QCOMPARE(d->DBEdit24->text(), QString("8,93"));
        d->spdIndietro->click();
    });
    QCOMPARE(valore("select TariffaGiornaliera from Personale where Id = 9").toDouble(), 71.43);
    QCOMPARE(valore("select TariffaOraria from Personale where Id = 9").toDouble(), 8.93);
    QCOMPARE(valore("select PagaMensile from Personale where Id = 9").toDouble(), 1500.0);
}

void TestPersonale::scadenze()
{
    nelDettaglio(7, [](TfrmPersonaleDettaglio *d) {
        d->PageControl1->setCurrentIndex(3);
        // Red: notice date before today (or none) and not done; today's is not red.
        db::Query *s = form_DB->TablePersonaleScadenze;
        const auto colore = [&](const QString &descrizione) {
            for (int r = 0; r < s->recordCount(); ++r)
                if (s->valueAt(r, s->fieldIndex("Descrizione")).toString() == descrizione)
                    return d->DBGrid2->model()->index(r, 0).data(Qt::BackgroundRole).value<QColor>();
            return QColor(Qt::blue);
        };
        QCOMPARE(colore("Visita"), QColor(Qt::red));
        QCOMPARE(colore("Patente"), QColor(Qt::red));
        QVERIFY(!colore("Corso").isValid());
        // A new deadline: the checks in order, then stored for this employee.
        conModali([] { frmPersonaleDettaglio->spdInserisciDett->click(); },
                  {Azione{"frmPersonaleScadenze", [](QWidget *) {
                              TfrmPersonaleScadenze *e = frmPersonaleScadenze;
                              QCOMPARE(e->DBEdit2->text(), QString("15/03/2026"));
                              dialoghi().expectMessage("Attenzione manca la Descrizione");
                              e->spdIndietro->click();
                              scrivi(e->DBEdit1, "Rinnovo CQC");
                              scrivi(e->DBEdit3, "");
                              dialoghi().expectMessage("Attenzione manca la Data di avviso della scadenza");
                              e->spdIndietro->click();
                              scrivi(e->DBEdit3, "01/04/2026");
                              scrivi(e->DBEdit2, "");
                              dialoghi().expectMessage("Attenzione manca la data di Scadenza");
                              e->spdIndietro->click();
                              QVERIFY(e->isVisible());
                              scrivi(e->DBEdit2, "30/04/2026");
                              e->spdIndietro->click();
                          }}});
        // The deadline done is no longer red.
        QVERIFY(s->locate("Descrizione", "Visita"));
        conModali([] { frmPersonaleDettaglio->spdAvantiDett->click(); }, {Azione{"frmPersonaleScadenze", [](QWidget *) {
                                                                              frmPersonaleScadenze->DBCheckBox1->click();
                                                                              frmPersonaleScadenze->spdIndietro->click();
                                                                          }}});
        QVERIFY(!colore("Visita").isValid());
        dialoghi().expectMessage("Sei sicuro di voler eliminare la scadenza?", QMessageBox::Yes);
        QVERIFY(s->locate("Descrizione", "Corso"));
        d->spdEliminaDett->click();
        d->spdIndietro->click();
    });
    QCOMPARE(conta("select count(*) from PersonaleScadenze where Personale_ID = 7 and Descrizione = 'Rinnovo CQC' "
                   "and DataAvviso = #4/1/2026#"),
             1);
    QCOMPARE(conta("select count(*) from PersonaleScadenze where Personale_ID = 7 and Descrizione = 'Visita' and Validato = true"), 1);
    QCOMPARE(conta("select count(*) from PersonaleScadenze where Descrizione = 'Corso'"), 0);
}

void TestPersonale::costi()
{
    nelDettaglio(7, [](TfrmPersonaleDettaglio *d) {
        d->PageControl1->setCurrentIndex(4);
        conModali([] { frmPersonaleDettaglio->SpeedButton19->click(); },
                  {Azione{"frmPersonaleCosti", [](QWidget *) {
                              TfrmPersonaleCosti *e = frmPersonaleCosti;
                              scrivi(e->DBEdit2, "120.5");
                              dialoghi().expectMessage("Attenzione manca la Tipologia");
                              e->spdIndietro->click();
                              QVERIFY(e->isVisible());
                              scegli(e->DBLookupComboBox1, "Vestiario");
                              e->spdIndietro->click();
                          }}});
        QCOMPARE(form_DB->TablePersonaleCosti->recordCount(), 3);
        d->spdIndietro->click();
    });
    QCOMPARE(conta("select count(*) from PersonaleCosti where Personale_ID = 7 and TipologiaCosto_id = 2 "
                   "and TipologiaCosto = 'Vestiario' and Importo = 120.5"),
             1);
    // Renaming the type later leaves the stored cost as it was.
    g_banco->esegui("update TipologiaCostiPersonale set Descrizione = 'Divise' where Id = 2");
    QCOMPARE(conta("select count(*) from PersonaleCosti where TipologiaCosto = 'Vestiario'"), 1);
}

void TestPersonale::stipendi()
{
    nelDettaglio(7, [](TfrmPersonaleDettaglio *d) {
        d->PageControl1->setCurrentIndex(5);
        conModali([] { frmPersonaleDettaglio->SpeedButton14->click(); },
                  {Azione{"frmPersonaleStipendi", [](QWidget *) {
                              TfrmPersonaleStipendi *e = frmPersonaleStipendi;
                              db::Query *q = form_DB->TablePersonaleStipendi;
                              // The employee's pay, this year and today.
                              QCOMPARE(q->fieldByName("Base").asFloat(), 1500.0);
                              QCOMPARE(q->fieldByName("Anno").asInteger(), 2026);
                              QCOMPARE(q->fieldByName("DataPagamento").asDateTime().date(), QDate(2026, 3, 15));
                              scrivi(e->DBEdit6, "100");
                              scrivi(e->DBEdit8, "50");
                              scrivi(e->DBEdit9, "20");
                              scrivi(e->DBEdit7, "80");
                              scrivi(e->DBEdit3, "1610");
                              e->Button1->click();
                              QCOMPARE(e->DBEdit11->text(), QString("1630"));
                              // Without a month "Indietro" does not close.
                              dialoghi().expectMessage("Attenzione manca il Mese");
                              e->spdIndietro->click();
                              QVERIFY(e->isVisible());
                              scegli(e->DBComboBox1, "03");
                              // The total is written again by the save.
                              scrivi(e->DBEdit9, "30");
                              e->spdIndietro->click();
                          }}});
        d->spdIndietro->click();
    });
    QCOMPARE(conta("select count(*) from PersonaleStipendi where Personale_ID = 7 and Anno = 2026 and Mese = '03' "
                   "and TotaleParziale = 1620 and Assegni = 80 and ImportoBonifico = 1610"),
             1);
    // "Annulla" of a new salary leaves no row.
    nelDettaglio(7, [](TfrmPersonaleDettaglio *d) {
        d->PageControl1->setCurrentIndex(5);
        conModali([] { frmPersonaleDettaglio->SpeedButton14->click(); }, {Azione{"frmPersonaleStipendi", [](QWidget *) {
                                                                               dialoghi().expectMessage(
                                                                                   "Sei sicuro di voler annullare l'inserimento ?",
                                                                                   QMessageBox::Yes);
                                                                               frmPersonaleStipendi->spdAnnulla->click();
                                                                           }}});
        d->spdIndietro->click();
    });
    QCOMPARE(conta("select count(*) from PersonaleStipendi where Personale_ID = 7"), 13);
}

void TestPersonale::esportaVCard()
{
    frmGrigliaPersonale->show();
    // Nothing selected: the message only.
    dialoghi().expectMessage("Attenzione devi selezionare i contatti da Esportare");
    frmGrigliaPersonale->btEsportaVCard->click();
    dialoghi().expectMessage("Attenzione devi selezionare i contatti da copiare le email");
    frmGrigliaPersonale->spdEmail->click();
    // Two selected: one file with two cards, ".vcf" added to a name without extension.
    QTemporaryDir cartella;
    db::Query *q = form_DB->TablePersonale;
    q->setRowSelected(0, true);
    q->setRowSelected(1, true);
    dialoghi().queueSaveFile(cartella.path() + "/staff");
    frmGrigliaPersonale->btEsportaVCard->click();
    const QList<common::Vcard4> schede = common::LeggiVCard(cartella.path() + "/staff.vcf");
    QCOMPARE(schede.size(), 2);
    QCOMPARE(schede[0].campi[39], "PellavantoriaP" + QString::number(q->valueAt(0, q->fieldIndex("Id")).toLongLong()));
    frmGrigliaPersonale->hide();
}
