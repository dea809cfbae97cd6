#include "tst_importaxml.h"

#include "Ambiente.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"

#include <QTest>
#include <QToolButton>

using namespace ambiente;

namespace {

QString fixture(const QString &nome) { return QStringLiteral(PELLA_FIXTURE_FATTURAPA "/") + nome; }

QToolButton *pulsante()
{
    QToolButton *b = Form1->menuButton(TForm1::tabDocFornitori, QStringLiteral("Importa fattura elettronica xml"));
    if (b && !b->isEnabled()) return nullptr;
    return b;
}

int documenti() { return valore("select count(*) from fattura where Carico = true").toInt(); }

} // namespace

void TestMenuImportaXml::init() { avvia(); }
void TestMenuImportaXml::cleanup() { chiudi(); }

// Cancelling the dialog does nothing and says nothing.
void TestMenuImportaXml::annullato()
{
    QToolButton *b = pulsante();
    QVERIFY(b);
    QCOMPARE(b->toolTip(), QString("importa documento da un file XML"));
    dialoghi().queueOpenFile(QString());
    b->click();
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    QVERIFY(dialoghi().messages().isEmpty());
    QCOMPARE(documenti(), 0);
}

void TestMenuImportaXml::importa_data()
{
    QTest::addColumn<QString>("codiceFiscale");
    QTest::addColumn<int>("risposta"); // the answer to the addressee question; 0: no question
    QTest::addColumn<int>("attesi");
    QTest::newRow("indirizzata alla ditta") << "03533590174" << 0 << 2;
    QTest::newRow("altra ditta, Sì") << "11111111111" << int(QMessageBox::Yes) << 2;
    QTest::newRow("altra ditta, No") << "11111111111" << int(QMessageBox::No) << 0;
}

// A signed file with two bodies: the question only when the file names another company, the
// closing message always, the documents in the archive and in the purchases' shared list.
void TestMenuImportaXml::importa()
{
    QFETCH(QString, codiceFiscale);
    QFETCH(int, risposta);
    QFETCH(int, attesi);
    esegui("update ditta set CodFisc = '" + codiceFiscale + "', PIva = null, Pec = null, CodiceSdi = null");
    esegui("update opzioni set AggiornaAutomaticamenteInformazioniDaXml = true");
    const int fornitoriPrima = valore("select count(*) from Fornitor").toInt();
    dialoghi().queueOpenFile(fixture("p7m/IT01234567890_FPR03.xml.p7m"));
    if (risposta) dialoghi().expectMessage("non è indirizzato a questa azienda", QMessageBox::StandardButton(risposta));
    dialoghi().expectMessage("Termine importazione documento");
    QToolButton *b = pulsante();
    QVERIFY(b);
    b->click();
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    if (risposta) {
        const testing_support::AskedMessage &d = dialoghi().messages().first();
        QCOMPARE(d.caption, QString("Messaggio di avviso"));
        QCOMPARE(d.buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(d.icon, QMessageBox::NoIcon);
    }
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    QCOMPARE(documenti(), attesi);
    QCOMPARE(valore("select count(*) from Fornitor").toInt(), fornitoriPrima + (attesi ? 1 : 0));
    if (attesi) {
        QCOMPARE(valore("select count(*) from Movimenti").toInt(), 3);
        QCOMPARE(valore("select Fornitore from fattura where Carico = true order by ID").toString(), QString("SOCIETA' ALPHA SRL"));
    }
}

// A damaged file: its message, no closing message, nothing written.
void TestMenuImportaXml::fileIllegibile()
{
    dialoghi().queueOpenFile(fixture("p7m/IT05979361218_fake.xml.p7m"));
    dialoghi().expectMessage("Nulla è stato registrato");
    QToolButton *b = pulsante();
    QVERIFY(b);
    b->click();
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    QCOMPARE(dialoghi().messages().size(), 1);
    QCOMPARE(documenti(), 0);
    QCOMPARE(valore("select count(*) from Fornitor").toInt(), 0);
}
