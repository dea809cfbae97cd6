#include "tst_esportaxml.h"

#include "Ambiente.h"
#include "Banco.h"
#include "FixtureFatture.h"
#include "data/DB.h"
#include "db/Query.h"
#include "sales/EditorFattura.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
std::unique_ptr<QTemporaryDir> g_cartella;
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
int esportate() { return g_banco->valore("select count(*) from fattura where EsportatoXml = true").toInt(); }

// The office of the invoice tests with what an e-invoice needs: the company's identity and
// the customer's address, SdI code and VAT number; invoice 10 has progressive 1.
QStringList archivio()
{
    QStringList r = fixture_fatture::righe();
    r << "update ditta set IdPaese = 'IT', PIva = '01234567890', RagSoc = 'Soccorso Srl', Via = 'Via Roma', Cap = '20100', "
         "Comune = 'Milano', RegimeFiscale = 'RF01'"
      << "update Clienti set Cliente = 'Rossi Srl', Iva = '01879020517', IdPaese = 'IT', Codice = 'ABC1234', Via = 'Via Po', "
         "Cap = '00100', Citta = 'Roma' where Id = 1"
      << "update ModPagamento set PA_ModalitaPagamento_Codice = 'MP05'"
      << "update fattura set DatiTrasmissione_FormatoTrasmissione = 'FPR12' where ID = 10";
    return r;
}

// The editor on invoice 10, "Esporta xml" pressed; returns whether "Esp. Xml" shows it marked.
bool esporta()
{
    bool spuntata = false;
    fixture_fatture::punta(10);
    conModale([] { Form7->mostra(false); }, [&](QWidget *) {
        Form7->spdFatturaXml->click();
        spuntata = Form7->DBCheckBox3->isChecked();
        Form7->DatiModificati = false;
        Form7->spdIndietroClick();
    });
    return spuntata;
}

} // namespace

void TestEsportaXml::init()
{
    g_cartella = std::make_unique<QTemporaryDir>();
    g_banco = std::make_unique<banco::Banco>(QStringList{"Form7"}, archivio());
}

void TestEsportaXml::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    g_cartella.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestEsportaXml::esportata()
{
    QVERIFY(Form7->spdFatturaXml->isEnabled());
    const QString percorso = g_cartella->filePath("IT01234567890_00001.xml");
    dialoghi().queueSaveFile(percorso);
    dialoghi().expectMessage("Fattura esportata con successo !");
    QVERIFY(esporta());
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray xml = f.readAll();
    QVERIFY(xml.contains(R"(<p:FatturaElettronica versione="FPR12")"));
    QVERIFY(xml.contains("<CodiceDestinatario>ABC1234</CodiceDestinatario>"));
    QCOMPARE(esportate(), 1);
}

void TestEsportaXml::senzaProgressivo()
{
    g_banco->esegui("update fattura set DatiTrasmissione_ProgressivoInvio = null where ID = 10");
    form_DB->Table3->requery();
    dialoghi().expectMessage("Attenzione manca il numero progressivo di trasmissione");
    int pagina = -1;
    bool fuoco = false;
    fixture_fatture::punta(10);
    conModale([] { Form7->mostra(false); }, [&](QWidget *) {
        Form7->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form7));
        Form7->PageControl1->setCurrentIndex(1);
        Form7->spdFatturaXml->click();
        pagina = Form7->PageControl1->currentIndex();
        fuoco = Form7->DBEdit12->hasFocus();
        Form7->DatiModificati = false;
        Form7->spdIndietroClick();
    });
    QCOMPARE(pagina, 0);
    QVERIFY(fuoco);
    QCOMPARE(esportate(), 0);
}

void TestEsportaXml::rifiutata()
{
    g_banco->esegui("update Clienti set Via = '' where Id = 1");
    dialoghi().queueSaveFile(g_cartella->filePath("IT01234567890_00001.xml"));
    dialoghi().expectMessage("FatturaElettronicaHeader/CessionarioCommittente/Sede/Indirizzo");
    QVERIFY(!esporta());
    QVERIFY(dialoghi().messages().last().text.contains("la fattura numero 1 del 01/03/2026"));
    QCOMPARE(QDir(g_cartella->path()).entryList(QDir::Files), QStringList());
    QCOMPARE(esportate(), 0);
}

void TestEsportaXml::sovrascritturaRifiutata()
{
    const QString percorso = g_cartella->filePath("IT01234567890_00001.xml");
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("precedente");
    f.close();
    dialoghi().queueSaveFile(percorso);
    dialoghi().expectMessage("Il file e' gia' presente ! Sovrascriverlo ?", QMessageBox::No);
    QVERIFY(!esporta());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("precedente"));
    QCOMPARE(esportate(), 0);
}
