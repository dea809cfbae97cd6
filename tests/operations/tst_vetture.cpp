#include "tst_vetture.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "operations/SceltaCisterna.h"
#include "operations/Vetture.h"
#include "operations/VettureCarburante.h"
#include "operations/VettureCosti.h"
#include "operations/VettureDettaglio.h"
#include "operations/VettureScadenze.h"
#include "operations/VettureSchede.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QDir>
#include <QGroupBox>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant valore(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

const QString kSi = QStringLiteral("Sei sicuro");

// Tank 1 of 1000 litres; vehicle 10 complete with an older refuelling (8200 km) from tank 1;
// vehicle 20 with nothing; the fuel at 1.50 a litre.
const QStringList kFixture = {
    "insert into Carburanti (ID, Descrizione, Prezzo) values (1, 'Gasolio', 1.5), (2, 'Gratis', 0)",
    "insert into Cisterne (ID, Descrizione, Carburante_ID, Litri) values (1, 'Cisterna A', 1, 1000), (2, 'Cisterna B', 1, 500)",
    "insert into Modelli (Descrizione) values ('Iveco'), ('Fiat')",
    "insert into veicoli (Id, Descrizione, Modello) values (1, 'Carro attrezzi', 'Iveco'), (2, 'Furgone', 'Fiat')",
    "insert into Vetture (ID, Targa, Modello, Veicolo_ID, VeicoloDesc, NumTelaio, DataImmatricolazione, Cilindrata, Carburante_id, "
    "TassaCircolazioneAnnua, Assicurazione, Chilometri) values "
    "(10, 'AB123CD', 'Iveco', 1, 'Carro attrezzi', 'ZFA100', #5/10/2019#, 2800, 1, 300, 1200, 8200),"
    "(20, 'AB777XY', 'Fiat', 2, 'Furgone', 'ZFA200', #1/20/2022#, 1900, 2, 200, 900, 0),"
    "(30, 'L''AQUILA1', 'Fiat', 2, 'Furgone', 'WVW300', #3/1/2024#, 1600, 1, 100, 500, 0)",
    "insert into VettureCarburante (ID, Vettura_ID, Data, Litri, Importo, Cisterna_ID, Cisterna, KmPartenza) values "
    "(1, 10, #3/1/2026#, 25, 37.5, 1, 'Cisterna A', 8200)",
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

double scorta(int cisterna = 1) { return valore(QString("select Litri from Cisterne where ID = %1").arg(cisterna)).toDouble(); }

void suVettura(qint64 id)
{
    form_DB->TableVetture->requery(); // what the test wrote since the list was read
    QVERIFY(form_DB->TableVetture->locate("ID", id));
    frmVetture->btnRequeryClick();
}

// The refuelling editor: litres typed, then "Indietro".
std::function<void(QWidget *)> salvaLitri(const QString &litri)
{
    return [litri](QWidget *) {
        scrivi(frmVettureCarburante->DBEdit2, litri);
        frmVettureCarburante->spdIndietro->click();
    };
}

std::function<void(QWidget *)> scegliCisterna(const QString &nome)
{
    return [nome](QWidget *) {
        scegli(frmSceltaCisterna->DBLookupComboBox1, nome);
        frmSceltaCisterna->spdAvanti->click();
    };
}

} // namespace

void TestVetture::init()
{
    g_banco = std::make_unique<banco::Banco>(QStringList{"frmVetture", "frmVettureCarburante", "frmVettureCosti", "frmVettureScadenze",
                                                         "frmVettureSchede", "frmSceltaCisterna"},
                                             kFixture);
    frmVetture->svuotaRicerca();
}

void TestVetture::cleanup()
{
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
}

void TestVetture::scortaDaiRifornimenti_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<QStringList>("passi");
    QTest::addColumn<QList<double>>("scorte"); // tank 1 after each step
    QTest::addColumn<int>("righe");            // refuellings of the vehicle at the end
    QTest::newRow("new 40, 35, unchanged, deleted") << true << QStringList{"nuovo 40", "modifica 35", "modifica 35", "elimina"}
                                                    << QList<double>{960, 965, 965, 1000} << 1;
    QTest::newRow("Annulla on a new one") << true << QStringList{"annulla"} << QList<double>{1000} << 1;
    QTest::newRow("option off: no tank asked, no stock moved")
        << false << QStringList{"nuovo 40", "modifica 35", "elimina"} << QList<double>{1000, 1000, 1000} << 1;
    QTest::newRow("option off: an older refuelling with a tank deleted")
        << false << QStringList{"elimina"} << QList<double>{1000} << 0;
    QTest::newRow("option on: the older refuelling deleted gives its litres back")
        << true << QStringList{"elimina"} << QList<double>{1025} << 0;
}

void TestVetture::scortaDaiRifornimenti()
{
    QFETCH(bool, opzione);
    QFETCH(QStringList, passi);
    QFETCH(QList<double>, scorte);
    QFETCH(int, righe);
    g_banco->esegui(QString("update opzioni set LavoraCisterne = %1").arg(opzione ? "true" : "false"));
    suVettura(10);
    db::Query *q = form_DB->TableVettureCarburante;
    qint64 salvata = 0; // the refuelling the last step stored
    for (int i = 0; i < passi.size(); ++i) {
        const QStringList p = passi[i].split(' ');
        if (p[0] == "nuovo") {
            QList<Azione> azioni;
            if (opzione) azioni << Azione{"frmSceltaCisterna", scegliCisterna("Cisterna A")};
            azioni << Azione{"frmVettureCarburante", salvaLitri(p[1])};
            conModali([] { frmVettureDettaglio->SpeedButton15->click(); }, azioni);
            QCOMPARE(q->fieldByName("Cisterna_ID").asInteger(), opzione ? 1 : 0);
            QCOMPARE(q->fieldByName("Cisterna").asString(), opzione ? QString("Cisterna A") : QString());
            // The list stays on the new refuelling, the newest of the table.
            salvata = q->fieldByName("ID").asLargeInt();
            QCOMPARE(salvata, valore("select max(ID) from VettureCarburante").toLongLong());
        } else if (p[0] == "modifica") {
            QCOMPARE(q->fieldByName("ID").asLargeInt(), salvata); // stays on the row just saved
            conModali([] { frmVettureDettaglio->SpeedButton17->click(); }, {Azione{"frmVettureCarburante", salvaLitri(p[1])}});
            QCOMPARE(q->fieldByName("ID").asLargeInt(), salvata);
            QCOMPARE(valore(QString("select Litri from VettureCarburante where ID = %1").arg(salvata)).toDouble(), p[1].toDouble());
        } else if (p[0] == "elimina") {
            dialoghi().expectMessage("Sei sicuro di voler eliminare il Carburante ?", QMessageBox::Yes);
            frmVettureDettaglio->SpeedButton14->click();
        } else if (p[0] == "annulla") {
            QList<Azione> azioni;
            if (opzione) azioni << Azione{"frmSceltaCisterna", scegliCisterna("Cisterna A")};
            azioni << Azione{"frmVettureCarburante", [](QWidget *) {
                                 scrivi(frmVettureCarburante->DBEdit2, "40");
                                 dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                                 frmVettureCarburante->spdAnnulla->click();
                             }};
            conModali([] { frmVettureDettaglio->SpeedButton15->click(); }, azioni);
        }
        QCOMPARE(scorta(), scorte[i]);
        QCOMPARE(scorta(2), 500.0);
    }
    QCOMPARE(valore("select count(*) from VettureCarburante where Vettura_ID = 10").toInt(), righe);
    QCOMPARE(q->recordCount(), righe);
    // The tank list's dataset shows the stock as stored.
    QVERIFY(form_DB->TableCisterne->locate("ID", 1));
    QCOMPARE(form_DB->TableCisterne->fieldByName("Litri").asFloat(), scorte.last());
    // The vehicle's totals follow its refuellings.
    QCOMPARE(form_DB->TableVetture->fieldByName("TotaleLitriCarburante").asFloat(),
             valore("select sum(Litri) from VettureCarburante where Vettura_ID = 10").toDouble());
}

void TestVetture::chilometriEDifferenza()
{
    g_banco->esegui("update opzioni set LavoraCisterne = false");
    suVettura(10);
    conModali([] { frmVettureDettaglio->SpeedButton15->click(); },
              {Azione{"frmVettureCarburante", [](QWidget *) {
                          // A new refuelling starts from the latest one's reading.
                          QCOMPARE(frmVettureCarburante->DBEdit4->text(), QString("8200"));
                          // The staff and refuelling-point lists are not in this program: their buttons wait.
                          for (const char *b : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"})
                              QVERIFY(!frmVettureCarburante->findChild<QToolButton *>(b)->isEnabled());
                          scrivi(frmVettureCarburante->DBEdit2, "40");
                          scrivi(frmVettureCarburante->DBEdit5, "8700");
                          frmVettureCarburante->spdIndietro->click();
                      }}});
    QCOMPARE(valore("select KmDifferenza from VettureCarburante where Vettura_ID = 10 and KmPartenza = 8700").toDouble(), 500.0);
    QCOMPARE(valore("select Chilometri from Vetture where ID = 10").toDouble(), 8700.0);
    // An older refuelling (not the first row) never moves the odometer.
    db::Query *q = form_DB->TableVettureCarburante;
    QVERIFY(q->locate("ID", 1));
    QVERIFY(q->currentIndex() > 0);
    conModali([] { frmVettureDettaglio->SpeedButton17->click(); }, {Azione{"frmVettureCarburante", [](QWidget *) {
                                                                         scrivi(frmVettureCarburante->DBEdit5, "9999");
                                                                         frmVettureCarburante->spdIndietro->click();
                                                                     }}});
    QCOMPARE(valore("select Chilometri from Vetture where ID = 10").toDouble(), 8700.0);
    QCOMPARE(valore("select KmDifferenza from VettureCarburante where ID = 1").toDouble(), 9999.0);
}

void TestVetture::rifornimentoEChilometriInsieme_data()
{
    QTest::addColumn<QString>("altrove");   // what another workstation does while the editor is open
    QTest::addColumn<QString>("km");        // the reading typed ("": none, the odometer stays)
    QTest::addColumn<QString>("messaggio"); // what the save says
    QTest::newRow("odometer changed elsewhere") << "update Vetture set Chilometri = 9000 where ID = 10" << "8700"
                                                << "il record è stato modificato da un'altra postazione";
    QTest::newRow("vehicle deleted elsewhere, a reading") << "delete from Vetture where ID = 10" << "8700"
                                                          << "Il record non esiste più nella tabella Vetture";
    QTest::newRow("vehicle deleted elsewhere, no reading") << "delete from Vetture where ID = 10" << ""
                                                           << "La vettura non esiste più nell'archivio";
}

void TestVetture::rifornimentoEChilometriInsieme()
{
    QFETCH(QString, altrove);
    QFETCH(QString, km);
    QFETCH(QString, messaggio);
    g_banco->esegui("update opzioni set LavoraCisterne = true");
    suVettura(10);
    conModali([] { frmVettureDettaglio->SpeedButton15->click(); },
              {Azione{"frmSceltaCisterna", scegliCisterna("Cisterna A")},
               Azione{"frmVettureCarburante", [&](QWidget *) {
                          scrivi(frmVettureCarburante->DBEdit2, "40");
                          if (!km.isEmpty()) scrivi(frmVettureCarburante->DBEdit5, km);
                          db::Connection b;
                          QVERIFY(b.open(form_DB->Connessione.path()));
                          b.execute(altrove);
                          b.close();
                          // The refuelling, the tank and the odometer go together: nothing is stored.
                          dialoghi().expectMessage(messaggio);
                          frmVettureCarburante->spdIndietro->click();
                          QVERIFY(frmVettureCarburante->isVisible());
                          QCOMPARE(frmVettureCarburante->DBEdit2->text(), QString("40"));
                          QCOMPARE(scorta(), 1000.0);
                          QCOMPARE(valore("select count(*) from VettureCarburante where Litri = 40").toInt(), 0);
                          dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                          frmVettureCarburante->spdAnnulla->click();
                      }}});
    QCOMPARE(scorta(), 1000.0);
    QCOMPARE(valore("select count(*) from VettureCarburante where KmPartenza = 8700 or Litri = 40").toInt(), 0);
    QCOMPARE(valore("select count(*) from Vetture where Chilometri = 8700").toInt(), 0);
}

void TestVetture::calcola_data()
{
    QTest::addColumn<int>("vettura");
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("litri");
    QTest::addColumn<QString>("importo");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<double>("litriAttesi");
    QTest::addColumn<double>("importoAtteso");
    QTest::newRow("amount from 30 litres") << 10 << "Button1" << "30" << "" << "" << 30.0 << 45.0;
    QTest::newRow("litres from 50.00") << 10 << "Button2" << "" << "50" << "" << 33.33 << 50.0;
    QTest::newRow("litres without amount") << 10 << "Button2" << "5" << ""
                                           << "Attenzione Inserire l'importo prima di poter calcolare la quantità di litri!!! " << 5.0
                                           << 0.0;
    QTest::newRow("amount without litres") << 10 << "Button1" << "" << "7"
                                           << "Attenzione Inserire i Litri prima di poter calcolare il prezzo!!! " << 0.0 << 7.0;
    QTest::newRow("price 0: amount 0") << 20 << "Button1" << "30" << "" << "" << 30.0 << 0.0;
    QTest::newRow("price 0: no litres, no division") << 20 << "Button2" << "" << "50" << "è zero" << 0.0 << 50.0;
    QTest::newRow("no fuel type") << 30 << "Button1" << "30" << "" << "non è possibile calcolare il prezzo" << 30.0 << 0.0;
}

void TestVetture::calcola()
{
    QFETCH(int, vettura);
    QFETCH(QString, pulsante);
    QFETCH(QString, litri);
    QFETCH(QString, importo);
    QFETCH(QString, messaggio);
    QFETCH(double, litriAttesi);
    QFETCH(double, importoAtteso);
    g_banco->esegui("update opzioni set LavoraCisterne = false");
    g_banco->esegui("update Vetture set Carburante_id = 9 where ID = 30");
    suVettura(vettura);
    conModali([] { frmVettureDettaglio->SpeedButton15->click(); },
              {Azione{"frmVettureCarburante", [&](QWidget *) {
                          scrivi(frmVettureCarburante->DBEdit2, litri);
                          scrivi(frmVettureCarburante->DBEdit3, importo);
                          if (!messaggio.isEmpty()) dialoghi().expectMessage(messaggio);
                          frmVettureCarburante->findChild<QToolButton *>(pulsante)->click();
                          Q_EMIT form_DB->TableVettureCarburante->updateRecord();
                          db::Query *q = form_DB->TableVettureCarburante;
                          QCOMPARE(q->fieldByName("Litri").asFloat(), litriAttesi);
                          QCOMPARE(q->fieldByName("Importo").asFloat(), importoAtteso);
                          dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                          frmVettureCarburante->spdAnnulla->click();
                      }}});
    QCOMPARE(valore(QString("select count(*) from VettureCarburante where Vettura_ID = %1").arg(vettura)).toInt(), vettura == 10 ? 1 : 0);
}

void TestVetture::eliminaVetturaACascata_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<double>("attesa");
    QTest::newRow("option set") << true << 1050.5;
    QTest::newRow("option clear") << false << 1000.0;
}

void TestVetture::eliminaVetturaACascata()
{
    QFETCH(bool, opzione);
    QFETCH(double, attesa);
    g_banco->esegui(QString("update opzioni set LavoraCisterne = %1").arg(opzione ? "true" : "false"));
    g_banco->esegui("update VettureCarburante set Litri = 30.5 where ID = 1");
    g_banco->esegui("insert into VettureCarburante (Vettura_ID, Data, Litri, Cisterna_ID) values (10, #3/2/2026#, 20, 1), (20, #3/2/2026#, 9, 1)");
    g_banco->esegui("insert into VettureSchede (Vettura_ID, Scheda) values (10, 'Carta')");
    g_banco->esegui("insert into VettureScadenze (Vettura_ID, Descrizione) values (10, 'Revisione')");
    g_banco->esegui("insert into VettureCosti (Vettura_ID, Importo) values (10, 120)");
    suVettura(10);
    // "No" keeps everything.
    dialoghi().expectMessage("Sei sicuro di voler eliminare la Vettura?", QMessageBox::No);
    frmVetture->spdElimina->click();
    QCOMPARE(valore("select count(*) from Vetture").toInt(), 3);
    dialoghi().expectMessage("Sei sicuro di voler eliminare la Vettura?", QMessageBox::Yes);
    frmVetture->spdElimina->click();
    QCOMPARE(valore("select count(*) from Vetture where ID = 10").toInt(), 0);
    for (const char *t : {"VettureSchede", "VettureScadenze", "VettureCarburante", "VettureCosti"})
        QCOMPARE(valore(QString("select count(*) from %1 where Vettura_ID = 10").arg(t)).toInt(), 0);
    QCOMPARE(valore("select count(*) from VettureCarburante where Vettura_ID = 20").toInt(), 1);
    QCOMPARE(scorta(), attesa);
    QCOMPARE(form_DB->TableVetture->recordCount(), 2);
    // The list is on a neighbour, with its sub-lists.
    const qint64 corrente = form_DB->TableVetture->fieldByName("ID").asLargeInt();
    QVERIFY(corrente == 20 || corrente == 30);
    QCOMPARE(form_DB->TableVettureCarburante->recordCount(), corrente == 20 ? 1 : 0);
}

void TestVetture::eliminaSuElencoVuoto()
{
    form_DB->TableVetture->setFilter("Targa like 'NESSUNA*'");
    frmVetture->spdElimina->click(); // nothing asked, nothing deleted
    QCOMPARE(valore("select count(*) from Vetture").toInt(), 3);
}

void TestVetture::aggiungiEAnnulla()
{
    frmVetture->show();
    conModali([] { frmVetture->spdInserisci->click(); },
              {Azione{"frmVettureDettaglio", [](QWidget *) {
                          db::Query *v = form_DB->TableVetture;
                          QCOMPARE(v->fieldByName("DataImmatricolazione").asDateTime().date(), QDate(2026, 3, 15));
                          QVERIFY(!v->fieldByName("ID").isNull());
                          QCOMPARE(valore("select count(*) from Vetture").toInt(), 4);
                          QVERIFY(ambiente::didascalie(frmVettureDettaglio->ToolBar2, true).contains("Annulla"));
                          QCOMPARE(frmVettureDettaglio->PageControl1->currentIndex(), 0);
                          dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                          frmVettureDettaglio->spdAnnulla->click();
                      }}});
    // Removed without a second question; "Annulla" hidden again for an existing vehicle.
    QCOMPARE(valore("select count(*) from Vetture").toInt(), 3);
    QCOMPARE(dialoghi().messages().size(), 1);
    // A new vehicle given a refuelling from a tank, then abandoned: vehicle and refuelling go,
    // the litres go back to the tank.
    g_banco->esegui("update opzioni set LavoraCisterne = true");
    conModali([] { frmVetture->spdInserisci->click(); },
              {Azione{"frmVettureDettaglio",
                      [](QWidget *) {
                          TfrmVettureDettaglio *d = frmVettureDettaglio;
                          scrivi(d->DBEdit1, "NU000VO");
                          scegli(d->DBLookupComboBox5, "Gasolio");
                          d->PageControl1->setCurrentIndex(4);
                          QVERIFY(d->GroupBox3->isVisible());
                          conModali([] { frmVettureDettaglio->SpeedButton15->click(); },
                                    {Azione{"frmSceltaCisterna", scegliCisterna("Cisterna A")},
                                     Azione{"frmVettureCarburante", salvaLitri("40")}});
                          QCOMPARE(scorta(), 960.0);
                          dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                          d->spdAnnulla->click();
                      }}});
    QCOMPARE(valore("select count(*) from Vetture").toInt(), 3);
    QCOMPARE(valore("select count(*) from VettureCarburante").toInt(), 1);
    QCOMPARE(scorta(), 1000.0);
    suVettura(20);
    conModali([] { frmVetture->spdAvanti->click(); }, {Azione{"frmVettureDettaglio", [](QWidget *) {
                                                            QVERIFY(!ambiente::didascalie(frmVettureDettaglio->ToolBar2, true)
                                                                         .contains("Annulla"));
                                                            frmVettureDettaglio->spdIndietro->click();
                                                        }}});
    frmVetture->hide();
}

void TestVetture::filtri_data()
{
    QTest::addColumn<QString>("casella");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("casella2");
    QTest::addColumn<QString>("testo2");
    QTest::addColumn<int>("righe");
    QTest::newRow("plate AB") << "Edit4" << "AB" << "" << "" << 2;
    QTest::newRow("lone star") << "Edit4" << "*" << "" << "" << 3;
    QTest::newRow("apostrophe") << "Edit4" << "L'AQ" << "" << "" << 1;
    QTest::newRow("chassis and from-date") << "Edit2" << "ZFA" << "maskDaData" << "01012020" << 1;
    QTest::newRow("chassis and part of a date") << "Edit2" << "ZFA" << "maskDaData" << "0101" << 2;
    QTest::newRow("to-date, the day included") << "maskAData" << "20012022" << "" << "" << 2;
    QTest::newRow("not a date") << "maskAData" << "31022022" << "" << "" << 3;
    QTest::newRow("make") << "txtModello" << "fi" << "Edit3" << "Furg" << 2;
}

void TestVetture::filtri()
{
    QFETCH(QString, casella);
    QFETCH(QString, testo);
    QFETCH(QString, casella2);
    QFETCH(QString, testo2);
    QFETCH(int, righe);
    frmVetture->show();
    scrivi(frmVetture->findChild<QLineEdit *>(casella), testo);
    if (!casella2.isEmpty()) scrivi(frmVetture->findChild<QLineEdit *>(casella2), testo2);
    QCOMPARE(form_DB->TableVetture->recordCount(), righe);
    frmVetture->hide();
}

void TestVetture::obbligatoriEPagine()
{
    g_banco->esegui("update Vetture set Cilindrata = null, Targa = null where ID = 20");
    suVettura(20);
    conModali([] { frmVetture->spdAvanti->click(); },
              {Azione{"frmVettureDettaglio", [](QWidget *) {
                          TfrmVettureDettaglio *d = frmVettureDettaglio;
                          // Page "  Costi  " without a plate: the message, the page stays empty.
                          dialoghi().expectMessage("Attenzione manca la Targa");
                          d->PageControl1->setCurrentIndex(3);
                          QCOMPARE(d->PageControl1->currentIndex(), 3);
                          QVERIFY(!d->GroupBox4->isVisible());
                          d->PageControl1->setCurrentIndex(0);
                          scrivi(d->DBEdit1, "EF456GH");
                          dialoghi().expectMessage("Attenzione manca il consumo al litro");
                          d->PageControl1->setCurrentIndex(3);
                          QVERIFY(!d->GroupBox4->isVisible());
                          d->PageControl1->setCurrentIndex(0);
                          scrivi(d->DBEdit5, "1900");
                          d->PageControl1->setCurrentIndex(3);
                          QVERIFY(d->GroupBox4->isVisible());
                          QCOMPARE(valore("select Targa from Vetture where ID = 20").toString(), QString("EF456GH"));
                          d->spdIndietro->click();
                      }}});
    QCOMPARE(valore("select Cilindrata from Vetture where ID = 20").toDouble(), 1900.0);
}

void TestVetture::targaDuplicata()
{
    g_banco->esegui("insert into Vetture (ID, Targa) values (40, 'AB123CD')");
    suVettura(20);
    conModali([] { frmVetture->spdAvanti->click(); },
              {Azione{"frmVettureDettaglio", [](QWidget *) {
                          TfrmVettureDettaglio *d = frmVettureDettaglio;
                          // Leaving the field (a window that is not active gets no focus events
                          // of its own, so the departure is sent as the user's Tab would).
                          const auto esci = [d] {
                              QFocusEvent uscita(QEvent::FocusOut, Qt::TabFocusReason);
                              QApplication::sendEvent(d->DBEdit1, &uscita);
                          };
                          dialoghi().expectMessage("Attenzione la targa ab123cd è già presente in altri 2 Record.");
                          scrivi(d->DBEdit1, "ab123cd");
                          esci();
                          QCOMPARE(dialoghi().messages().size(), 1);
                          QCOMPARE(dialoghi().messages().last().caption,
                                   QString("Attenzione si è caricato una Targa già presente in archivio"));
                          // Its own plate alone draws nothing; nor does an empty one, nor another
                          // window coming up.
                          scrivi(d->DBEdit1, "AB777XY");
                          esci();
                          scrivi(d->DBEdit1, "");
                          esci();
                          scrivi(d->DBEdit1, "ab123cd");
                          QFocusEvent finestra(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
                          QApplication::sendEvent(d->DBEdit1, &finestra);
                          QCOMPARE(dialoghi().messages().size(), 1);
                          scrivi(d->DBEdit1, "AB777XY");
                          d->spdIndietro->click();
                      }}});
    QCOMPARE(valore("select Targa from Vetture where ID = 20").toString(), QString("AB777XY"));
}

void TestVetture::sottoListe()
{
    // A cost of 120.00 added and deleted again leaves the maintenance total as before; a
    // deadline whose notice date has passed is painted red until it is done.
    g_banco->esegui("insert into TipologiaCostiVetture (Id, Descrizione) values (1, 'Tagliando')");
    g_banco->esegui("insert into VettureScadenze (Id, Vettura_ID, Descrizione, DataScadenza, DataAvviso, Validato) values "
                    "(1, 10, 'Revisione', #3/20/2026#, #3/14/2026#, false), (2, 10, 'Bollo', #3/30/2026#, #3/15/2026#, false)");
    form_DB->TableTipologiaCostiVetture->requery();
    suVettura(10);
    TfrmVettureDettaglio *d = frmVettureDettaglio;
    conModali([] { frmVettureDettaglio->SpeedButton19->click(); },
              {Azione{"frmVettureCosti", [](QWidget *) {
                          scrivi(frmVettureCosti->DBEdit2, "120");
                          dialoghi().expectMessage("Attenzione manca la Tipologia");
                          frmVettureCosti->spdIndietro->click();
                          scegli(frmVettureCosti->DBLookupComboBox2, "Tagliando");
                          frmVettureCosti->spdIndietro->click();
                      }}});
    QCOMPARE(valore("select TipologiaCosto from VettureCosti where Vettura_ID = 10").toString(), QString("Tagliando"));
    QCOMPARE(form_DB->TableVetture->fieldByName("TotaleCostoManutenzione").asFloat(), 120.0);
    dialoghi().expectMessage("Sei sicuro di voler eliminare il Costo ?", QMessageBox::Yes);
    d->SpeedButton18->click();
    QVERIFY(form_DB->TableVetture->fieldByName("TotaleCostoManutenzione").isNull());
    // Deadlines: red only for a notice date before today and not done.
    db::Query *s = form_DB->TableVettureScadenze;
    const auto colore = [&](int id) {
        for (int r = 0; r < s->recordCount(); ++r)
            if (s->valueAt(r, s->fieldIndex("Id")).toInt() == id)
                return d->DBGrid2->model()->index(r, 0).data(Qt::BackgroundRole).value<QColor>();
        return QColor(Qt::blue);
    };
    QCOMPARE(colore(1), QColor(Qt::red));
    QVERIFY(!colore(2).isValid());
    QVERIFY(s->locate("Id", 1));
    conModali([] { frmVettureDettaglio->spdAvantiDett->click(); }, {Azione{"frmVettureScadenze", [](QWidget *) {
                                                                          QVERIFY(!ambiente::didascalie(frmVettureScadenze->ToolBar2, true)
                                                                                       .contains("Annulla"));
                                                                          frmVettureScadenze->DBCheckBox1->click();
                                                                          frmVettureScadenze->spdIndietro->click();
                                                                      }}});
    QVERIFY(!colore(1).isValid());
    // A new card without a name cannot be left; "Annulla" removes it.
    conModali([] { frmVettureDettaglio->SpeedButton4->click(); }, {Azione{"frmVettureSchede", [](QWidget *) {
                                                                        dialoghi().expectMessage("Attenzione manca la Scheda");
                                                                        frmVettureSchede->spdIndietro->click();
                                                                        QVERIFY(frmVettureSchede->isVisible());
                                                                        dialoghi().expectMessage("Sei sicuro di voler annullare",
                                                                                                 QMessageBox::Yes);
                                                                        frmVettureSchede->spdAnnulla->click();
                                                                    }}});
    QCOMPARE(valore("select count(*) from VettureSchede").toInt(), 0);
}

void TestVetture::cartellaDati()
{
    QTemporaryDir radice;
    const QString cartella = radice.path() + "/AB123CD";
    QVERIFY(QDir().mkpath(cartella));
    auto *lanciatore = dynamic_cast<testing_support::ScriptedLauncher *>(&ui::Launcher::instance());
    QVERIFY(lanciatore);
    suVettura(10);
    conModali([] { frmVetture->spdAvanti->click(); },
              {Azione{"frmVettureDettaglio", [&](QWidget *) {
                          TfrmVettureDettaglio *d = frmVettureDettaglio;
                          // Without a folder: the message; a chosen folder is stored with its separator.
                          dialoghi().expectMessage("Attenzione manca la Cartella di Lavoro");
                          d->SpeedButton26->click();
                          dialoghi().queueFolder(cartella);
                          d->SpeedButton25->click();
                          QCOMPARE(d->DBEdit7->text(), cartella + "/");
                          QVERIFY(d->DatiModificati);
                          d->SpeedButton26->click();
                          QCOMPARE(lanciatore->opened.value(0), cartella + "/");
                          // A folder removed since: said, and kept in the record.
                          QVERIFY(QDir(cartella).removeRecursively());
                          dialoghi().expectMessage("la Cartella: " + cartella + "/ non esiste più o non è raggiungibile!!!");
                          d->SpeedButton26->click();
                          QCOMPARE(lanciatore->opened.size(), 1);
                          d->spdIndietro->click();
                      }}});
    QCOMPARE(valore("select CartellaServer from Vetture where ID = 10").toString(), cartella + "/");
}
