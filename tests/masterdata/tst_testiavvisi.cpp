#include "tst_testiavvisi.h"

#include "Ambiente.h"
#include "data/DB.h"
#include "app/Frm1.h"
#include "db/Query.h"
#include "masterdata/TestiAvvisi.h"
#include "widgets/DBEdit.h"
#include "widgets/DBMemo.h"

#include <QApplication>
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
