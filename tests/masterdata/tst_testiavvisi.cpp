#include "tst_testiavvisi.h"

#include "Ambiente.h"
#include "data/DB.h"
#include "app/Frm1.h"
#include "db/Query.h"
#include "masterdata/TestiAvvisi.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBMemo.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QToolButton>

using namespace ambiente;

void TestTestiAvvisi::init() { avvia(); }
void TestTestiAvvisi::cleanup() { chiudi(); }

void TestTestiAvvisi::aggiungiChiedeDescrizioneETesto()
{
    TfrmAvvisi *d = frmAvvisi;
    dialoghi().expectMessage(QStringLiteral("Attenzione manca la Descrizione"));
    dialoghi().expectMessage(QStringLiteral("Attenzione manca il testo"));
    conModale([] { frmGrigliaAvvisi->spdInserisciClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(d));
                  QCOMPARE(d->DBEdit2->text(), QString());
                  d->spdIndietro->click();
                  QVERIFY(d->isVisible());
                  QTest::keyClicks(d->DBEdit2, "Chiusura estiva");
                  d->spdIndietro->click();
                  QVERIFY(d->isVisible());
                  QCOMPARE(d->focusWidget(), static_cast<QWidget *>(d->DBMemo1));
                  QTest::keyClicks(d->DBMemo1, "Il deposito resta chiuso");
                  QTest::keyClick(d->DBMemo1, Qt::Key_Return);
                  QTest::keyClicks(d->DBMemo1, "dal 10 al 20 agosto.");
                  d->spdIndietro->click();
                  QVERIFY(!d->isVisible());
              });
    QCOMPARE(dialoghi().messages().first().caption, QStringLiteral("Messaggio di Errore"));
    QCOMPARE(valore("select count(*) from Avvisi").toInt(), 1);
    QCOMPARE(valore("select Descrizione from Avvisi").toString(), QStringLiteral("Chiusura estiva"));
    QCOMPARE(valore("select Testo from Avvisi").toString(), QStringLiteral("Il deposito resta chiuso\ndal 10 al 20 agosto."));
}

void TestTestiAvvisi::testoLungoInGriglia()
{
    const QString lungo = QString(60, QLatin1Char('a')) + QString(60, QLatin1Char('b'));
    esegui("insert into Avvisi (Descrizione, Testo) values ('Lungo', '" + lungo + "')");
    QToolButton *pulsante = Form1->menuButton(TForm1::tabArchivio, QStringLiteral("Avvisi"));
    QVERIFY(pulsante);
    conModale([pulsante] { pulsante->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmGrigliaAvvisi));
                  db::Query *q = frmGrigliaAvvisi->dataset();
                  QVERIFY(q->locate("Descrizione", "Lungo"));
                  QCOMPARE(q->fieldByName("Testo").displayText(), lungo.left(100));
                  QCOMPARE(q->fieldByName("Testo").asString(), lungo);
                  frmGrigliaAvvisi->spdIndietro->click();
              });
}

void TestTestiAvvisi::annullaChiedePrima()
{
    const QString domanda = QStringLiteral("Sei sicuro di voler annullare l'inserimento ?");
    dialoghi().expectMessage(domanda, QMessageBox::No);
    dialoghi().expectMessage(domanda, QMessageBox::Yes);
    conModale([] { frmGrigliaAvvisi->spdInserisciClick(); },
              [&](QWidget *) {
                  QTest::keyClicks(frmAvvisi->DBEdit2, "Per sbaglio");
                  frmAvvisi->spdAnnulla->click();
                  QVERIFY(frmAvvisi->isVisible());
                  QCOMPARE(valore("select count(*) from Avvisi").toInt(), 1);
                  frmAvvisi->spdAnnulla->click();
                  QVERIFY(!frmAvvisi->isVisible());
              });
    QCOMPARE(dialoghi().messages().first().caption, QStringLiteral("Messaggio di avviso"));
    QCOMPARE(valore("select count(*) from Avvisi").toInt(), 0);
}

void TestTestiAvvisi::aiutoEInvio()
{
    esegui("insert into Avvisi (Descrizione, Testo) values ('Ferie', 'Chiuso')");
    frmGrigliaAvvisi->dataset()->requery();
    QVERIFY(frmGrigliaAvvisi->dataset()->locate("Descrizione", "Ferie"));
    conModale([] { frmGrigliaAvvisi->spdAvantiClick(); },
              [&](QWidget *) {
                  TfrmAvvisi *d = frmAvvisi;
                  QVERIFY(d->spdHelp && d->spdHelp->isVisible());
                  d->spdHelp->click();
                  QCOMPARE(launcher().opened.last(), guida(10100));
                  d->activateWindow();
                  QVERIFY(QTest::qWaitForWindowActive(d));
                  d->DBEdit2->setFocus();
                  QTest::keyClick(d->DBEdit2, Qt::Key_Return);
                  QCOMPARE(d->focusWidget(), static_cast<QWidget *>(d->DBMemo1));
                  // In the memo Enter is a new line.
                  QTest::keyClick(d->DBMemo1, Qt::Key_End);
                  QTest::keyClick(d->DBMemo1, Qt::Key_Return);
                  QTest::keyClicks(d->DBMemo1, "per ferie");
                  QCOMPARE(d->focusWidget(), static_cast<QWidget *>(d->DBMemo1));
                  d->spdIndietro->click();
              });
    QCOMPARE(valore("select Testo from Avvisi where Descrizione = 'Ferie'").toString(), QStringLiteral("Chiuso\nper ferie"));
}

void TestTestiAvvisi::ordinePerTitolo()
{
    esegui("insert into Avvisi (Descrizione, Testo) values ('Alfa', 'zeta'), ('Beta', 'alfa'), ('Gamma', 'media')");
    db::Query *q = frmGrigliaAvvisi->dataset();
    q->requery();
    auto ordine = [q] {
        QStringList l;
        for (q->first(); !q->eof(); q->next()) l << q->fieldByName("Descrizione").asString();
        return l;
    };
    QCOMPARE(ordine(), QStringList({"Alfa", "Beta", "Gamma"}));
    Q_EMIT frmGrigliaAvvisi->DBGrid1->titleClicked("Descrizione");
    Q_EMIT frmGrigliaAvvisi->DBGrid1->titleClicked("Descrizione");
    QCOMPARE(ordine(), QStringList({"Gamma", "Beta", "Alfa"}));
    // The text's title leaves the order as it was.
    Q_EMIT frmGrigliaAvvisi->DBGrid1->titleClicked("Testo");
    QCOMPARE(ordine(), QStringList({"Gamma", "Beta", "Alfa"}));
    q->setSort(QString());
}
