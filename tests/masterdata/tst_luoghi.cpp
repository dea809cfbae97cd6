#include "tst_luoghi.h"

#include "Ambiente.h"
#include "data/DB.h"
#include "db/Query.h"
#include "masterdata/Comuni.h"
#include "masterdata/Province.h"
#include "masterdata/TrovaCap.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace ambiente;

namespace {

void scegli(QComboBox *lookup, const QString &testo)
{
    const int i = lookup->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    lookup->setCurrentIndex(i);
    Q_EMIT lookup->activated(i);
}

} // namespace

void TestLuoghi::init() { avvia(); }
void TestLuoghi::cleanup() { chiudi(); }

void TestLuoghi::comuniSeiCaselle()
{
    esegui("insert into Comuni (Comune, Provincia, COD_ISTAT, CODICE_F, PrefNaz, Cap) values "
           "('Rocca Prova', 'RM', '058999', 'Z999', '06', '00100')");
    db::Query *q = form_DB->Table8;
    q->requery();
    conModale([] { frmGrigliaComuni->exec(); },
              [q](QWidget *w) {
                  QCOMPARE(w, frmGrigliaComuni);
                  QVERIFY(frmGrigliaComuni->isMaximized());
                  // Enter goes through the boxes in their order on screen.
                  const QStringList ordine = {"Edit2", "Edit4", "Edit3", "Edit1", "Edit5", "txtCap"};
                  const QStringList testi = {"Rocca P", "rm", "058", "Z9", "06", "001"};
                  frmGrigliaComuni->casella("Edit2")->setFocus();
                  for (int i = 0; i < ordine.size(); ++i) {
                      QLineEdit *casella = frmGrigliaComuni->casella(ordine[i]);
                      QCOMPARE(frmGrigliaComuni->focusWidget(), casella);
                      QTest::keyClicks(casella, testi[i]);
                      if (i + 1 < ordine.size()) QTest::keyClick(casella, Qt::Key_Return);
                  }
                  // The conditions follow their own order, not the screen's.
                  QCOMPARE(q->filter(), QString("Comune like 'Rocca P*' and COD_ISTAT like '058*' and CODICE_F like 'Z9*' and "
                                                "Provincia like 'rm*' and PrefNaz like '06*' and Cap like '001*'"));
                  QCOMPARE(q->recordCount(), 1);
                  frmGrigliaComuni->BitBtn3Click();
                  QTest::keyClicks(frmGrigliaComuni->casella("Edit2"), "Rom");
                  QTest::keyClicks(frmGrigliaComuni->casella("Edit4"), "RM");
                  QCOMPARE(q->recordCount(), 1);
                  QCOMPARE(q->fieldByName("Comune").asString(), QString("Roma"));
                  frmGrigliaComuni->spdIndietro->click();
              });
}

void TestLuoghi::comuneProvinciaDaLaRegione()
{
    esegui("insert into Comuni (Comune, Provincia, Regione_ID) values ('Borgo Prova', 'TO', 1)");
    esegui("insert into Province (PROVINCIA, CAPOLUOGO, Regione_ID) values ('QZ', 'Senza Regione', null)");
    form_DB->Table8->requery();
    form_DB->TableProvince->requery();
    QVERIFY(form_DB->Table8->locate("Comune", "Borgo Prova"));
    conModale([] { frmGrigliaComuni->spdAvantiClick(); },
              [](QWidget *w) {
                  QCOMPARE(w, frmComuniDett);
                  ui::DBLookupComboBox *provincia = frmComuniDett->DBLookupComboBox1;
                  QCOMPARE(provincia->currentText(), QString("Torino"));
                  QCOMPARE(frmComuniDett->DBLookupComboBox2->currentText(), QString("Piemonte"));
                  scegli(provincia, "Roma");
                  QVERIFY(frmComuniDett->DatiModificati);
                  QCOMPARE(form_DB->Table8->fieldByName("Provincia").asString(), QString("RM"));
                  QCOMPARE(frmComuniDett->DBLookupComboBox2->currentText(), QString("Lazio"));
                  // A province without a region leaves the town's region as it is.
                  scegli(provincia, "Senza Regione");
                  QCOMPARE(frmComuniDett->DBLookupComboBox2->currentText(), QString("Lazio"));
                  scegli(provincia, "Roma");
                  // Backspace and Delete do not empty the town's lookups.
                  for (QComboBox *l : {static_cast<QComboBox *>(provincia), static_cast<QComboBox *>(frmComuniDett->DBLookupComboBox3)}) {
                      l->setFocus();
                      QTest::keyClick(l, Qt::Key_Backspace);
                      QTest::keyClick(l, Qt::Key_Delete);
                  }
                  QCOMPARE(provincia->currentText(), QString("Roma"));
                  frmComuniDett->spdIndietro->click();
                  QVERIFY(!frmComuniDett->isVisible());
              });
    QCOMPARE(valore("select Provincia from Comuni where Comune = 'Borgo Prova'").toString(), QString("RM"));
    QCOMPARE(valore("select Regione_ID from Comuni where Comune = 'Borgo Prova'").toInt(), 12);
}

void TestLuoghi::provinceRicercaPerRegione()
{
    db::Query *q = form_DB->TableProvince;
    const int lazio = valore("select count(*) from Province where Regione_ID = 12").toInt();
    QVERIFY(lazio > 2);
    conModale([] { frmGrigliaProvince->exec(); },
              [q, lazio](QWidget *w) {
                  QCOMPARE(w, frmGrigliaProvince);
                  QVERIFY(frmGrigliaProvince->isMaximized());
                  QComboBox *regione = frmGrigliaProvince->DBLookupComboBox2;
                  QCOMPARE(regione->currentIndex(), -1);
                  scegli(regione, "Lazio");
                  QCOMPARE(q->filter(), QString("Regione_ID = 12"));
                  QCOMPARE(q->recordCount(), lazio);
                  QTest::keyClicks(frmGrigliaProvince->casella("Edit1"), "R");
                  QCOMPARE(q->filter(), QString("PROVINCIA like 'R*' and Regione_ID = 12"));
                  QCOMPARE(q->recordCount(), 2); // Rieti and Roma
                  regione->setFocus();
                  QTest::keyClick(regione, Qt::Key_Delete);
                  QCOMPARE(regione->currentIndex(), -1);
                  QCOMPARE(q->filter(), QString("PROVINCIA like 'R*'"));
                  frmGrigliaProvince->casella("Edit1")->setText("*");
                  QTest::keyClicks(frmGrigliaProvince->casella("Edit2"), "L'Aq");
                  QCOMPARE(q->filter(), QString("CAPOLUOGO like 'L''Aq*'"));
                  QCOMPARE(q->recordCount(), 1);
                  QCOMPARE(q->fieldByName("PROVINCIA").asString(), QString("AQ"));
                  frmGrigliaProvince->spdIndietro->click();
              });
}

void TestLuoghi::trovaCap()
{
    esegui("insert into Comuni (Comune, Provincia) values ('Borgo Cap', 'RM')");
    const qint64 comune = valore("select ID from Comuni where Comune = 'Borgo Cap'").toLongLong();
    esegui(QString("insert into Indirizzi (Frazione, Indirizzo, NumeroCivico, Cap, Comune_ID) values "
                   "('Ostia', 'Via del Mare', '1-99', '00121', %1), ('Ostia', 'Viale Roma', '', '00122', %1), "
                   "('Acilia', 'Via Centrale', '', '00125', %1)")
               .arg(comune));
    // Loaded as the customer and supplier details load it.
    db::Query *q = form_DB->TableIndirizzi;
    q->close();
    q->setFilter(QString());
    q->setSql("SELECT id_cap, Frazione, NumeroCivico, Indirizzi.Cap, Comune_ID, Indirizzo, Comuni.Comune FROM Indirizzi "
              "INNER JOIN Comuni ON Indirizzi.Comune_ID = Comuni.ID where Comune = 'Borgo Cap' order by Frazione, Indirizzo");
    q->open();
    QCOMPARE(frmTrovaCap->windowTitle(), QString("Trova Cap"));
    conModale([] { frmTrovaCap->exec(); },
              [q](QWidget *w) {
                  QCOMPARE(w, frmTrovaCap);
                  QVERIFY(frmTrovaCap->isMaximized());
                  QCOMPARE(didascalie(frmTrovaCap->ToolBar2, true), QStringList({"Indietro"}));
                  QTest::keyClicks(frmTrovaCap->casella("Edit1"), "Os");
                  QTest::keyClicks(frmTrovaCap->casella("Edit2"), "Viale");
                  QCOMPARE(q->filter(), QString("Frazione like 'Os*' and Indirizzo like 'Viale*'"));
                  QCOMPARE(q->recordCount(), 1);
                  Q_EMIT frmTrovaCap->DBGrid1->doubleClicked();
              });
    QVERIFY(!frmTrovaCap->RicercaAnnullata);
    QCOMPARE(q->fieldByName("Cap").asString(), QString("00122"));
    // Left with "Indietro": the caller keeps its postcode.
    conModale([] { frmTrovaCap->exec(); }, [](QWidget *) { frmTrovaCap->spdIndietro->click(); });
    QVERIFY(frmTrovaCap->RicercaAnnullata);
    // On an empty list a double click chooses nothing and the finder stays open.
    conModale([] { frmTrovaCap->exec(); },
              [q](QWidget *) {
                  frmTrovaCap->casella("Edit2")->setText("Nessuna");
                  QCOMPARE(q->recordCount(), 0);
                  Q_EMIT frmTrovaCap->DBGrid1->doubleClicked();
                  QVERIFY(frmTrovaCap->isVisible());
                  frmTrovaCap->DBGrid1TitleClick("Cap");
                  QCOMPARE(q->sort(), QString("Cap ASC"));
                  frmTrovaCap->spdIndietro->click();
              });
    QVERIFY(frmTrovaCap->RicercaAnnullata);
}
