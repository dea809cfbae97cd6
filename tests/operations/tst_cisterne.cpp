#include "tst_cisterne.h"

#include "Ambiente.h"
#include "Banco.h"
#include "Program.h"
#include "data/DB.h"
#include "db/Query.h"
#include "operations/Carburanti.h"
#include "operations/Cisterne.h"
#include "operations/ModificaCisterneRighe.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBText.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
double litri(qint64 cisterna) { return g_banco->valore(QString("select Litri from Cisterne where ID = %1").arg(cisterna)).toDouble(); }
int contaCarichi() { return g_banco->valore("select count(*) from CisterneCarico").toInt(); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

const QString kAnnullare = QStringLiteral("Sei sicuro di voler annullare l'inserimento ?");

// The program with its tanks' forms over a fuel type and the given rows.
void avvia(const QStringList &prima = {})
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmGrigliaCarburanti", "frmGrigliaCisterne", "frmModificaCisterneRighe"},
        QStringList{"insert into Carburanti (ID, Descrizione, Prezzo) values (1, 'Gasolio', 1.65)"} + prima);
}

// Types over what a field shows, as the clerk does.
void scrivi(ui::DBEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, testo);
}

double mostrato(ui::DBEdit *e) { return QLocale(QLocale::Italian).toDouble(e->text()); }

void scegliCarburante(const QString &descrizione)
{
    ui::DBLookupComboBox *l = frmCisterneDettaglio->DBLookupComboBox1;
    const int i = l->findText(descrizione);
    QVERIFY2(i >= 0, qPrintable(descrizione));
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

// The load editor opened by `pulsante` of the tank's loads page: `litri` typed, then left with
// "Indietro" or, for a new load, given up with "Annulla".
void carico(QToolButton *pulsante, const QString &litri, bool annulla = false)
{
    conModale([pulsante] { pulsante->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, frmModificaCisterneRighe);
                  scrivi(frmModificaCisterneRighe->DBEdit4, litri);
                  if (annulla) frmModificaCisterneRighe->spdAnnulla->click();
                  else frmModificaCisterneRighe->spdIndietro->click();
                  QVERIFY(!frmModificaCisterneRighe->isVisible());
              });
}

QString testoPdf(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

void TestCisterne::init() {}

void TestCisterne::cleanup()
{
    if (g_banco) QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
}

void TestCisterne::giacenza_data()
{
    QTest::addColumn<QString>("azione");
    QTest::addColumn<double>("giacenza");  // the tank's stock before
    QTest::addColumn<double>("esistente"); // the litres of a load it has (below 0: none)
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<bool>("opzione");     // LavoraCisterne
    QTest::addColumn<double>("attesa");
    QTest::addColumn<int>("carichi");
    QTest::newRow("1000 typed, then a load of 40") << "digita" << 0.0 << -1.0 << "40" << true << 1040.0 << 1;
    QTest::newRow("a new load of 40") << "nuovo" << 1000.0 << -1.0 << "40" << true << 1040.0 << 1;
    QTest::newRow("changed to 35") << "modifica" << 1040.0 << 40.0 << "35" << true << 1035.0 << 1;
    QTest::newRow("unchanged") << "modifica" << 1040.0 << 40.0 << "40" << true << 1040.0 << 1;
    QTest::newRow("deleted: off at once") << "elimina" << 1035.0 << 35.0 << "" << true << 1000.0 << 0;
    QTest::newRow("deleted, larger than the stock") << "elimina" << 20.0 << 50.5 << "" << true << -30.5 << 0;
    QTest::newRow("Annulla") << "annulla" << 1000.0 << -1.0 << "50" << true << 1000.0 << 0;
    QTest::newRow("option off: loads still count") << "nuovo" << 1000.0 << -1.0 << "40" << false << 1040.0 << 1;
}

void TestCisterne::giacenza()
{
    QFETCH(QString, azione);
    QFETCH(double, giacenza);
    QFETCH(double, esistente);
    QFETCH(QString, digitato);
    QFETCH(bool, opzione);
    QFETCH(double, attesa);
    QFETCH(int, carichi);
    QStringList prima = {QString("insert into Cisterne (ID, Descrizione, Litri, Carburante_ID) values (7, 'Officina', %1, 1)").arg(giacenza),
                         QString("update opzioni set LavoraCisterne = %1").arg(opzione ? "true" : "false")};
    if (esistente >= 0)
        prima << QString("insert into CisterneCarico (Cisterna_ID, Data, Importo, Litri) values (7, #3/1/2026#, 60, %1)").arg(esistente);
    avvia(prima);
    if (azione == "annulla") dialoghi().expectMessage(kAnnullare, QMessageBox::Yes);
    conModale([] { frmGrigliaCisterne->spdAvantiClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, frmCisterneDettaglio);
                  QVERIFY(!frmCisterneDettaglio->spdAnnulla->isVisible());
                  if (azione == "digita") scrivi(frmCisterneDettaglio->DBEdit1, "1000");
                  // The loads' page: a modified tank is stored first.
                  frmCisterneDettaglio->PageControl1->setCurrentIndex(1);
                  QCOMPARE(frmCisterneDettaglio->PageControl1->currentIndex(), 1);
                  if (azione == "digita") QCOMPARE(litri(7), 1000.0);
                  QCOMPARE(form_DB->TableCisterneCarico->recordCount(), esistente >= 0 ? 1 : 0);
                  if (azione == "nuovo" || azione == "digita" || azione == "annulla")
                      carico(frmCisterneDettaglio->spdInserisciDett, digitato, azione == "annulla");
                  else if (azione == "modifica")
                      carico(frmCisterneDettaglio->spdAvantiDett, digitato);
                  else
                      frmCisterneDettaglio->spdEliminaDett->click();
                  // Stored at once, and shown.
                  QCOMPARE(litri(7), attesa);
                  QCOMPARE(mostrato(frmCisterneDettaglio->DBEdit1), attesa);
                  QCOMPARE(form_DB->TableCisterneCarico->recordCount(), carichi);
                  frmCisterneDettaglio->spdIndietro->click();
                  QVERIFY(!frmCisterneDettaglio->isVisible());
              });
    QCOMPARE(litri(7), attesa);
    QCOMPARE(contaCarichi(), carichi);
    // The list shows the stock too.
    QCOMPARE(form_DB->TableCisterne->fieldByName("Litri").asFloat(), attesa);
}

void TestCisterne::nuovaCisternaENuovoCarico()
{
    avvia();
    conModale([] { frmGrigliaCisterne->spdInserisciClick(); },
              [](QWidget *w) {
                  QCOMPARE(w, frmCisterneDettaglio);
                  QVERIFY(frmCisterneDettaglio->spdAnnulla->isVisible());
                  QCOMPARE(g_banco->valore("select count(*) from Cisterne").toInt(), 1); // stored at once
                  QCOMPARE(frmCisterneDettaglio->DBEdit1->text(), QString("0"));
                  scrivi(frmCisterneDettaglio->DBEdit2, "Piazzale");
                  scegliCarburante("Gasolio");
                  frmCisterneDettaglio->PageControl1->setCurrentIndex(1);
                  const qint64 id = g_banco->valore("select ID from Cisterne").toLongLong();
                  carico(frmCisterneDettaglio->spdInserisciDett, "500");
                  QCOMPARE(litri(id), 500.0);
                  QCOMPARE(g_banco->valore("select Data from CisterneCarico").toString().left(10), QString("2026-03-15"));
                  carico(frmCisterneDettaglio->spdAvantiDett, "450");
                  QCOMPARE(litri(id), 450.0);
                  carico(frmCisterneDettaglio->spdAvantiDett, "450");
                  QCOMPARE(litri(id), 450.0);
                  frmCisterneDettaglio->spdEliminaDett->click();
                  frmCisterneDettaglio->spdIndietro->click();
              });
    QVERIFY(!frmCisterneDettaglio->isVisible());
    QVERIFY(!frmCisterneDettaglio->spdAnnulla->isVisible());
    QCOMPARE(g_banco->valore("select Descrizione from Cisterne").toString(), QString("Piazzale"));
    QCOMPARE(g_banco->valore("select Carburante_ID from Cisterne").toInt(), 1);
    QCOMPARE(g_banco->valore("select Litri from Cisterne").toDouble(), 0.0);
    QCOMPARE(contaCarichi(), 0);
}

void TestCisterne::caricoCambiatoAltrove()
{
    avvia({"insert into Cisterne (ID, Descrizione, Litri, Carburante_ID) values (7, 'Officina', 1040, 1)",
           "insert into CisterneCarico (Cisterna_ID, Data, Importo, Litri) values (7, #3/1/2026#, 60, 40)"});
    dialoghi().expectMessage("un'altra postazione");
    conModale([] { frmGrigliaCisterne->spdAvantiClick(); },
              [](QWidget *) {
                  frmCisterneDettaglio->PageControl1->setCurrentIndex(1);
                  conModale([] { frmCisterneDettaglio->spdAvantiDett->click(); },
                            [](QWidget *) {
                                // Another workstation changes the load (and the stock with it) first.
                                g_banco->esegui("update CisterneCarico set Litri = 45");
                                g_banco->esegui("update Cisterne set Litri = 1045");
                                scrivi(frmModificaCisterneRighe->DBEdit4, "35");
                                frmModificaCisterneRighe->spdIndietro->click();
                                // Refused and said: still open with what was typed, nothing moved.
                                QVERIFY(frmModificaCisterneRighe->isVisible());
                                QCOMPARE(frmModificaCisterneRighe->DBEdit4->text(), QString("35"));
                                QCOMPARE(litri(7), 1045.0);
                                QCOMPARE(g_banco->valore("select Litri from CisterneCarico").toDouble(), 45.0);
                                frmModificaCisterneRighe->dataset()->cancel();
                                frmModificaCisterneRighe->DatiModificati = false;
                                frmModificaCisterneRighe->spdIndietro->click();
                            });
                  frmCisterneDettaglio->spdIndietro->click();
              });
    QCOMPARE(litri(7), 1045.0);
}

void TestCisterne::annullaNuovaCisterna()
{
    avvia({"insert into Cisterne (ID, Descrizione, Litri, Carburante_ID) values (7, 'Officina', 100, 1)"});
    dialoghi().expectMessage(kAnnullare, QMessageBox::Yes);
    conModale([] { frmGrigliaCisterne->spdInserisciClick(); },
              [](QWidget *) {
                  scrivi(frmCisterneDettaglio->DBEdit2, "Prova");
                  scegliCarburante("Gasolio");
                  frmCisterneDettaglio->PageControl1->setCurrentIndex(1);
                  carico(frmCisterneDettaglio->spdInserisciDett, "30");
                  QCOMPARE(contaCarichi(), 1);
                  frmCisterneDettaglio->spdAnnulla->click();
              });
    QVERIFY(!frmCisterneDettaglio->isVisible());
    // The new tank goes with the load given to it; the other tank is untouched.
    QCOMPARE(g_banco->valore("select count(*) from Cisterne").toInt(), 1);
    QCOMPARE(litri(7), 100.0);
    QCOMPARE(contaCarichi(), 0);
}

void TestCisterne::descrizioneVuota()
{
    avvia();
    dialoghi().expectMessage("Attenzione manca la Descrizione");
    dialoghi().expectMessage("Attenzione manca la Descrizione");
    dialoghi().expectMessage(kAnnullare, QMessageBox::Yes);
    conModale([] { frmGrigliaCisterne->spdInserisciClick(); },
              [](QWidget *) {
                  frmCisterneDettaglio->spdIndietro->click();
                  QVERIFY(frmCisterneDettaglio->isVisible());
                  QVERIFY(frmCisterneDettaglio->SalvataggioFallito);
                  frmCisterneDettaglio->PageControl1->setCurrentIndex(1);
                  QCOMPARE(frmCisterneDettaglio->PageControl1->currentIndex(), 0);
                  frmCisterneDettaglio->spdAnnulla->click();
              });
    QVERIFY(!frmCisterneDettaglio->isVisible());
    QCOMPARE(g_banco->valore("select count(*) from Cisterne").toInt(), 0);
    const QList<testing_support::AskedMessage> &m = dialoghi().messages();
    QCOMPARE(m.first().caption, QString("Messaggio di errore"));
}

void TestCisterne::eliminaCisterna()
{
    avvia({"insert into Cisterne (ID, Descrizione, Litri, Carburante_ID) values (7, 'A Officina', 100, 1), (8, 'B Piazzale', 50, 1)",
           "insert into CisterneCarico (Cisterna_ID, Data, Litri) values (7, #3/1/2026#, 60), (7, #3/2/2026#, 40), (8, #3/2/2026#, 50)",
           "insert into VettureCarburante (Vettura_ID, Cisterna_ID, Cisterna, Litri) values (1, 7, 'A Officina', 30)"});
    QCOMPARE(form_DB->TableCisterne->fieldByName("ID").asInteger(), 7);
    dialoghi().expectMessage("Sei sicuro di voler eliminare la cisterna?", QMessageBox::No);
    frmGrigliaCisterne->spdElimina->click();
    QCOMPARE(g_banco->valore("select count(*) from Cisterne").toInt(), 2);
    QCOMPARE(contaCarichi(), 3);
    dialoghi().expectMessage("Sei sicuro di voler eliminare la cisterna?", QMessageBox::Yes);
    frmGrigliaCisterne->spdElimina->click();
    QCOMPARE(g_banco->valore("select count(*) from Cisterne").toInt(), 1);
    QCOMPARE(g_banco->valore("select count(*) from CisterneCarico where Cisterna_ID = 8").toInt(), 1);
    QCOMPARE(contaCarichi(), 1);
    QCOMPARE(g_banco->valore("select Cisterna_ID from VettureCarburante").toInt(), 7);
    // The list is on the tank left, with its loads.
    QCOMPARE(form_DB->TableCisterne->fieldByName("ID").asInteger(), 8);
    QCOMPARE(form_DB->TableCisterneCarico->recordCount(), 1);
    // An empty list asks nothing.
    dialoghi().expectMessage("Sei sicuro di voler eliminare la cisterna?", QMessageBox::Yes);
    frmGrigliaCisterne->spdElimina->click();
    frmGrigliaCisterne->spdElimina->click();
    QCOMPARE(g_banco->valore("select count(*) from Cisterne").toInt(), 0);
}

void TestCisterne::fatturaNonVisualizzabile()
{
    avvia({"insert into Cisterne (ID, Descrizione, Litri, Carburante_ID) values (7, 'Officina', 100, 1)",
           "insert into CisterneCarico (Cisterna_ID, Data, Litri, Fattura_ID, FatturaDescrizione) values "
           "(7, #3/1/2026#, 60, 99, 'Petroli Srl    n° reg.:4    data reg:01/03/2026')"});
    dialoghi().expectMessage("La fattura non è visualizzabile, probabilmente è stata cancellata oppure si trova nello Storico!");
    conModale([] { frmGrigliaCisterne->spdAvantiClick(); },
              [](QWidget *) {
                  frmCisterneDettaglio->PageControl1->setCurrentIndex(1);
                  conModale([] { frmCisterneDettaglio->spdAvantiDett->click(); },
                            [](QWidget *) {
                                QVERIFY(!frmModificaCisterneRighe->spdAnnulla->isVisible());
                                // No purchase-invoice finder in the program yet: nothing to link.
                                QVERIFY(!frmModificaCisterneRighe->SpeedButton1->isEnabled());
                                frmModificaCisterneRighe->SpeedButton2->click();
                                QCOMPARE(frmModificaCisterneRighe->DBText1->text(),
                                         QString("Petroli Srl    n° reg.:4    data reg:01/03/2026"));
                                frmModificaCisterneRighe->spdIndietro->click();
                            });
                  frmCisterneDettaglio->spdIndietro->click();
              });
    QCOMPARE(dialoghi().messages().first().caption, QString("Messaggio di avviso"));
    QCOMPARE(g_banco->valore("select FatturaDescrizione from CisterneCarico").toString(),
             QString("Petroli Srl    n° reg.:4    data reg:01/03/2026"));
}

void TestCisterne::stampaCisterne()
{
    avvia({"insert into Cisterne (ID, Descrizione, Litri, Carburante_ID) values (7, 'Serbatoio officina', 940.5, 1)",
           "insert into fattura (ID, Num, Data, DataRegistrazione, Fornitore, Carico) values (40, 12, #3/2/2026#, #3/3/2026#, "
           "'Petroli Rossi Srl', true)",
           "insert into CisterneCarico (Cisterna_ID, Data, Importo, Litri, Fattura_ID) values (7, #3/2/2026#, 1650, 1000, 40)",
           "insert into Personale (Id, Personale) values (50, 'Verdi Mario')",
           "insert into Vetture (ID, Targa, NumTelaio) values (3, 'AB123CD', 'ZFA000111')",
           "insert into VettureCarburante (Vettura_ID, Cisterna_ID, Data, Litri, Personale_ID) values (3, 7, #3/5/2026#, 59.5, 50)"});
    QTemporaryDir cartella;
    dynamic_cast<testing_support::FakeWorkstation &>(core::Workstation::instance()).folder = cartella.path();
    QDir().mkpath(cartella.path() + "/reports");
    for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"Cisterne*.rpt"}))
        QVERIFY(QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, cartella.path() + "/reports/" + nome));
    dynamic_cast<testing_support::ScriptedLauncher &>(ui::Launcher::instance()).behaviour =
        [](const QString &, const QStringList &args) { return stampa::run(QStringList{QStringLiteral("stampa")} + args, false); };
    EsportaStampa = true;
    FileEsportazioneStampa = cartella.path() + "/cisterne.pdf";
    // What the Stampe tab's "Cisterne" does.
    CodiceStampa = 22;
    const bool stampata = form_DB->Button2Click();
    EsportaStampa = false;
    QVERIFY(stampata);
    const QString testo = testoPdf(FileEsportazioneStampa);
    for (const QString &atteso : {"Serbatoio officina", "Gasolio", "940,5", "1.000", "Petroli Rossi Srl", "ZFA000111", "AB123CD", "59,5", "Verdi Mario"})
        QVERIFY2(testo.contains(atteso), qPrintable(QString(atteso) + "\n" + testo));
}
