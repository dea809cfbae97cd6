#include "tst_opzioni.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Registro.h"
#include "settings/Opzioni.h"
#include "data/services/Posta.h"
#include "support/TestCore.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
std::unique_ptr<QTabWidget> g_schede;
// The SMTP password goes to the user's own file: each test has a configuration folder of its own.
std::unique_ptr<testing_support::CartellaConfigurazione> g_config;

void avvia(const QStringList &prima = {})
{
    g_config = std::make_unique<testing_support::CartellaConfigurazione>();
    // The main window's tabs, which the start-tab list offers.
    g_schede = std::make_unique<QTabWidget>();
    g_schede->setObjectName(QStringLiteral("pgcBarra"));
    for (const char *t : {"Archivio  ", "Attività  ", "Documenti Clienti  "}) g_schede->addTab(new QWidget, QString::fromUtf8(t));
    g_banco = std::make_unique<banco::Banco>(QStringList{QStringLiteral("frmOpzioni")},
                                             QStringList{QStringLiteral("insert into ModPagamento (id, Descrizione) values "
                                                                        "(1, 'Bonifico'), (2, 'Contanti'), (3, 'Ri.Ba.')"),
                                                         QStringLiteral("insert into TipoEsportazioniCrystalReport (Numero, "
                                                                        "Descrizione, Estensione, Attivo) values "
                                                                        "(7, 'Archivio PDF/A', 'pdfa', 1)")}
                                                 + prima);
}

QVariant valore(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
testing_support::ScriptedLauncher &launcher() { return static_cast<testing_support::ScriptedLauncher &>(ui::Launcher::instance()); }

void scrivi(ui::DBEdit *e, const QString &testo)
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

// The checks of the options page, in the order the test ticks them.
QList<QPair<ui::DBCheckBox *, const char *>> caselle(TfrmOpzioni *o)
{
    return {{o->DBCheckBox11, "CostoAdOreDipendenti"},
            {o->DBCheckBox2, "PromemoriaScadenze"},
            {o->DBCheckBox6, "Inserimento_articoli_FiltraTuttiDocumenti_per_cliente"},
            {o->DBCheckBox8, "Inserimento_articoli_FiltraPreventivi_per_cliente"},
            {o->DBCheckBox16, "LavoraCisterne"},
            {o->DBCheckBox20, "IncrementaNumeroRigaArticoli"},
            {o->DBCheckBox1, "StampanteDefault"},
            {o->DBCheckBox5, "DocumentiRigaIvato"},
            {o->DBCheckBox4, "PrezzoPreventivo"},
            {o->DBCheckBox18, "SmtpAutenticazioneServer"},
            {o->DBCheckBox30, "SmtpCriptato"},
            {o->DBCheckBox21, "AggiornaAutomaticamenteInformazioniDaXml"},
            {o->DBCheckBox3, "PrimaNotaDescrizioneSemplificata"}};
}

} // namespace

void TestOpzioni::cleanup()
{
    if (g_banco) QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
    g_schede.reset();
    g_config.reset();
}

void TestOpzioni::ogniOpzioneScrittaERiletta()
{
    avvia();
    QTemporaryDir dir;
    const QString fe = dir.path() + "/fatture elettroniche";
    QVERIFY(QDir().mkpath(fe));
    dialoghi().queueFolder(fe);
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *w) {
                  TfrmOpzioni *o = frmOpzioni;
                  QCOMPARE(w, static_cast<QWidget *>(o));
                  QCOMPARE(o->PageControl1->currentIndex(), 0);
                  QCOMPARE(o->ComboBox1->count(), 3);
                  QCOMPARE(o->ComboBox1->itemText(1), QString::fromUtf8("Attività"));
                  o->ComboBox1->setCurrentIndex(2);
                  for (const auto &[c, campo] : caselle(o)) {
                      QVERIFY2(!c->isChecked(), campo);
                      c->click();
                  }
                  scrivi(o->DBEdit15, "12.5");
                  scrivi(o->DBEdit16, "3,2");
                  scrivi(o->DBEdit2, " Segreta'Xy ");
                  o->cmbAzioneImportazioneVCard->setCurrentIndex(2);
                  scegli(o->DBLookupComboBox19, "Ri.Ba.");
                  scegli(o->DBLookupComboBox3, "Contanti");
                  scrivi(o->DBEdit24, "smtp.example.it");
                  scrivi(o->DBEdit30, "465");
                  scrivi(o->DBEdit26, "ufficio@example.it");
                  scrivi(o->DBEdit29, "ufficio");
                  scrivi(o->DBEdit27, "p@ss word");
                  QCOMPARE(o->DBEdit27->echoMode(), QLineEdit::Password);
                  o->cmbSmtpCriptaggioTipo->setCurrentIndex(1);
                  o->DBMemo1->setFocus();
                  QTest::keyClicks(o->DBMemo1, "Cordiali saluti");
                  o->SpeedButton9->click();
                  scegli(o->DBLookupComboBox18, "Archivio PDF/A");
                  scrivi(o->DBEdit3, "/srv/documenti");
                  scrivi(o->DBEdit5, "/srv/sequestri/");
                  o->spdIndietro->click();
                  QVERIFY(!o->isVisible());
              });
    QCOMPARE(valore("select count(*) from opzioni").toInt(), 1);
    QCOMPARE(valore("select TabIniziale from opzioni").toInt(), 2);
    for (const auto &[c, campo] : caselle(frmOpzioni))
        QVERIFY2(valore(QStringLiteral("select %1 from opzioni").arg(QLatin1String(campo))).toInt() == 1, campo);
    QCOMPARE(valore("select Spese_di_Trasporto from opzioni").toDouble(), 12.5);
    QCOMPARE(valore("select Spese_di_Incasso from opzioni").toDouble(), 3.2);
    QCOMPARE(valore("select PasswordAmministratore from opzioni").toString(), QString(" Segreta'Xy "));
    QCOMPARE(valore("select AzioneImportazioneVCard from opzioni").toInt(), 2);
    QCOMPARE(valore("select ModPagamento_Id from opzioni").toInt(), 3);
    QCOMPARE(valore("select Carico_ModPagamento_Id from opzioni").toInt(), 2);
    QCOMPARE(valore("select SmtpHost from opzioni").toString(), QString("smtp.example.it"));
    QCOMPARE(valore("select SmtpPorta from opzioni").toInt(), 465);
    QCOMPARE(valore("select SmtpMittenteEmail from opzioni").toString(), QString("ufficio@example.it"));
    QCOMPARE(valore("select SmtpUserName from opzioni").toString(), QString("ufficio"));
    // The password is in the user's own file, readable by the user alone, not in the archive.
    QCOMPARE(valore("select SmtpPassword from opzioni").toString(), QString());
    QCOMPARE(posta::passwordSmtp("smtp.example.it", 465, "ufficio"), QString("p@ss word"));
    QCOMPARE(QFileInfo(posta::filePassword()).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
             QFile::Permissions());
    QCOMPARE(valore("select SmtpCriptaggioTipo from opzioni").toInt(), 3);
    QCOMPARE(valore("select EmailTestoDefault from opzioni").toString(), QString("Cordiali saluti"));
    QCOMPARE(valore("select CartellaEsportazioneFattureElettroniche from opzioni").toString(), fe + u'/');
    QCOMPARE(valore("select TipoEsportazione from opzioni").toInt(), 7);
    QCOMPARE(valore("select EstensioneEsportazione from opzioni").toString(), QString("pdfa"));
    QCOMPARE(valore("select CartellaEsportazioneDocumenti from opzioni").toString(), QString("/srv/documenti"));
    QCOMPARE(valore("select CartellaPredefinitaSequestri from opzioni").toString(), QString("/srv/sequestri/"));

    // The editor made again over the options read again shows every value.
    delete frmOpzioni;
    frmOpzioni = nullptr;
    form_DB->TableOpzioni->close();
    form_DB->TableOpzioni->open();
    forms::Registro::istanza().crea({QStringLiteral("frmOpzioni")}, g_banco->finestra());
    QVERIFY(frmOpzioni);
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *) {
                  TfrmOpzioni *o = frmOpzioni;
                  QCOMPARE(o->ComboBox1->currentIndex(), 2);
                  for (const auto &[c, campo] : caselle(o)) QVERIFY2(c->isChecked(), campo);
                  QCOMPARE(o->DBEdit15->text(), QString("12,5"));
                  QCOMPARE(o->DBEdit16->text(), QString("3,2"));
                  QCOMPARE(o->DBEdit2->text(), QString(" Segreta'Xy "));
                  QCOMPARE(o->cmbAzioneImportazioneVCard->currentText(), QString("Aggiorna automaticamente"));
                  QCOMPARE(o->DBLookupComboBox19->currentText(), QString("Ri.Ba."));
                  QCOMPARE(o->DBLookupComboBox3->currentText(), QString("Contanti"));
                  QCOMPARE(o->DBEdit24->text(), QString("smtp.example.it"));
                  QCOMPARE(o->DBEdit30->text(), QString("465"));
                  QCOMPARE(o->DBEdit26->text(), QString("ufficio@example.it"));
                  QCOMPARE(o->DBEdit29->text(), QString("ufficio"));
                  QCOMPARE(o->DBEdit27->text(), QString("p@ss word"));
                  QCOMPARE(o->cmbSmtpCriptaggioTipo->currentIndex(), 1);
                  QCOMPARE(o->DBMemo1->toPlainText(), QString("Cordiali saluti"));
                  QCOMPARE(o->DBEdit14->text(), fe + u'/');
                  QCOMPARE(o->DBLookupComboBox18->currentText(), QString("Archivio PDF/A"));
                  QCOMPARE(o->DBEdit3->text(), QString("/srv/documenti"));
                  QCOMPARE(o->DBEdit5->text(), QString("/srv/sequestri/"));
                  o->spdIndietro->click();
              });
}

void TestOpzioni::autenticazioneChiedeUtentePoiPassword()
{
    avvia();
    dialoghi().expectMessage(QStringLiteral("Attenzione inserire l'Username di autenticazione del Server !"));
    dialoghi().expectMessage(QStringLiteral("Attenzione inserire la password di autenticazione del Server !"));
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *w) {
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  TfrmOpzioni *o = frmOpzioni;
                  o->DBCheckBox18->click();
                  o->spdIndietro->click();
                  QVERIFY(o->isVisible());
                  QCOMPARE(o->PageControl1->currentIndex(), int(TfrmOpzioni::pagEmail));
                  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(o->DBEdit29));
                  QTest::keyClicks(o->DBEdit29, "utente");
                  o->spdIndietro->click();
                  QVERIFY(o->isVisible());
                  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(o->DBEdit27));
                  QTest::keyClicks(o->DBEdit27, "segreta");
                  o->spdIndietro->click();
                  QVERIFY(!o->isVisible());
              });
    QCOMPARE(dialoghi().messages().first().caption, QStringLiteral("Messaggio di errore"));
    QCOMPARE(valore("select SmtpUserName from opzioni").toString(), QString("utente"));
    QCOMPARE(valore("select SmtpPassword from opzioni").toString(), QString());
    QCOMPARE(posta::passwordSmtp(QString(), 0, "utente"), QString("segreta"));
    QCOMPARE(valore("select SmtpAutenticazioneServer from opzioni").toInt(), 1);
}

void TestOpzioni::tabellaVuotaRicevePrimaRiga()
{
    avvia({QStringLiteral("delete from opzioni")});
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *) {
                  QTest::keyClicks(frmOpzioni->DBEdit24, "posta.example.it");
                  frmOpzioni->spdIndietro->click();
              });
    QCOMPARE(valore("select count(*) from opzioni").toInt(), 1);
    QCOMPARE(valore("select SmtpHost from opzioni").toString(), QString("posta.example.it"));
}

void TestOpzioni::criptaggioLettoRestaSeNonCambiato()
{
    // The older methods are all STARTTLS to the mail service: their stored value stays.
    avvia({QStringLiteral("update opzioni set SmtpCriptaggioTipo = 2, AzioneImportazioneVCard = 9")});
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *) {
                  QCOMPARE(frmOpzioni->cmbSmtpCriptaggioTipo->currentText(), QString("STARTTLS"));
                  // An index beyond the list shows an empty box.
                  QCOMPARE(frmOpzioni->cmbAzioneImportazioneVCard->currentText(), QString());
                  frmOpzioni->spdIndietro->click();
              });
    QCOMPARE(valore("select SmtpCriptaggioTipo from opzioni").toInt(), 2);
    QCOMPARE(valore("select AzioneImportazioneVCard from opzioni").toInt(), -1);
}

void TestOpzioni::cartelle()
{
    avvia();
    QTemporaryDir dir;
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *) {
                  TfrmOpzioni *o = frmOpzioni;
                  // Empty: the messages; a folder gone: its message; an existing one opens.
                  dialoghi().expectMessage(QStringLiteral("Attenzione manca la Cartella di Lavoro"));
                  o->SpeedButton2->click();
                  dialoghi().expectMessage(QStringLiteral("Attenzione manca la Cartella predefinita dei Sequestri"));
                  o->SpeedButton7->click();
                  // A folder that no longer exists when confirmed is not stored.
                  dialoghi().queueFolder(dir.path() + "/sparita");
                  o->SpeedButton6->click();
                  QCOMPARE(o->DBEdit5->text(), QString());
                  dialoghi().queueFolder(dir.path());
                  o->SpeedButton6->click();
                  QCOMPARE(o->DBEdit5->text(), dir.path() + u'/');
                  o->SpeedButton7->click();
                  QCOMPARE(dialoghi().messages().size(), 2);
                  QCOMPARE(launcher().opened, QStringList{dir.path() + u'/'});
                  // A folder typed into the box is stored as typed.
                  scrivi(o->DBEdit3, dir.path() + "/sparita");
                  QTest::keyClick(o->DBEdit3, Qt::Key_Return);
                  dialoghi().expectMessage(
                      QString::fromUtf8("la Cartella: %1/sparita non esiste più o non è raggiungibile!!!").arg(dir.path()));
                  o->SpeedButton2->click();
                  QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Messaggio di errore"));
                  o->spdIndietro->click();
              });
    QCOMPARE(valore("select CartellaPredefinitaSequestri from opzioni").toString(), dir.path() + u'/');
    QCOMPARE(valore("select CartellaEsportazioneDocumenti from opzioni").toString(), dir.path() + "/sparita");
}

void TestOpzioni::passwordDellArchivioSpostataNelFile()
{
    // An archive of an older version keeps the password: the editor moves it to the user's file.
    avvia({QStringLiteral("delete from opzioni"),
           QStringLiteral("insert into opzioni (id, SmtpHost, SmtpPorta, SmtpUserName, SmtpPassword) values "
                          "(1, 'smtp.example.it', 587, 'ufficio', 'vecchia')")});
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *) {
                  QCOMPARE(frmOpzioni->DBEdit27->text(), QString("vecchia"));
                  frmOpzioni->spdIndietro->click();
              });
    QCOMPARE(valore("select SmtpPassword from opzioni").toString(), QString());
    QCOMPARE(valore("select SmtpUserName from opzioni").toString(), QString("ufficio"));
    QCOMPARE(posta::passwordSmtp("smtp.example.it", 587, "ufficio"), QString("vecchia"));
}
