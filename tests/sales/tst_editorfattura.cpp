#include "tst_editorfattura.h"

#include "Ambiente.h"
#include "Banco.h"
#include "FixtureFatture.h"
#include "data/DB.h"
#include "db/Query.h"
#include "app/Frm1.h"
#include "sales/EditorFattura.h"
#include "sales/GrigliaFatture.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
QVariant valore(const QString &sql) { return g_banco->valore(sql); }
db::Field campo(const char *nome) { return form_DB->Table3->fieldByName(QLatin1String(nome)); }

// The editor shown on invoice `id` as the list shows it; `azione` runs while it is open, and
// the editor is closed afterwards if it is still open.
void suFattura(qint64 id, const std::function<void()> &azione)
{
    fixture_fatture::punta(id);
    conModale([] { Form7->mostra(false); }, [&](QWidget *) {
        // Focus and leaving a field need the editor to be the active window.
        Form7->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form7));
        azione();
        if (Form7->isVisible()) {
            Form7->DatiModificati = false;
            Form7->SalvataggioFallito = false;
            Form7->spdIndietroClick();
        }
    });
}

void scegli(ui::DBLookupComboBox *l, const QString &testo)
{
    const int i = l->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, testo);
}

} // namespace

void TestEditorFattura::init()
{
    g_banco = std::make_unique<banco::Banco>(QStringList{"Form7"}, fixture_fatture::righe());
}

void TestEditorFattura::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestEditorFattura::controlliInOrdine_data()
{
    QTest::addColumn<QStringList>("vuoti"); // what the invoice lacks
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QString>("fuoco"); // empty: the focus stays where it was
    QTest::newRow("no date") << QStringList{"Data", "Num", "Cliente_ID", "ModPagamento_Id"} << "Attenzione manca la data"
                             << "DBEdit1";
    QTest::newRow("no number") << QStringList{"Num", "Cliente_ID"} << "Attenzione manca il numero di fattura" << "DBEdit2";
    QTest::newRow("no customer") << QStringList{"Cliente_ID", "ModPagamento_Id"} << "Attenzione manca il cliente della fattura"
                                 << "";
    QTest::newRow("no payment method") << QStringList{"ModPagamento_Id"} << "Attenzione manca la Modalità di pagamento"
                                       << "DBLookupComboBox6";
}

void TestEditorFattura::controlliInOrdine()
{
    QFETCH(QStringList, vuoti);
    QFETCH(QString, messaggio);
    QFETCH(QString, fuoco);
    suFattura(10, [&] {
        form_DB->Table3->edit();
        for (const QString &c : vuoti) form_DB->Table3->fieldByName(c).clear();
        Form7->DBEdit4->setFocus();
        QWidget *prima = QApplication::focusWidget();
        Form7->DatiModificati = true;
        dialoghi().expectMessage(messaggio);
        Form7->spdIndietroClick();
        QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Messaggio di errore"));
        QVERIFY(Form7->isVisible());
        QVERIFY(Form7->SalvataggioFallito);
        QVERIFY(Form7->DatiModificati);
        QCOMPARE(Form7->PageControl1->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), fuoco.isEmpty() ? prima : Form7->findChild<QWidget *>(fuoco));
    });
    // Nothing was stored.
    QCOMPARE(valore("select Cliente_ID from fattura where ID = 10").toInt(), 1);
    QCOMPARE(valore("select ModPagamento_Id from fattura where ID = 10").toInt(), 3);
}

void TestEditorFattura::indietroSenzaModificheNonControlla()
{
    g_banco->esegui("update fattura set Cliente_ID = 0 where ID = 11");
    form_DB->Table3->requery();
    bool chiuso = false;
    suFattura(11, [&] {
        Form7->spdIndietroClick();
        chiuso = !Form7->isVisible();
    });
    QVERIFY(chiuso);
}

void TestEditorFattura::sceltaCliente_data()
{
    QTest::addColumn<qint64>("fattura");
    QTest::addColumn<QString>("cliente");
    QTest::addColumn<QString>("formato");
    QTest::addColumn<int>("pagamento");  // in the invoice's row
    QTest::addColumn<int>("scadenze");   // stored instalments after the choice
    QTest::addColumn<int>("clienteSalvato");
    // Rossi has payment method 3: its two instalments are built and the invoice stored.
    QTest::newRow("with payment method") << 11ll << "Rossi Srl" << "FPR12" << 3 << 2 << 1;
    // The public administration has none: nothing stored yet, the instalments as they were.
    QTest::newRow("without payment method") << 10ll << "Comune di Prova" << "FPA12" << 3 << 2 << 1;
}

void TestEditorFattura::sceltaCliente()
{
    QFETCH(qint64, fattura);
    QFETCH(QString, cliente);
    QFETCH(QString, formato);
    QFETCH(int, pagamento);
    QFETCH(int, scadenze);
    QFETCH(int, clienteSalvato);
    suFattura(fattura, [&] {
        QVERIFY(!Form7->DatiModificati);
        scegli(Form7->DBLookupComboBox2, cliente);
        QVERIFY(Form7->DatiModificati);
        QCOMPARE(campo("Cliente").asString(), cliente);
        QCOMPARE(campo("DatiTrasmissione_FormatoTrasmissione").asString(), formato);
        QCOMPARE(campo("ScissionePagamenti").asBoolean(), cliente == QLatin1String("Rossi Srl"));
        QCOMPARE(campo("ModPagamento_Id").asInteger(), pagamento);
        QCOMPARE(form_DB->TableFatturaScadenze->recordCount(), scadenze);
        QCOMPARE(valore(QStringLiteral("select count(*) from FatturaScadenze where Fattura_ID = %1").arg(fattura)).toInt(), scadenze);
        QCOMPARE(valore(QStringLiteral("select Cliente_ID from fattura where ID = %1").arg(fattura)).toInt(), clienteSalvato);
    });
}

void TestEditorFattura::pagamentoConScadenzePagate_data()
{
    QTest::addColumn<bool>("scarta"); // the answer to the question
    QTest::newRow("keep the payments") << false;
    QTest::newRow("discard them") << true;
}

void TestEditorFattura::pagamentoConScadenzePagate()
{
    QFETCH(bool, scarta);
    // Invoice 10's first instalment has been paid.
    g_banco->esegui("update FatturaScadenze set DataPagamento = #3/20/2026#, Pagato = true where Fattura_ID = 10 and Numero = 1");
    suFattura(10, [&] {
        dialoghi().expectMessage("scadenze già pagate", scarta ? QMessageBox::Yes : QMessageBox::No);
        scegli(Form7->DBLookupComboBox6, "Rimessa diretta");
        // The method is stored either way; the schedule only with the user's word.
        QCOMPARE(valore("select ModPagamento_Id from fattura where ID = 10").toInt(), 2);
        QCOMPARE(valore("select count(*) from FatturaScadenze where Fattura_ID = 10").toInt(), scarta ? 1 : 2);
        QCOMPARE(valore("select count(*) from FatturaScadenze where Fattura_ID = 10 and Pagato = true").toInt(), scarta ? 0 : 1);
        QCOMPARE(form_DB->TableFatturaScadenze->recordCount(), scarta ? 1 : 2);
    });
}

void TestEditorFattura::svuotaLookup()
{
    suFattura(10, [&] {
        // The customer takes its name, split payment and format with it.
        QTest::keyClick(Form7->DBLookupComboBox2, Qt::Key_Backspace);
        QVERIFY(Form7->DatiModificati);
        for (const char *c : {"Cliente", "Cliente_ID", "DatiTrasmissione_FormatoTrasmissione"}) QVERIFY2(campo(c).isNull(), c);
        QVERIFY(!campo("ScissionePagamenti").asBoolean());
        // The payment method takes the instalments with it.
        QCOMPARE(valore("select count(*) from FatturaScadenze where Fattura_ID = 10").toInt(), 2);
        QTest::keyClick(Form7->DBLookupComboBox6, Qt::Key_Delete);
        QVERIFY(campo("ModPagamento_Id").isNull() || campo("ModPagamento_Id").asInteger() == 0);
        QCOMPARE(valore("select count(*) from FatturaScadenze where Fattura_ID = 10").toInt(), 0);
        QCOMPARE(form_DB->TableFatturaScadenze->recordCount(), 0);
    });
    suFattura(12, [&] {
        QCOMPARE(Form7->DBSerie->currentText(), QStringLiteral("B"));
        QVERIFY(!Form7->DatiModificati);
        QTest::keyClick(Form7->DBSerie, Qt::Key_Backspace);
        QVERIFY(campo("SerieFatturazione").isNull() || campo("SerieFatturazione").asString().isEmpty());
        // Emptying the series is no change of the invoice.
        QVERIFY(!Form7->DatiModificati);
    });
}

void TestEditorFattura::calcolaGiorni_data()
{
    QTest::addColumn<QDate>("ingresso");
    QTest::addColumn<QDate>("uscita");
    QTest::addColumn<int>("giorni"); // -1: unchanged
    QTest::newRow("3 to 5 March") << QDate(2026, 3, 3) << QDate(2026, 3, 5) << 3;
    QTest::newRow("the same day") << QDate(2026, 3, 3) << QDate(2026, 3, 3) << 1;
    QTest::newRow("exit two days before entry") << QDate(2026, 3, 5) << QDate(2026, 3, 3) << 3;
    QTest::newRow("across the year") << QDate(2025, 12, 30) << QDate(2026, 1, 2) << 4;
    QTest::newRow("no exit date") << QDate(2026, 3, 3) << QDate() << -1;
}

void TestEditorFattura::calcolaGiorni()
{
    QFETCH(QDate, ingresso);
    QFETCH(QDate, uscita);
    QFETCH(int, giorni);
    suFattura(10, [&] {
        form_DB->Table3->edit();
        campo("Giorni").setAsInteger(99);
        campo("DataIngressoVeicolo").setValue(ingresso);
        campo("DataUscitaVeicolo").setValue(uscita.isValid() ? QVariant(uscita) : QVariant());
        Form7->DatiModificati = false;
        Form7->Button1->click();
        QCOMPARE(campo("Giorni").asInteger(), giorni < 0 ? 99 : giorni);
        QCOMPARE(Form7->DatiModificati, giorni >= 0);
        QCOMPARE(Form7->DBEdit9->text(), QString::number(giorni < 0 ? 99 : giorni));
    });
}

void TestEditorFattura::dataPrecedente()
{
    suFattura(12, [&] {
        // Invoice 3 dated 2 March while invoice 2 is of 5 March: a warning on leaving the date.
        scrivi(Form7->DBEdit1, "02/03/2026");
        QVERIFY(Form7->DatiModificati);
        dialoghi().expectMessage("Attenzione la fattura precedente: la numero 2 presenta una data maggiore di quella che si sta "
                                 "registrando ");
        Form7->DBEdit4->setFocus();
        QCOMPARE(dialoghi().messages().size(), 1);
        QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Attenzione si sta registrando un documento in modo errato"));
        // A later date: no warning, also on leaving the number.
        scrivi(Form7->DBEdit1, "06/03/2026");
        Form7->DBEdit2->setFocus();
        Form7->DBEdit4->setFocus();
        QCOMPARE(dialoghi().messages().size(), 1);
        // The number box takes digits only.
        scrivi(Form7->DBEdit2, "3x");
        QCOMPARE(Form7->DBEdit2->text(), QStringLiteral("3"));
        Form7->DatiModificati = false;
        form_DB->Table3->cancel();
    });
}

void TestEditorFattura::cambioPaginaDopoSalvataggioFallito()
{
    suFattura(10, [&] {
        scrivi(Form7->DBEdit2, QString());
        QVERIFY(Form7->DatiModificati);
        dialoghi().expectMessage("Attenzione manca il numero di fattura");
        Form7->PageControl1->setCurrentIndex(1);
        QCOMPARE(Form7->PageControl1->currentIndex(), 0);
        QVERIFY(Form7->SalvataggioFallito);
        scrivi(Form7->DBEdit2, "1");
        Form7->PageControl1->setCurrentIndex(1);
        QCOMPARE(Form7->PageControl1->currentIndex(), 1);
        QVERIFY(!Form7->SalvataggioFallito);
        QVERIFY(!Form7->DatiModificati);
    });
    QCOMPARE(valore("select Num from fattura where ID = 10").toInt(), 1);
    // Carico is written false, ConaiAssolto an explicit false.
    QCOMPARE(valore("select count(*) from fattura where ID = 10 and Carico = false and ConaiAssolto = false").toInt(), 1);
}

void TestEditorFattura::stampaDiFatturaModificata()
{
    suFattura(10, [&] {
        QTest::keyClick(Form7->DBLookupComboBox2, Qt::Key_Backspace);
        QVERIFY(Form7->DatiModificati);
        Form7->spdStampa->click();
        // Posted without the checks, and still marked modified for Indietro.
        QCOMPARE(valore("select count(*) from fattura where ID = 10 and (Cliente_ID is null or Cliente_ID = 0)").toInt(), 1);
        QVERIFY(Form7->DatiModificati);
        QCOMPARE(CodiceStampa, 8);
        QCOMPARE(valore("select count(*) from TempStampa where NomeReport like '%Fatture%'").toInt(), 1);
        dialoghi().expectMessage("Attenzione manca il cliente della fattura");
        Form7->spdIndietroClick();
        QVERIFY(Form7->isVisible());
    });
}

void TestMenuFatture::init() { ambiente::avvia(); }
void TestMenuFatture::cleanup() { ambiente::chiudi(); }

void TestMenuFatture::apreLElencoAzzerato()
{
    ambiente::esegui("insert into fattura (Num, Data) values (1, #3/1/2026#), (2, #3/2/2026#)");
    form_DB->Table3->requery();
    // What a previous search left is gone before and after.
    frmGrigliaFatture->txtDaNumero->setText("2");
    frmGrigliaFatture->FiltraClick();
    QCOMPARE(form_DB->Table3->recordCount(), 1);
    QToolButton *pulsante = Form1->menuButton(TForm1::tabDocClienti, QStringLiteral("Fatture"));
    QVERIFY(pulsante);
    QVERIFY(pulsante->isEnabled());
    bool aperto = false;
    conModale([pulsante] { pulsante->click(); }, [&](QWidget *w) {
        aperto = true;
        QCOMPARE(w, static_cast<QWidget *>(frmGrigliaFatture));
        QCOMPARE(frmGrigliaFatture->txtDaNumero->text(), QString());
        QCOMPARE(form_DB->Table3->recordCount(), 2);
        frmGrigliaFatture->txtANumero->setText("1");
        frmGrigliaFatture->FiltraClick();
        frmGrigliaFatture->spdIndietro->click();
    });
    QVERIFY(aperto);
    QCOMPARE(frmGrigliaFatture->txtANumero->text(), QString());
    QCOMPARE(form_DB->Table3->filter(), QString());
}
