#include "tst_email.h"

#include "Ambiente.h"
#include "Banco.h"
#include "mail/Email.h"
#include "support/ServerSmtp.h"

#include <QApplication>
#include <QClipboard>
#include <QJsonArray>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

void apri(const QStringList &opzioni)
{
    g_banco = std::make_unique<banco::Banco>(QStringList{"frmEmail", "frmInsEmail", "frmIndirizziEmail"}, opzioni);
}

QStringList righe(QListWidget *l)
{
    QStringList r;
    for (int i = 0; i < l->count(); ++i) r << l->item(i)->text();
    return r;
}

} // namespace

void TestEmail::cleanup()
{
    if (g_banco) QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
}

void TestEmail::unMessaggioPerDestinatario()
{
    testing_support::ServerSmtp s(QStringLiteral("chiaro"), QString());
    QVERIFY(s.porta() > 0);
    apri({QStringLiteral("update opzioni set SmtpHost = 'localhost', SmtpPorta = %1, SmtpMittenteEmail = 'ufficio@soccorso.example', "
                         "SmtpCriptato = False, SmtpAutenticazioneServer = False").arg(s.porta())});
    QTemporaryDir d;
    const QString pdf = d.filePath("Fattura_7_2026.pdf");
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.4");
    f.close();

    // The server refuses one mailbox: its box names the server's reply, the others are served.
    dialoghi().expectMessage(QStringLiteral("Il server non ha accettato il messaggio.\nDettaglio: RCPT failed: 550\n"
                                            "Risposta del server: 550 5.1.1 Destinatario sconosciuto"));
    dialoghi().expectMessage(QStringLiteral("Messaggio Non inviato a : rifiutato@cliente.example"));
    dialoghi().expectMessage(QStringLiteral("Termine Invio Messaggi !"));
    bool visto = false;
    conModale([&] { posta::componiEmail({"rossi@cliente.example", "", "rifiutato@cliente.example", "verdi@cliente.example"}, {pdf},
                                        "Fattura numero 7", "In allegato la fattura."); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmEmail));
                  QCOMPARE(righe(frmEmail->txtDestinatario),
                           QStringList({"rossi@cliente.example", "rifiutato@cliente.example", "verdi@cliente.example"}));
                  frmEmail->spdEmail->click();
                  visto = true;
                  frmEmail->spdIndietro->click();
              });
    QVERIFY(visto);
    const QList<QJsonObject> r = s.ricevuti();
    QCOMPARE(r.size(), 2);
    QCOMPARE(r[0]["rcpt_tos"].toArray().size(), 1);
    QCOMPARE(r[0]["rcpt_tos"].toArray()[0].toString(), QStringLiteral("rossi@cliente.example"));
    QCOMPARE(r[1]["rcpt_tos"].toArray()[0].toString(), QStringLiteral("verdi@cliente.example"));
    QVERIFY(!r[1]["to"].toString().contains("rossi"));
    QCOMPARE(r[1]["subject"].toString(), QStringLiteral("Fattura numero 7"));
    QCOMPARE(r[1]["allegati"].toArray()[0].toObject()["nome"].toString(), QStringLiteral("Fattura_7_2026.pdf"));
    QCOMPARE(r[1]["allegati"].toArray()[0].toObject()["tipo"].toString(), QStringLiteral("application/pdf"));
}

void TestEmail::impostazioniMancanti_data()
{
    QTest::addColumn<QString>("opzioni");
    QTest::addColumn<QStringList>("attesi");
    QTest::newRow("no host") << "update opzioni set SmtpHost = Null, SmtpMittenteEmail = 'a@b.example'"
                             << QStringList{"Per inviare email è necessario impostare l' Host SMTP tra le opzioni del programma !",
                                            "Messaggio Non inviato a : rossi@cliente.example", "Termine Invio Messaggi !"};
    QTest::newRow("no sender") << "update opzioni set SmtpHost = 'localhost', SmtpMittenteEmail = ''"
                               << QStringList{"Per inviare email è necessario impostare il mittente delle email tra le opzioni del programma !",
                                              "Messaggio Non inviato a : rossi@cliente.example", "Termine Invio Messaggi !"};
}

void TestEmail::impostazioniMancanti()
{
    QFETCH(QString, opzioni);
    QFETCH(QStringList, attesi);
    apri({opzioni});
    for (const QString &m : attesi) dialoghi().expectMessage(m);
    conModale([] { posta::componiEmail({"rossi@cliente.example"}); },
              [](QWidget *) {
                  frmEmail->spdEmail->click();
                  frmEmail->spdIndietro->click();
              });
    QVERIFY(!dialoghi().messages().isEmpty());
    QCOMPARE(dialoghi().messages().first().caption, QStringLiteral("Messaggio di Avviso"));
}

void TestEmail::comandiDellaFinestra()
{
    apri({QStringLiteral("update opzioni set EmailTestoDefault = 'Cordiali saluti.'")});
    QTemporaryDir d;
    dialoghi().queueOpenFile(d.filePath("fattura.xml"));
    dialoghi().expectMessage(QStringLiteral("Manca il destinatario"));
    conModale([] { posta::componiEmail({"rossi@cliente.example", "verdi@cliente.example"}, {"/a/uno.pdf"}, "Oggetto", "Testo. "); },
              [&](QWidget *) {
                  frmEmail->SpeedButton1->click();
                  frmEmail->SpeedButton1->click();
                  QCOMPARE(frmEmail->txtTesto->toPlainText(), QStringLiteral("Testo. Cordiali saluti.Cordiali saluti."));
                  frmEmail->SpeedButton5->click();
                  QCOMPARE(righe(frmEmail->txtAllegati), QStringList({"/a/uno.pdf", d.filePath("fattura.xml")}));
                  frmEmail->SpeedButton4->click(); // nothing selected: nothing removed
                  QCOMPARE(frmEmail->txtAllegati->count(), 2);
                  frmEmail->txtAllegati->setCurrentRow(0);
                  frmEmail->SpeedButton4->click();
                  QCOMPARE(righe(frmEmail->txtAllegati), QStringList({d.filePath("fattura.xml")}));
                  frmEmail->txtDestinatario->setCurrentRow(1);
                  frmEmail->spdEliminaPiccolo->click();
                  QCOMPARE(righe(frmEmail->txtDestinatario), QStringList({"rossi@cliente.example"}));
                  frmEmail->BitBtn1->click();
                  QCOMPARE(frmEmail->txtDestinatario->count() + frmEmail->txtAllegati->count(), 0);
                  QVERIFY(frmEmail->txtOggetto->text().isEmpty() && frmEmail->txtTesto->toPlainText().isEmpty());
                  frmEmail->spdEmail->click(); // no recipient
                  frmEmail->spdIndietro->click();
              });
}

void TestEmail::indirizziDaCopiare()
{
    apri({});
    conModale([] { posta::mostraIndirizzi({"rossi@cliente.example", "", "verdi@cliente.example"}); },
              [](QWidget *w) {
                  QCOMPARE(w->windowTitle(), QStringLiteral("Indirizzi Email"));
                  frmIndirizziEmail->copiaTutto();
                  frmIndirizziEmail->spdIndietro->click();
              });
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("rossi@cliente.example, \nverdi@cliente.example, "));
}
