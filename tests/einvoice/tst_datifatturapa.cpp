#include "tst_datifatturapa.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Query.h"
#include "einvoice/ErroriFatturazioneElettronica.h"
#include "einvoice/ModificaRappresentanteFiscale.h"
#include "einvoice/ModificaTerzoIntermediario.h"
#include "settings/Ditta.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"
#include "widgets/DBText.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

QStringList codiciMostrati()
{
    QStringList r;
    db::Query *q = form_DB->TableErroriScartoFatturazioneElettronica;
    for (q->first(); !q->eof(); q->next()) r << q->fieldByName("Codice").asString();
    q->first();
    return r;
}

} // namespace

void TestErroriScarto::init()
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmGrigliaErroriFatturazioneElettronica", "frmDettaglioErroriFatturazioneElettronica"},
        QStringList{"insert into PA_Errori (Codice, Titolo, Descrizione, Suggerimenti) values "
                    "('90001', 'L''identificativo del trasmittente', 'Prova', 'Nessuno'), "
                    "('91000', 'Altro codice con 00 in mezzo', 'Prova', 'Nessuno')"});
}

void TestErroriScarto::cleanup()
{
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
}

// A new database comes with the exchange system's codes, in code order.
void TestErroriScarto::codiciDelDatabase()
{
    const QStringList codici = codiciMostrati();
    QVERIFY2(codici.size() > 40, qPrintable(codici.join(' ')));
    QVERIFY(codici.contains("00404"));
    QCOMPARE(scalar("select Titolo from PA_Errori where Codice = '00404'").toString(), QString("Fattura duplicata"));
    QCOMPARE(scalar("select count(*) from PA_Errori where Titolo is null or Descrizione is null or Suggerimenti is null").toInt(), 0);
    QStringList ordinati = codici;
    ordinati.sort();
    QCOMPARE(codici, ordinati);
}

void TestErroriScarto::ricerca_data()
{
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QStringList>("attesi"); // empty: every code
    QTest::newRow("both boxes empty") << "" << "" << QStringList();
    QTest::newRow("a lone * adds nothing") << "*" << "*" << QStringList();
    QTest::newRow("codes that begin with 0040") << "0040" << "" << QStringList{"00400", "00401", "00403", "00404", "00409"};
    QTest::newRow("begins with, not contains") << "91" << "" << QStringList{"91000"};
    QTest::newRow("title") << "" << "fattura dup" << QStringList{"00404", "00409"};
    QTest::newRow("both boxes") << "0040" << "Fattura" << QStringList{"00404", "00409"};
    QTest::newRow("apostrophe") << "" << "L'identificativo" << QStringList{"90001"};
    QTest::newRow("* inside is a wildcard") << "9*1" << "" << QStringList{"90001", "91000"};
    QTest::newRow("nothing found") << "ZZ" << "" << QStringList{"-"};
}

void TestErroriScarto::ricerca()
{
    QFETCH(QString, codice);
    QFETCH(QString, titolo);
    QFETCH(QStringList, attesi);
    auto *l = frmGrigliaErroriFatturazioneElettronica;
    const int tutti = codiciMostrati().size();
    l->Edit2->setText(codice);
    l->Edit4->setText(titolo);
    const QStringList trovati = codiciMostrati();
    if (attesi.isEmpty()) QCOMPARE(trovati.size(), tutti);
    else if (attesi == QStringList{"-"}) QCOMPARE(trovati, QStringList());
    else QCOMPARE(trovati, attesi);
}

void TestErroriScarto::schedaDelCodice()
{
    auto *l = frmGrigliaErroriFatturazioneElettronica;
    auto *scheda = frmDettaglioErroriFatturazioneElettronica;
    QCOMPARE(l->windowTitle(), QString("Elenco Errori scarto fatturazione elettronica"));
    // Nothing to add or delete in the list.
    QCOMPARE(ambiente::didascalie(l->ToolBar2, true), (QStringList{"Aiuto", "Ricarica", "Indietro", "Avanti"}));
    l->Edit2->setText("00404");
    conModale([l] { l->spdAvanti->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(scheda));
                  QCOMPARE(w->windowTitle(), QString("Errore Fatturazione Elettronica"));
                  QCOMPARE(scheda->DBText1->text(), QString("00404"));
                  QCOMPARE(scheda->DBMemo1->toPlainText(), QString("Fattura duplicata"));
                  QVERIFY(scheda->DBMemo2->toPlainText().contains("già trasmessa"));
                  QVERIFY(!scheda->DBMemo3->toPlainText().isEmpty());
                  QVERIFY(scheda->DBMemo2->isReadOnly());
                  scheda->spdIndietro->click();
              });
    QVERIFY(!scheda->isVisible());
    // The double click opens it too.
    conModale([l] { l->DBGrid1DblClick(); }, [&](QWidget *w) {
        QCOMPARE(w, static_cast<QWidget *>(scheda));
        scheda->spdIndietro->click();
    });
    // On an empty result neither opens the card.
    l->Edit2->setText("ZZ");
    l->spdAvanti->click();
    l->DBGrid1DblClick();
    QVERIFY(!scheda->isVisible());
    QCOMPARE(scalar("select count(*) from PA_Errori where Codice = '00404'").toInt(), 1);
}

namespace {

const char *const kRF = "RappresentanteFiscale_DatiAnagrafici_";
const char *const kTI = "TerzoIntermediarioOSoggettoEmittente_";

ModificaSoggettoTerzo *editor(bool rappresentante)
{
    if (rappresentante) return frmModificaRappresentanteFiscale;
    return frmModificaTerzoIntermediario;
}

void digita(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    if (!testo.isEmpty()) QTest::keyClicks(e, testo);
}

QString ditta(const QString &colonna) { return scalar("select " + colonna + " from ditta").toString(); }

} // namespace

void TestSoggettiTerzi::init()
{
    g_banco = std::make_unique<banco::Banco>(QStringList{"frmDitta", "frmModificaRappresentanteFiscale", "frmModificaTerzoIntermediario"},
                                             QStringList{"update ditta set RagSoc = 'Soccorso Srl'"});
    if (!form_DB->Table12->isActive()) form_DB->Table12->open();
}

void TestSoggettiTerzi::cleanup()
{
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
}

void TestSoggettiTerzi::controlli_data()
{
    QTest::addColumn<bool>("rappresentante");
    QTest::addColumn<bool>("includi");
    QTest::addColumn<QStringList>("campi"); // P.Iva, Codice Fiscale, Rag. Sociale, Cognome, Nome, Titolo, Cod. Eori
    QTest::addColumn<QString>("nazione");
    QTest::addColumn<QString>("messaggio"); // empty: saved
    QTest::addColumn<QString>("fuoco");
    const QStringList completo{"01234567890", "", "Rappresentanze Srl", "", "", "", ""};
    QTest::newRow("representative, everything empty")
        << true << true << QStringList{"", "", "", "", "", "", ""} << "" << "Attenzione manca la Partita Iva" << "DBEdit1";
    QTest::newRow("representative without country")
        << true << true << completo << "" << "Attenzione manca la Nazione" << "DBLookupComboBox3";
    QTest::newRow("representative complete") << true << true << completo << "Italia" << "" << "";
    QTest::newRow("representative without name")
        << true << true << QStringList{"01234567890", "", "", "", "", "", ""} << "Italia"
        << "Attenzione manca la Ragione sociale oppure Nome e Cognome" << "";
    QTest::newRow("a surname alone is a name")
        << true << true << QStringList{"01234567890", "", "", "Rossi", "", "", ""} << "Italia" << "" << "";
    QTest::newRow("intermediary, company name only") << false << true << QStringList{"", "", "Intermedia Srl", "", "", "", ""}
                                                     << "" << "" << "";
    QTest::newRow("intermediary with VAT number, no country")
        << false << true << QStringList{"01234567890", "", "Intermedia Srl", "", "", "", ""} << ""
        << "Attenzione manca la Nazione" << "DBLookupComboBox3";
    QTest::newRow("tax code of 10") << false << true << QStringList{"", "ABCDEFGHIL", "X", "", "", "", ""} << ""
                                    << "Attenzione il Codice fiscale deve essere di almeno 11 caratteri" << "DBEdit2";
    QTest::newRow("tax code of 11") << false << true << QStringList{"", "ABCDEFGHILM", "X", "", "", "", ""} << "" << "" << "";
    QTest::newRow("tax code of 16") << true << true << QStringList{"01234567890", "RSSMRA80A01H501U", "X", "", "", "", ""}
                                    << "Italia" << "" << "";
    QTest::newRow("title of one character") << false << true << QStringList{"", "", "", "Rossi", "", "D", ""} << ""
                                            << "Attenzione il Titolo deve essere di almeno 2 caratteri" << "DBEdit4";
    QTest::newRow("EORI of 12") << true << true << QStringList{"01234567890", "", "", "Rossi", "Mario", "Dr", "IT1234567890"}
                                << "Italia" << "Attenzione il codice EORI deve essere di almeno 13 caratteri" << "DBEdit6";
    QTest::newRow("EORI of 13") << true << true << QStringList{"01234567890", "", "", "Rossi", "Mario", "Dr", "IT12345678901"}
                                << "Italia" << "" << "";
    QTest::newRow("switched off: nothing checked")
        << true << false << QStringList{"", "ABC", "", "", "", "", ""} << "" << "" << "";
}

void TestSoggettiTerzi::controlli()
{
    QFETCH(bool, rappresentante);
    QFETCH(bool, includi);
    QFETCH(QStringList, campi);
    QFETCH(QString, nazione);
    QFETCH(QString, messaggio);
    QFETCH(QString, fuoco);
    ModificaSoggettoTerzo *f = editor(rappresentante);
    const QString p = QString::fromLatin1(rappresentante ? kRF : kTI);
    const QString flag = rappresentante ? QString("RappresentanteFiscale") : QString("TerzoIntermediarioOSoggettoEmittente");
    conModale([f] { f->exec(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(f));
                  if (f->DBCheckBox2->isChecked() != includi) f->DBCheckBox2->click();
                  const QList<ui::DBEdit *> edit{f->DBEdit1, f->DBEdit2, f->DBEdit5, f->DBEdit11, f->DBEdit3, f->DBEdit4, f->DBEdit6};
                  for (int i = 0; i < edit.size(); ++i) digita(edit[i], campi[i]);
                  if (!nazione.isEmpty()) {
                      const int i = f->DBLookupComboBox3->findText(nazione);
                      QVERIFY2(i >= 0, qPrintable(nazione));
                      f->DBLookupComboBox3->setCurrentIndex(i);
                      Q_EMIT f->DBLookupComboBox3->activated(i);
                  }
                  if (!messaggio.isEmpty()) {
                      dialoghi().expectMessage(messaggio);
                      f->spdIndietro->click();
                      QVERIFY(!dialoghi().messages().isEmpty());
                      QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
                      // The editor stays open, the focus where the check says, nothing stored.
                      QVERIFY(f->isVisible());
                      QVERIFY(f->SalvataggioFallito);
                      if (!fuoco.isEmpty()) {
                          QVERIFY(f->focusWidget());
                          QCOMPARE(f->focusWidget()->objectName(), fuoco);
                      }
                      QVERIFY(!scalar("select " + flag + " from ditta").toBool());
                      // Unticking "Includi" lets the user leave, saving without checks.
                      f->DBCheckBox2->click();
                  }
                  f->spdIndietro->click();
                  QVERIFY(!f->isVisible());
              });
    if (!messaggio.isEmpty()) {
        QVERIFY(!scalar("select " + flag + " from ditta").toBool());
        QCOMPARE(ditta(p + "IdCodice"), campi[0]);
        return;
    }
    QCOMPARE(scalar("select " + flag + " from ditta").toBool(), includi);
    QCOMPARE(ditta(p + "IdCodice"), campi[0]);
    QCOMPARE(ditta(p + "CodiceFiscale"), campi[1]);
    QCOMPARE(ditta(p + "Denominazione"), campi[2]);
    QCOMPARE(ditta(p + "Cognome"), campi[3]);
    QCOMPARE(ditta(p + "Nome"), campi[4]);
    QCOMPARE(ditta(p + "Titolo"), campi[5]);
    QCOMPARE(ditta(p + "CodEORI"), campi[6]);
    if (!nazione.isEmpty()) QCOMPARE(ditta(p + "IdPaese"), QString("IT"));
    QCOMPARE(ditta("RagSoc"), QString("Soccorso Srl"));
}

void TestSoggettiTerzi::indietroSenzaModificheNonSalva()
{
    ModificaSoggettoTerzo *f = editor(true);
    // Stored otherwise, incomplete: leaving untouched neither checks nor saves.
    g_banco->esegui("update ditta set RappresentanteFiscale = true");
    form_DB->Table12->requery();
    conModale([f] { f->exec(); }, [&](QWidget *) {
        QVERIFY(f->DBCheckBox2->isChecked());
        QCOMPARE(f->windowTitle(), QString("Rappresentante Fiscale"));
        f->spdIndietro->click();
        QVERIFY(!f->isVisible());
    });
    QVERIFY(dialoghi().messages().isEmpty());
}

// The company editor's two labels open the editors.
void TestSoggettiTerzi::apertiDallaDitta()
{
    for (bool rappresentante : {true, false}) {
        bool aperto = false;
        conModale([&] { rappresentante ? frmDitta->Label26Click() : frmDitta->Label29Click(); },
                  [&](QWidget *w) {
                      aperto = w == static_cast<QWidget *>(editor(rappresentante));
                      QCOMPARE(w->windowTitle(), rappresentante ? QString("Rappresentante Fiscale") : QString("Terzo Intermediario"));
                      editor(rappresentante)->spdIndietro->click();
                  });
        QVERIFY(aperto);
    }
}
