#include "tst_carburanti.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Query.h"
#include "operations/Carburanti.h"
#include "operations/Cisterne.h"
#include "operations/Rifornimenti.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant valore(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

const QString kAnnullare = QStringLiteral("Sei sicuro di voler annullare l'inserimento ?");

void avvia(const QStringList &prima = {})
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmGrigliaCarburanti", "frmGrigliaCisterne", "frmGrigliaRifornimenti", "frmGrigliaComuni"},
        QStringList{"insert into Carburanti (ID, Descrizione, Prezzo) values (1, 'Gasolio', 1.65)",
                    "insert into Cisterne (ID, Descrizione, Litri, Carburante_ID) values (7, 'Officina', 100, 1)"}
            + prima);
}

void scrivi(QWidget *e, const QString &testo)
{
    e->setFocus();
    if (auto *l = qobject_cast<QLineEdit *>(e)) l->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, testo);
}

} // namespace

void TestCarburanti::init() {}

void TestCarburanti::cleanup()
{
    if (g_banco) QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
}

void TestCarburanti::nuovoDallaCisterna()
{
    avvia();
    dialoghi().expectMessage(kAnnullare, QMessageBox::Yes);
    conModale([] { frmGrigliaCisterne->spdAvantiClick(); },
              [](QWidget *) {
                  // "+" beside the fuel: stored at once with price 0, then named.
                  conModale([] { frmCisterneDettaglio->SpeedButton2->click(); },
                            [](QWidget *w) {
                                QCOMPARE(w, frmCarburantiDettaglio);
                                QVERIFY(frmCarburantiDettaglio->spdAnnulla->isVisible());
                                QCOMPARE(valore("select count(*) from Carburanti").toInt(), 2);
                                QCOMPARE(valore("select Prezzo from Carburanti where ID <> 1").toDouble(), 0.0);
                                scrivi(frmCarburantiDettaglio->DBEdit2, "Metano");
                                frmCarburantiDettaglio->spdIndietro->click();
                            });
                  QVERIFY(frmCisterneDettaglio->DBLookupComboBox1->findText("Metano") >= 0);
                  // "Annulla" of another takes it away again.
                  conModale([] { frmCisterneDettaglio->SpeedButton2->click(); },
                            [](QWidget *) { frmCarburantiDettaglio->spdAnnulla->click(); });
                  QCOMPARE(valore("select count(*) from Carburanti").toInt(), 2);
                  QVERIFY(!frmCarburantiDettaglio->spdAnnulla->isVisible());
                  // The open button shows the tank's fuel.
                  conModale([] { frmCisterneDettaglio->SpeedButton1->click(); },
                            [](QWidget *w) {
                                QCOMPARE(w, frmCarburantiDettaglio);
                                QCOMPARE(frmCarburantiDettaglio->DBEdit2->text(), QString("Gasolio"));
                                frmCarburantiDettaglio->spdIndietro->click();
                            });
                  frmCisterneDettaglio->spdIndietro->click();
              });
    QCOMPARE(valore("select Descrizione from Carburanti where ID <> 1").toString(), QString("Metano"));
}

void TestCarburanti::prezzoConLaVirgola()
{
    avvia();
    conModale([] { frmGrigliaCarburanti->spdAvantiClick(); },
              [](QWidget *) {
                  scrivi(frmCarburantiDettaglio->DBEdit1, "1.45");
                  QCOMPARE(frmCarburantiDettaglio->DBEdit1->text(), QString("1,45"));
                  frmCarburantiDettaglio->spdIndietro->click();
              });
    QCOMPARE(valore("select Prezzo from Carburanti where ID = 1").toDouble(), 1.45);
}

void TestCarburanti::eliminaCarburante_data()
{
    QTest::addColumn<QString>("usatoDa");  // extra rows naming fuel 2
    QTest::addColumn<QString>("messaggio"); // the refusal, empty when the question is asked
    QTest::addColumn<int>("risposta");
    QTest::addColumn<bool>("eliminato");
    QTest::newRow("unused, Yes") << "" << "" << int(QMessageBox::Yes) << true;
    QTest::newRow("unused, No") << "" << "" << int(QMessageBox::No) << false;
    QTest::newRow("a tank") << "insert into Cisterne (Descrizione, Carburante_ID) values ('Piazzale', 2)"
                            << "Attenzione il tipo di Carburante non può essere eliminato: è usato da 1 cisterna." << 0 << false;
    QTest::newRow("a vehicle") << "insert into Vetture (Targa, Carburante_id) values ('AB123CD', 2)"
                               << "Attenzione il tipo di Carburante non può essere eliminato: è usato da 1 vettura." << 0 << false;
}

void TestCarburanti::eliminaCarburante()
{
    QFETCH(QString, usatoDa);
    QFETCH(QString, messaggio);
    QFETCH(int, risposta);
    QFETCH(bool, eliminato);
    QStringList prima = {"insert into Carburanti (ID, Descrizione, Prezzo) values (2, 'Benzina', 1.8)"};
    if (!usatoDa.isEmpty()) prima << usatoDa;
    avvia(prima);
    QVERIFY(form_DB->TableCarburanti->locate("ID", 2));
    if (messaggio.isEmpty())
        dialoghi().expectMessage("Sei sicuro di voler eliminare il tipo di Carburante?", QMessageBox::StandardButton(risposta));
    else
        dialoghi().expectMessage(messaggio);
    frmGrigliaCarburanti->spdElimina->click();
    QCOMPARE(valore("select count(*) from Carburanti where ID = 2").toInt(), eliminato ? 0 : 1);
    QCOMPARE(valore("select count(*) from Carburanti").toInt(), eliminato ? 1 : 2);
    QCOMPARE(form_DB->TableCarburanti->recordCount(), eliminato ? 1 : 2);
    if (!messaggio.isEmpty()) QCOMPARE(dialoghi().messages().first().text, messaggio);
}

void TestCarburanti::rifornimentiPerComune()
{
    avvia({"insert into Rifornimenti (Descrizione, Comune) values ('Officina Nord', 'Sant''Angelo Lodigiano'), "
           "('Distributore Sud', 'Sant''Angelo Lodigiano'), ('Officina Centro', 'Milano'), ('Deposito', 'Santa Cristina')"});
    db::Query *q = form_DB->TableRifornimenti;
    QLineEdit *rifornimento = frmGrigliaRifornimenti->casella("Edit1");
    QLineEdit *comune = frmGrigliaRifornimenti->casella("Edit2");
    QTest::keyClicks(comune, "Sant'Angelo");
    QCOMPARE(q->recordCount(), 2);
    QCOMPARE(q->filter(), QString("Comune like 'Sant''Angelo*'"));
    QTest::keyClicks(rifornimento, "Off");
    QCOMPARE(q->filter(), QString("Descrizione like 'Off*' and Comune like 'Sant''Angelo*'"));
    QCOMPARE(q->recordCount(), 1);
    QCOMPARE(q->fieldByName("Descrizione").asString(), QString("Officina Nord"));
    comune->setText("*");
    QCOMPARE(q->recordCount(), 2);
}

void TestCarburanti::nuovoRifornimentoSenzaNome()
{
    avvia();
    dialoghi().expectMessage("Attenzione la denominazione del rifornimento");
    dialoghi().expectMessage(kAnnullare, QMessageBox::Yes);
    conModale([] { frmGrigliaRifornimenti->spdInserisciClick(); },
              [](QWidget *w) {
                  QCOMPARE(w, frmRifornimentiDettaglio);
                  QCOMPARE(valore("select count(*) from Rifornimenti").toInt(), 1);
                  QCOMPARE(valore("select Comune_ID from Rifornimenti").toInt(), 0);
                  frmRifornimentiDettaglio->spdIndietro->click();
                  QVERIFY(frmRifornimentiDettaglio->isVisible());
                  frmRifornimentiDettaglio->spdAnnulla->click();
              });
    QCOMPARE(valore("select count(*) from Rifornimenti").toInt(), 0);
}

void TestCarburanti::comuneDelRifornimento()
{
    avvia({"insert into Comuni (ID, Comune, Provincia) values (90001, 'Borgo Di Prova', 'LO')",
           "insert into Rifornimenti (ID, Descrizione, Comune_ID) values (5, 'Deposito', 0)"});
    form_DB->Table8->requery();
    conModale([] { frmGrigliaRifornimenti->spdAvantiClick(); },
              [](QWidget *) {
                  ui::DBLookupComboBox *l = frmRifornimentiDettaglio->DBLookupComboBox1;
                  const int i = l->findText("Borgo Di Prova");
                  QVERIFY(i >= 0);
                  l->setCurrentIndex(i);
                  Q_EMIT l->activated(i);
                  QVERIFY(frmRifornimentiDettaglio->DatiModificati);
                  frmRifornimentiDettaglio->spdIndietro->click();
              });
    QCOMPARE(valore("select Comune from Rifornimenti").toString(), QString("Borgo Di Prova"));
    QCOMPARE(valore("select Comune_ID from Rifornimenti").toInt(), 90001);
    // The open button shows that town's editor.
    conModale([] { frmGrigliaRifornimenti->spdAvantiClick(); },
              [](QWidget *) {
                  conModale([] { frmRifornimentiDettaglio->SpeedButton1->click(); },
                            [](QWidget *w) {
                                QCOMPARE(w->objectName(), QString("frmComuniDett"));
                                QCOMPARE(form_DB->Table8->fieldByName("ID").asInteger(), 90001);
                                QMetaObject::invokeMethod(w, "spdIndietroClick");
                            });
                  // Delete in the lookup empties the town and its id.
                  ui::DBLookupComboBox *l = frmRifornimentiDettaglio->DBLookupComboBox1;
                  l->setFocus();
                  QTest::keyClick(l, Qt::Key_Delete);
                  frmRifornimentiDettaglio->spdIndietro->click();
              });
    QVERIFY(valore("select Comune from Rifornimenti").isNull());
    QVERIFY(valore("select Comune_ID from Rifornimenti").isNull());
}
