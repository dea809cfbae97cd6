#include "tst_chiusuraiva.h"

#include "Ambiente.h"
#include "Banco.h"
#include "Program.h"
#include "accounting/ContabilitaChiusuraIva.h"
#include "accounting/GrigliaContabilitaChiusuraIva.h"
#include "accounting/StampaContabilita.h"
#include "data/DB.h"
#include "db/Query.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/MaskedDateEdit.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
int anno() { return form_DB->Connessione.now().date().year(); }

void scrivi(ui::DBEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, testo);
}

// This year: a sales invoice of 10 February (100.00 at 22%, on account 9001) and a purchase
// invoice registered on 1 March (40.00 at 22%, on account 9002).
QStringList fixture()
{
    const QString y = QString::number(QDate::currentDate().year());
    return {QStringLiteral("INSERT INTO Iva (ID, Descrizione, Iva) VALUES (901, 'Ordinaria prova', 22)"),
            QStringLiteral("INSERT INTO ContabilitaConti (ID, Descrizione) VALUES (9001, 'Soccorsi prova'), (9002, 'Ricambi prova')"),
            QStringLiteral("INSERT INTO fattura (ID, Num, Data, Carico, FattNota) VALUES (9101, 5, '%1-02-10 00:00:00', 0, 0)").arg(y),
            QStringLiteral("INSERT INTO fattura (ID, Data, DataRegistrazione, Carico, FattNota, NumeroCarico) VALUES (9102, '%1-02-27 "
                           "00:00:00', '%1-03-01 00:00:00', 1, 0, 'R-1')")
                .arg(y),
            QStringLiteral("INSERT INTO fattdett (NumFatt, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID, ContabilitaConti_ID) "
                           "VALUES (9101, 'Soccorso', 1, 100, 0, 22, 901, 9001)"),
            QStringLiteral("INSERT INTO Movimenti (Fattura_ID, Descrizione, TotaleImponibile, AliquotaIva, Iva_ID, Scarico, ContabilitaConti_ID) "
                           "VALUES (9102, 'Filtri', 40, 22, 901, 0, 9002)")};
}

} // namespace

void TestChiusuraIva::init()
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmGrigliaContabilitaChiusuraIva", "frmGrigliaContabilitaChiusuraIvaMensile", "frmGrigliaContabilitaConti",
                    "frmStampaContabilita", "frmStampaSituazioneConto"},
        fixture());
    QCOMPARE(anno(), QDate::currentDate().year());
}

void TestChiusuraIva::cleanup()
{
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().unexpected().join('\n')));
    g_banco.reset();
}

// "Aggiungi" stores quarter 1 of this year and opens it; "Calcola" asks first and, answered
// No, changes nothing; answered Yes, fills the rows and totals, which the pages show.
void TestChiusuraIva::aggiungiCalcolaEIndietro()
{
    frmGrigliaContabilitaChiusuraIva->apri();
    conModale([] { frmGrigliaContabilitaChiusuraIva->spdInserisciClick(); },
              [](QWidget *w) {
                  QCOMPARE(w, frmContabilitaChiusuraIva);
                  QVERIFY(frmContabilitaChiusuraIva->spdAnnulla->isVisible());
                  QCOMPARE(frmContabilitaChiusuraIva->DBEdit2->text(), QString::number(anno()));
                  QVERIFY(!frmContabilitaChiusuraIva->DBLookupComboBox10->currentText().isEmpty());
                  dialoghi().expectMessage("Sei sicuro di voler ricalcolare questo Trimestre ?", QMessageBox::No);
                  frmContabilitaChiusuraIva->SpeedButton3->click();
                  QCOMPARE(scalar("select count(*) from ContabilitaChiusuraIvaTrimestreRighe").toInt(), 0);
                  dialoghi().expectMessage("Sei sicuro di voler ricalcolare questo Trimestre ?", QMessageBox::Yes);
                  frmContabilitaChiusuraIva->SpeedButton3->click();
                  QCOMPARE(scalar("select count(*) from ContabilitaChiusuraIvaTrimestreRighe").toInt(), 2);
                  QCOMPARE(frmContabilitaChiusuraIva->DBEdit8->text(), QLocale().toString(22.0));
                  frmContabilitaChiusuraIva->PageControl1->setCurrentIndex(2); // "  Vendite  "
                  QCOMPARE(frmContabilitaChiusuraIva->PageControl1->tabText(2), QStringLiteral("  Vendite  "));
                  QCOMPARE(form_DB->TableContabilitaChiusuraIvaTrimestreRighe->recordCount(), 1);
                  QCOMPARE(form_DB->TableContabilitaChiusuraIvaTrimestreRighe->fieldByName("TotaleImponibile").asFloat(), 100.0);
                  frmContabilitaChiusuraIva->PageControl1->setCurrentIndex(1); // "  Acquisti  "
                  QCOMPARE(form_DB->TableContabilitaChiusuraIvaTrimestreRighe->fieldByName("TotaleIva").asFloat(), 8.8);
                  frmContabilitaChiusuraIva->spdIndietro->click();
              });
    QVERIFY(!frmContabilitaChiusuraIva->isVisible());
    QCOMPARE(scalar("select count(*) from ContabilitaChiusuraIvaTrimestre").toInt(), 1);
    QCOMPARE(scalar("select Trimestre from ContabilitaChiusuraIvaTrimestre").toInt(), 1);
    QCOMPARE(scalar("select TotaleIvaDebito from ContabilitaChiusuraIvaTrimestre").toDouble(), 22.0);
    QCOMPARE(scalar("select TotaleIvaCredito from ContabilitaChiusuraIvaTrimestre").toDouble(), 8.8);
}

void TestChiusuraIva::annullaEliminaIlNuovo()
{
    frmGrigliaContabilitaChiusuraIva->apri();
    dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
    conModale([] { frmGrigliaContabilitaChiusuraIva->spdInserisciClick(); },
              [](QWidget *) {
                  QCOMPARE(scalar("select count(*) from ContabilitaChiusuraIvaTrimestre").toInt(), 1);
                  frmContabilitaChiusuraIva->spdAnnulla->click();
              });
    QCOMPARE(scalar("select count(*) from ContabilitaChiusuraIvaTrimestre").toInt(), 0);
}

// In the monthly editor a typed year marks the settlement modified and is saved; a year of
// three digits is refused on save, one of five by "Calcola".
void TestChiusuraIva::mensileAnnoDigitatoESalvato()
{
    g_banco->esegui("INSERT INTO ContabilitaChiusuraIvaMensile (Anno, Mese) VALUES (2031, 5)");
    frmGrigliaContabilitaChiusuraIvaMensile->apri();
    frmGrigliaContabilitaChiusuraIvaMensile->spdAggiorna->click();
    conModale([] { frmGrigliaContabilitaChiusuraIvaMensile->spdAvantiClick(); },
              [](QWidget *w) {
                  QCOMPARE(w, frmContabilitaChiusuraIvaMensile);
                  QVERIFY(!frmContabilitaChiusuraIvaMensile->spdAnnulla->isVisible());
                  scrivi(frmContabilitaChiusuraIvaMensile->DBEdit2, "20311");
                  dialoghi().expectMessage("Sei sicuro di voler ricalcolare questo mese ?", QMessageBox::Yes);
                  dialoghi().expectMessage("Attenzione E' necessario definire correttamente l'anno di calcolo...");
                  frmContabilitaChiusuraIvaMensile->SpeedButton3->click();
                  scrivi(frmContabilitaChiusuraIvaMensile->DBEdit2, "203");
                  dialoghi().expectMessage("Attenzione manca l' Anno");
                  frmContabilitaChiusuraIvaMensile->spdIndietro->click();
                  QVERIFY(frmContabilitaChiusuraIvaMensile->isVisible());
                  scrivi(frmContabilitaChiusuraIvaMensile->DBEdit2, "2032");
                  frmContabilitaChiusuraIvaMensile->spdIndietro->click();
              });
    QVERIFY(!frmContabilitaChiusuraIvaMensile->isVisible());
    QCOMPARE(scalar("select Anno from ContabilitaChiusuraIvaMensile").toInt(), 2032);
    QCOMPARE(scalar("select DescrizioneMese from ContabilitaChiusuraIvaMensile").toString(),
             scalar("select Mese from Mesi where numero = 5").toString());
}

void TestChiusuraIva::eliminaChiedeEToglieLeRighe()
{
    g_banco->esegui("INSERT INTO ContabilitaChiusuraIvaTrimestre (Id, Anno, Trimestre) VALUES (71, 2030, 1), (72, 2030, 2)");
    g_banco->esegui("INSERT INTO ContabilitaChiusuraIvaTrimestreRighe (ContabilitaChiusuraIvaTrimestre_ID, Iva_ID) VALUES (71, 901), (72, 901)");
    g_banco->esegui("INSERT INTO ContabilitaChiusuraIvaTrimestreRigheNonSoggetta (ContabilitaChiusuraIvaTrimestre_ID, Iva_ID) VALUES (71, 901)");
    frmGrigliaContabilitaChiusuraIva->apri();
    frmGrigliaContabilitaChiusuraIva->spdAggiorna->click();
    QVERIFY(form_DB->TableContabilitaChiusuraIvaTrimestre->locate("Id", 71));
    dialoghi().expectMessage("Sei sicuro di voler eliminare questo Trimestre ?", QMessageBox::No);
    frmGrigliaContabilitaChiusuraIva->spdElimina->click();
    QCOMPARE(scalar("select count(*) from ContabilitaChiusuraIvaTrimestre").toInt(), 2);
    dialoghi().expectMessage("Sei sicuro di voler eliminare questo Trimestre ?", QMessageBox::Yes);
    frmGrigliaContabilitaChiusuraIva->spdElimina->click();
    QCOMPARE(scalar("select count(*) from ContabilitaChiusuraIvaTrimestre where Id = 71").toInt(), 0);
    QCOMPARE(scalar("select count(*) from ContabilitaChiusuraIvaTrimestreRighe").toInt(), 1);
    QCOMPARE(scalar("select count(*) from ContabilitaChiusuraIvaTrimestreRigheNonSoggetta").toInt(), 0);
    QCOMPARE(form_DB->TableContabilitaChiusuraIvaTrimestre->fieldByName("Id").asInteger(), 72);
}

void TestChiusuraIva::filtroPerAnno()
{
    g_banco->esegui("INSERT INTO ContabilitaChiusuraIvaTrimestre (Anno, Trimestre) VALUES (2029, 1), (2030, 1), (2030, 2)");
    frmGrigliaContabilitaChiusuraIva->apri();
    frmGrigliaContabilitaChiusuraIva->spdAggiorna->click();
    QLineEdit *anno = frmGrigliaContabilitaChiusuraIva->casella("Edit1");
    QVERIFY(anno);
    const QList<std::pair<QString, int>> casi = {{"2030", 2}, {"2029", 1}, {"*", 3}, {"", 3}, {"20a'", 0}};
    for (const auto &[testo, righe] : casi) {
        anno->setText(testo);
        QCOMPARE(form_DB->TableContabilitaChiusuraIvaTrimestre->recordCount(), righe);
    }
}

// The balance and the statement of the year, printed by the report program as the clerk asks.
void TestChiusuraIva::stampaBilancioESituazioneConto()
{
    QTemporaryDir cartella;
    QDir().mkpath(cartella.filePath("reports"));
    for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"Bilancio*.rpt", "ContabilitaSituazioneConto*.rpt"}))
        QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, cartella.filePath("reports/" + nome));
    testing_support::FakeWorkstation postazione;
    postazione.folder = cartella.path();
    core::Workstation *postazionePrima = &core::Workstation::instance();
    core::Workstation::setInstance(&postazione);
    testing_support::ScriptedLauncher avvio;
    avvio.behaviour = [](const QString &, const QStringList &args) {
        return stampa::run(QStringList{QStringLiteral("stampa")} + args, false);
    };
    ui::Launcher *avvioPrima = &ui::Launcher::instance();
    ui::Launcher::setInstance(&avvio);
    const auto testo = [](const QString &pdf) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        return p.waitForFinished(60000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
    };

    frmStampaContabilita->apri(anno());
    frmStampaContabilita->maskDa->setDate(QDate());
    dialoghi().expectMessage("Attenzione E' necessario definire la data di inizio...");
    frmStampaContabilita->btnContabilita->click();
    QCOMPARE(scalar("select count(*) from TempBilancio").toInt(), 0);
    frmStampaContabilita->apri(anno());
    EsportaStampa = true;
    FileEsportazioneStampa = cartella.filePath("bilancio.pdf");
    frmStampaContabilita->btnContabilita->click();
    QCOMPARE(CodiceStampa, 15);
    QString t = testo(cartella.filePath("bilancio.pdf"));
    const QString periodo = QStringLiteral("Dal 01/01/%1 al 31/12/%1").arg(anno());
    for (const QString &atteso : {periodo, QStringLiteral("Soccorsi prova"), QStringLiteral("100,00"), QStringLiteral("Ricambi prova"),
                                  QStringLiteral("-40,00")})
        QVERIFY2(t.contains(atteso), qPrintable(atteso + "\n" + t));

    FileEsportazioneStampa = cartella.filePath("conto.pdf");
    conModale([] { frmStampaContabilita->btnStampaSituazioneConto->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, frmStampaSituazioneConto);
                  frmStampaSituazioneConto->DBLookupComboBox2->setCurrentIndex(-1);
                  dialoghi().expectMessage("Attenzione manca il conto da esaminare");
                  frmStampaSituazioneConto->btnStampaSituazioneConto->click();
                  const int i = frmStampaSituazioneConto->DBLookupComboBox2->findData(9002);
                  QVERIFY(i >= 0);
                  frmStampaSituazioneConto->DBLookupComboBox2->setCurrentIndex(i);
                  frmStampaSituazioneConto->btnStampaSituazioneConto->click();
                  frmStampaSituazioneConto->spdIndietro->click();
              });
    EsportaStampa = false;
    ui::Launcher::setInstance(avvioPrima);
    core::Workstation::setInstance(postazionePrima);
    QCOMPARE(CodiceStampa, 28);
    t = testo(cartella.filePath("conto.pdf"));
    for (const QString &atteso : {QStringLiteral("Ricambi prova"), QStringLiteral("Fatture di Acquisto"), QStringLiteral("R-1"),
                                  QStringLiteral("Filtri"), QStringLiteral("40,00")})
        QVERIFY2(t.contains(atteso), qPrintable(atteso + "\n" + t));
    QVERIFY(!t.contains(QStringLiteral("Soccorso ")));
}
