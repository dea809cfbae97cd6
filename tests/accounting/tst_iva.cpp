#include "tst_iva.h"

#include "Ambiente.h"
#include "Banco.h"
#include "accounting/GrigliaIva.h"
#include "data/DB.h"
#include "db/Query.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QMessageBox>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

const QString kMancaNatura = QStringLiteral("Attenzione si deve specificare la natura di esenzione dell' Aliquota Iva");

// Types over what a field shows, as the clerk does.
void scrivi(ui::DBEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, testo);
}

// Picks a nature by its description in the detail's lookup.
void scegliNatura(const QString &descrizione)
{
    ui::DBLookupComboBox *l = frmModificaIva->DBLookupComboBox10;
    const int i = l->findText(descrizione);
    QVERIFY2(i >= 0, qPrintable(descrizione));
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

} // namespace

void TestIva::init() { g_banco = std::make_unique<banco::Banco>(QStringList{"frmGrigliaIva"}); }

void TestIva::cleanup()
{
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().unexpected().join('\n')));
    g_banco.reset();
}

void TestIva::nuovaAliquota_data()
{
    QTest::addColumn<QString>("descrizione");
    QTest::addColumn<QString>("aliquota"); // as typed
    QTest::addColumn<QString>("natura");   // the nature picked, by description
    QTest::addColumn<QString>("messaggio"); // empty: stored
    QTest::addColumn<QString>("naturaSalvata");
    QTest::newRow("22 without nature") << "Ordinaria" << "22" << "" << "" << "";
    QTest::newRow("22 loses the nature picked") << "Ordinaria" << "22" << "Esenti" << "" << "";
    QTest::newRow("0 with a nature") << "Esente" << "0" << "Esenti" << "" << "N4";
    QTest::newRow("0 without nature") << "Esente" << "0" << "" << kMancaNatura << "";
    QTest::newRow("decimal rate") << "Agricola" << "6,4" << "" << "" << "";
    QTest::newRow("no description") << "" << "0" << "" << "Attenzione manca la Descrizione" << "";
    QTest::newRow("no rate") << "Senza" << "" << "Esenti" << "Attenzione manca l' Aliquota Iva" << "";
}

void TestIva::nuovaAliquota()
{
    QFETCH(QString, descrizione);
    QFETCH(QString, aliquota);
    QFETCH(QString, natura);
    QFETCH(QString, messaggio);
    QFETCH(QString, naturaSalvata);
    const int prima = scalar("select count(*) from Iva").toInt();
    if (!messaggio.isEmpty()) {
        dialoghi().expectMessage(messaggio);
        dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
    }
    conModale([] { frmGrigliaIva->spdInserisciClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, frmModificaIva);
                  QVERIFY(frmModificaIva->spdAnnulla->isVisible());
                  QCOMPARE(frmModificaIva->DBEdit1->text(), QString("0")); // a new rate starts at 0
                  scrivi(frmModificaIva->DBEdit2, descrizione);
                  if (!natura.isEmpty()) scegliNatura(natura);
                  scrivi(frmModificaIva->DBEdit1, aliquota);
                  frmModificaIva->spdIndietro->click();
                  if (messaggio.isEmpty()) return;
                  // Refused: still open with what was typed, then given up.
                  QVERIFY(frmModificaIva->isVisible());
                  QCOMPARE(frmModificaIva->DBEdit2->text(), descrizione);
                  QCOMPARE(frmModificaIva->DBEdit1->text(), aliquota);
                  frmModificaIva->spdAnnulla->click();
              });
    QVERIFY(!frmModificaIva->isVisible());
    if (!messaggio.isEmpty()) {
        QCOMPARE(scalar("select count(*) from Iva").toInt(), prima);
        return;
    }
    QCOMPARE(scalar("select count(*) from Iva").toInt(), prima + 1);
    QCOMPARE(scalar("select Descrizione from Iva order by ID desc limit 1").toString(), descrizione);
    QCOMPARE(scalar("select Iva from Iva order by ID desc limit 1").toDouble(), QLocale(QLocale::Italian).toDouble(aliquota));
    QCOMPARE(scalar("select Nz(Pa_Natura_Codice, '') from Iva order by ID desc limit 1").toString(), naturaSalvata);
}

void TestIva::da0a22PerdeLaNatura()
{
    QVERIFY(form_DB->TableIva->locate("Descrizione", "Esente art. 10 DPR 633/72"));
    conModale([] { frmGrigliaIva->spdAvantiClick(); },
              [](QWidget *) {
                  QVERIFY(!frmModificaIva->spdAnnulla->isVisible());
                  scrivi(frmModificaIva->DBEdit1, "22");
                  frmModificaIva->spdIndietro->click();
              });
    QVERIFY(!frmModificaIva->isVisible());
    QCOMPARE(scalar("select Iva from Iva where Descrizione = 'Esente art. 10 DPR 633/72'").toDouble(), 22.0);
    QVERIFY(scalar("select Pa_Natura_Codice from Iva where Descrizione = 'Esente art. 10 DPR 633/72'").isNull());
}

void TestIva::eliminazione_data()
{
    QTest::addColumn<QString>("descrizione");
    QTest::addColumn<bool>("eliminabile");
    QTest::addColumn<bool>("risposta"); // Yes to the question
    QTest::newRow("ordinary rate stays") << "Iva 22%" << false << false;
    QTest::newRow("excluded disbursements stay") << "Escluso art. 15 DPR 633/72" << false << false;
    QTest::newRow("10 deleted on Yes") << "Iva 10%" << true << true;
    QTest::newRow("10 kept on No") << "Iva 10%" << true << false;
    QTest::newRow("exports deleted on Yes") << "Non imponibile - esportazioni" << true << true;
}

void TestIva::eliminazione()
{
    QFETCH(QString, descrizione);
    QFETCH(bool, eliminabile);
    QFETCH(bool, risposta);
    const int prima = scalar("select count(*) from Iva").toInt();
    QVERIFY(form_DB->TableIva->locate("Descrizione", descrizione));
    if (eliminabile)
        dialoghi().expectMessage("Sei sicuro di voler eliminare questa aliquota Iva ?", risposta ? QMessageBox::Yes : QMessageBox::No);
    else
        dialoghi().expectMessage("Aliquota Iva non Eliminabile");
    frmGrigliaIva->spdElimina->click();
    QCOMPARE(scalar("select count(*) from Iva").toInt(), eliminabile && risposta ? prima - 1 : prima);
}
