#include "tst_ditta.h"

#include "Ambiente.h"
#include "Banco.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "masterdata/Banche.h"
#include "settings/Ditta.h"
#include "settings/Opzioni.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTest>

namespace {

std::unique_ptr<banco::Banco> g_banco;

void avvia(const QStringList &prima = {})
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{QStringLiteral("frmDitta")},
        QStringList{QStringLiteral("insert into Comuni (Comune, Cap, Provincia) values ('Borgo Prova', '12345', 'BP'), "
                                   "('Senza Cap', null, 'SC')")}
            + prima);
}

QVariant valore(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, testo);
}

void scegli(ui::DBLookupComboBox *l, const QString &testo)
{
    const int i = l->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

} // namespace

void TestDitta::cleanup()
{
    if (g_banco) QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
}

void TestDitta::chiusuraNonLasciaModifichePendenti()
{
    avvia();
    ambiente::conModale([] { frmDitta->apri(); },
                        [&](QWidget *w) {
                            QCOMPARE(w, static_cast<QWidget *>(frmDitta));
                            QCOMPARE(w->windowTitle(), QStringLiteral("Ditta"));
                            scrivi(frmDitta->DBEdit1, "Soccorso Rossi srl");
                            scrivi(frmDitta->DBEdit10, "RSSMRA70A01H501U");
                            // Closed with the window's close box while the last box is still being typed.
                            frmDitta->close();
                            QVERIFY(!frmDitta->isVisible());
                        });
    QVERIFY(form_DB->Table12->state() == db::Query::State::Browse);
    QCOMPARE(valore("select RagSoc from ditta").toString(), QString("Soccorso Rossi srl"));
    QCOMPARE(valore("select CodFisc from ditta").toString(), QString("RSSMRA70A01H501U"));
    QCOMPARE(valore("select count(*) from ditta").toInt(), 1);

    // "salva" stores and the editor stays open; closing after it leaves nothing pending either.
    ambiente::conModale([] { frmDitta->apri(); },
                        [&](QWidget *) {
                            QVERIFY(frmDitta->bitSalva->isVisible());
                            QCOMPARE(frmDitta->bitSalva->text(), QStringLiteral("salva"));
                            scrivi(frmDitta->DBEdit1, "Rossi Soccorso");
                            frmDitta->bitSalva->click();
                            QVERIFY(frmDitta->isVisible());
                            QCOMPARE(valore("select RagSoc from ditta").toString(), QString("Rossi Soccorso"));
                            frmDitta->close();
                        });
    QVERIFY(form_DB->Table12->state() == db::Query::State::Browse);
}

void TestDitta::tabellaVuotaRicevePrimaRiga()
{
    avvia({QStringLiteral("delete from ditta")});
    // Opened and closed untouched: no row is made.
    ambiente::conModale([] { frmDitta->apri(); }, [&](QWidget *) { frmDitta->close(); });
    QCOMPARE(valore("select count(*) from ditta").toInt(), 0);
    ambiente::conModale([] { frmDitta->apri(); },
                        [&](QWidget *) {
                            scrivi(frmDitta->DBEdit1, "Nuova Ditta");
                            frmDitta->close();
                        });
    QCOMPARE(valore("select count(*) from ditta").toInt(), 1);
    QCOMPARE(valore("select RagSoc from ditta").toString(), QString("Nuova Ditta"));
    QVERIFY(form_DB->Table12->state() == db::Query::State::Browse);
}

void TestDitta::partitaIvaAvvisaEResta()
{
    avvia();
    ambiente::conModale([] { frmDitta->apri(); },
                        [&](QWidget *w) {
                            QVERIFY(QTest::qWaitForWindowActive(w));
                            // Empty: no message. A wrong check digit, and a foreign number: the warning.
                            frmDitta->DBEdit8->setFocus();
                            frmDitta->DBEdit10->setFocus();
                            QCOMPARE(dialoghi().messages().size(), 0);
                            for (const char *piva : {"01234567891", "DE123456789"}) {
                                dialoghi().expectMessage(
                                    QString::fromUtf8("Attenzione la partita Iva appena inserita non è valida!!!"));
                                scrivi(frmDitta->DBEdit8, QString::fromLatin1(piva));
                                frmDitta->DBEdit10->setFocus();
                                QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frmDitta->DBEdit10));
                            }
                            // Kept as typed.
                            frmDitta->bitSalva->click();
                            QCOMPARE(valore("select PIva from ditta").toString(), QString("DE123456789"));
                            // A valid number: nothing said.
                            scrivi(frmDitta->DBEdit8, "01234567897");
                            frmDitta->DBEdit10->setFocus();
                            frmDitta->close();
                        });
    QCOMPARE(dialoghi().messages().size(), 2);
    QCOMPARE(dialoghi().messages().first().caption, QStringLiteral("Pellavantoria"));
    QCOMPARE(valore("select PIva from ditta").toString(), QString("01234567897"));
}

void TestDitta::comuneECancella()
{
    avvia({QStringLiteral("update ditta set Via = 'Via Roma', Numero = '5'")});
    ambiente::conModale([] { frmDitta->apri(); },
                        [&](QWidget *) {
                            scegli(frmDitta->DBLookupComboBox1, "Borgo Prova");
                            QCOMPARE(frmDitta->DBEdit4->text(), QString("12345"));
                            QCOMPARE(frmDitta->DBEdit5->text(), QString("BP"));
                            // A town without postcode keeps the one there, and still brings its province.
                            scegli(frmDitta->DBLookupComboBox1, "Senza Cap");
                            QCOMPARE(frmDitta->DBEdit4->text(), QString("12345"));
                            QCOMPARE(frmDitta->DBEdit5->text(), QString("SC"));
                            frmDitta->bitSalva->click();
                            QCOMPARE(valore("select Comune from ditta").toString(), QString("Senza Cap"));
                            frmDitta->Button4->click();
                            QCOMPARE(frmDitta->DBLookupComboBox1->currentText(), QString());
                            QCOMPARE(frmDitta->DBEdit4->text(), QString());
                            frmDitta->close();
                        });
    QCOMPARE(valore("select coalesce(Comune, '') || coalesce(Cap, '') || coalesce(Provincia, '') from ditta").toString(), QString());
    QCOMPARE(valore("select Via from ditta").toString(), QString("Via Roma"));
    QCOMPARE(valore("select Numero from ditta").toString(), QString("5"));
}

void TestCaricaDitta::init() { ambiente::avvia(); }
void TestCaricaDitta::cleanup() { ambiente::chiudi(); }

void TestCaricaDitta::nomeNellaFinestraPrincipale()
{
    QVERIFY(Form1->Button2->isEnabled());
    QCOMPARE(Form1->Button2->text(), QStringLiteral("Carica ditta"));
    ambiente::conModale([] { Form1->Button2->click(); },
                        [&](QWidget *w) {
                            QCOMPARE(w, static_cast<QWidget *>(frmDitta));
                            scrivi(frmDitta->DBEdit1, "Autosoccorso Bianchi");
                            frmDitta->close();
                        });
    QCOMPARE(Form1->Label1->text(), QStringLiteral("Autosoccorso Bianchi"));
    QCOMPARE(RagioneSocialeDitta, QStringLiteral("Autosoccorso Bianchi"));
}

void TestCaricaDitta::bancheEOpzioniDalMenu()
{
    // "Banche": the list unfiltered while shown and after; its search boxes keep their text.
    frmGrigliaBanche->casella("Edit2")->setText("Cassa");
    QVERIFY(!form_DB->Table5->filter().isEmpty());
    QToolButton *banche = Form1->menuButton(TForm1::tabArchivio, QStringLiteral("Banche"));
    QVERIFY(banche && banche->isEnabled());
    ambiente::conModale([banche] { banche->click(); },
                        [&](QWidget *w) {
                            QCOMPARE(w, static_cast<QWidget *>(frmGrigliaBanche));
                            QCOMPARE(form_DB->Table5->filter(), QString());
                            frmGrigliaBanche->spdIndietro->click();
                        });
    QCOMPARE(form_DB->Table5->filter(), QString());
    QCOMPARE(frmGrigliaBanche->casella("Edit2")->text(), QString("Cassa"));

    // "Opzioni" opens on the first page, whatever page it was left on.
    frmOpzioni->PageControl1->setCurrentIndex(TfrmOpzioni::pagEmail);
    QToolButton *opzioni = Form1->menuButton(TForm1::tabAttivita, QStringLiteral("Opzioni"));
    QVERIFY(opzioni && opzioni->isEnabled());
    ambiente::conModale([opzioni] { opzioni->click(); },
                        [&](QWidget *w) {
                            QCOMPARE(w, static_cast<QWidget *>(frmOpzioni));
                            QCOMPARE(frmOpzioni->PageControl1->currentIndex(), 0);
                            // The start tabs are the main window's.
                            QCOMPARE(frmOpzioni->ComboBox1->count(), Form1->pgcBarra->count());
                            frmOpzioni->PageControl1->setCurrentIndex(TfrmOpzioni::pagAltro);
                            frmOpzioni->spdIndietro->click();
                        });
    QCOMPARE(frmOpzioni->PageControl1->currentIndex(), 0);
}
