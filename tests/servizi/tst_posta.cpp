#include "tst_posta.h"

#include "data/services/Posta.h"
#include "support/ServerSmtp.h"
#include "support/TestCore.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace testing_support;
using Server = testing_support::ServerSmtp;

namespace {

QTemporaryDir &cartellaProve()
{
    static QTemporaryDir d;
    return d;
}

posta::Impostazioni impostazioni(int porta, const QString &cartella)
{
    posta::Impostazioni i;
    i.host = QStringLiteral("localhost");
    i.porta = porta;
    i.mittente = QStringLiteral("ufficio@soccorso.example");
    i.fileCertificati = cartella + "/cert.pem";
    return i;
}

QStringList valori(const QJsonArray &a)
{
    QStringList r;
    for (const auto &v : a) r << v.toString();
    return r;
}

// A throw-away certificate for the name "localhost" only, trusted by the tests alone.
void creaCertificato(const QString &cartella)
{
    QProcess ssl;
    ssl.start(QStringLiteral("openssl"),
              {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=localhost", "-addext",
               "subjectAltName=DNS:localhost", "-keyout", cartella + "/chiave.pem", "-out", cartella + "/cert.pem"});
    QVERIFY(ssl.waitForFinished(60000));
    QCOMPARE(ssl.exitCode(), 0);
}

} // namespace

void TestServiziPosta::initTestCase()
{
    m_cartella = cartellaProve().path();
    creaCertificato(m_cartella);
    const QList<std::pair<QString, QByteArray>> file{{"preventivo.pdf", "%PDF-1.4 prova"},
                                                     {"fattura.xml", "<?xml version=\"1.0\"?><a/>"},
                                                     {"IT01234567890_00001.xml.p7m", QByteArray("\x30\x82\x01\x00", 4)},
                                                     {"foto.jpg", QByteArray("\xff\xd8\xff\x00\x01", 5)}};
    for (const auto &[nome, dati] : file) {
        QFile f(m_cartella + "/" + nome);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(dati);
    }
}

void TestServiziPosta::messaggioCompletoConStarttlsEAutenticazione()
{
    Server s(QStringLiteral("starttls"), m_cartella, QStringLiteral("mario:segreto"));
    QVERIFY(s.porta() > 0);
    posta::Impostazioni imp = impostazioni(s.porta(), m_cartella);
    imp.criptato = true;
    imp.criptaggioTipo = 1; // the old choices other than the last: STARTTLS required
    imp.autenticazione = true;
    imp.utente = QStringLiteral("mario");
    imp.password = QStringLiteral("segreto");
    const QStringList allegati{m_cartella + "/preventivo.pdf", m_cartella + "/fattura.xml",
                               m_cartella + "/IT01234567890_00001.xml.p7m", "", m_cartella + "/foto.jpg"};
    const posta::Esito e = posta::invia(imp, {"rossi@cliente.example", "", "bianchi@cliente.example"},
                                        {"contabilita@cliente.example"}, QStringLiteral("Fattura numero 12 del : 01/02/2026 è pronta"),
                                        QStringLiteral("Gentile cliente,\nin allegato la fattura.\nCordialità"), allegati);
    QVERIFY2(e.inviato, qPrintable(e.messaggio));
    const QList<QJsonObject> r = s.ricevuti();
    QCOMPARE(r.size(), 1);
    const QJsonObject m = r.first();
    QCOMPARE(m["mail_from"].toString(), QStringLiteral("ufficio@soccorso.example"));
    QCOMPARE(valori(m["rcpt_tos"].toArray()),
             QStringList({"rossi@cliente.example", "bianchi@cliente.example", "contabilita@cliente.example"}));
    QVERIFY(m["tls"].toBool());
    QCOMPARE(m["utente"].toString(), QStringLiteral("mario"));
    QVERIFY(m["to"].toString().contains("rossi@cliente.example"));
    QVERIFY(m["to"].toString().contains("bianchi@cliente.example"));
    QVERIFY(m["cc"].toString().contains("contabilita@cliente.example"));
    QCOMPARE(m["subject"].toString(), QStringLiteral("Fattura numero 12 del : 01/02/2026 è pronta"));
    QCOMPARE(m["testo"].toString().trimmed(), QStringLiteral("Gentile cliente,\nin allegato la fattura.\nCordialità"));
    // line breaks of the text travel as line breaks, not as encoded carriage returns
    QVERIFY(!m["grezzo"].toString().contains(QStringLiteral("=0D")));
    const QJsonArray parti = m["allegati"].toArray();
    QCOMPARE(parti.size(), 4);
    const QList<std::tuple<QString, QString, QByteArray>> attesi{
        {"preventivo.pdf", "application/pdf", "%PDF-1.4 prova"},
        {"fattura.xml", "application/xml", "<?xml version=\"1.0\"?><a/>"},
        {"IT01234567890_00001.xml.p7m", "application/pkcs7-mime", QByteArray("\x30\x82\x01\x00", 4)},
        {"foto.jpg", "application/octet-stream", QByteArray("\xff\xd8\xff\x00\x01", 5)}};
    for (int i = 0; i < 4; ++i) {
        const QJsonObject p = parti[i].toObject();
        QCOMPARE(p["nome"].toString(), std::get<0>(attesi[i]));
        QCOMPARE(p["tipo"].toString(), std::get<1>(attesi[i]));
        QCOMPARE(QByteArray::fromBase64(p["contenuto"].toString().toLatin1()), std::get<2>(attesi[i]));
    }
}

void TestServiziPosta::tlsImplicito()
{
    Server s(QStringLiteral("tls"), m_cartella, QStringLiteral("mario:segreto"));
    QVERIFY(s.porta() > 0);
    posta::Impostazioni imp = impostazioni(s.porta(), m_cartella);
    imp.criptato = true;
    imp.criptaggioTipo = 3;
    imp.autenticazione = true;
    imp.utente = QStringLiteral("mario");
    imp.password = QStringLiteral("segreto");
    const posta::Esito e = posta::invia(imp, {"rossi@cliente.example"}, {}, QStringLiteral("Oggetto"), QStringLiteral("Testo"), {});
    QVERIFY2(e.inviato, qPrintable(e.messaggio));
    const QList<QJsonObject> r = s.ricevuti();
    QCOMPARE(r.size(), 1);
    QVERIFY(r.first()["tls"].toBool());
    QCOMPARE(r.first()["utente"].toString(), QStringLiteral("mario"));
}

void TestServiziPosta::senzaCrittografia_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<bool>("tls");
    QTest::newRow("server without TLS: plain") << "chiaro" << false;
    QTest::newRow("server offering STARTTLS: used") << "starttls" << true;
}

void TestServiziPosta::senzaCrittografia()
{
    QFETCH(QString, modo);
    QFETCH(bool, tls);
    Server s(modo, m_cartella);
    QVERIFY(s.porta() > 0);
    const posta::Esito e = posta::invia(impostazioni(s.porta(), m_cartella), {"rossi@cliente.example"}, {}, "Oggetto", "Testo", {});
    QVERIFY2(e.inviato, qPrintable(e.messaggio));
    const QList<QJsonObject> r = s.ricevuti();
    QCOMPARE(r.size(), 1);
    QCOMPARE(r.first()["tls"].toBool(), tls);
}

void TestServiziPosta::rifiutati_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<bool>("criptato");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("utente"); // "name:password" typed in the options; empty: no login
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("fidato");    // the test's certificate is trusted
    QTest::addColumn<QString>("atteso");
    QTest::newRow("credentials, server without TLS")
        << "chiaro" << false << 0 << "mario:segreto" << "localhost" << true << "nome utente e password non vengono inviati";
    QTest::newRow("encryption required, server without STARTTLS")
        << "chiaro" << true << 0 << "" << "localhost" << true << "non offre una connessione cifrata";
    QTest::newRow("STARTTLS, certificate not trusted")
        << "starttls" << true << 2 << "" << "localhost" << false << "certificato del server";
    QTest::newRow("implicit TLS, certificate not trusted")
        << "tls" << true << 3 << "" << "localhost" << false << "Invio non riuscito";
    QTest::newRow("opportunistic STARTTLS, certificate not trusted")
        << "starttls" << false << 0 << "" << "localhost" << false << "certificato del server";
    QTest::newRow("certificate for another name")
        << "starttls" << true << 0 << "" << "127.0.0.1" << true << "certificato del server";
    QTest::newRow("wrong password")
        << "starttls" << true << 0 << "mario:sbagliata" << "localhost" << true << "Risposta del server: 535";
}

void TestServiziPosta::rifiutati()
{
    QFETCH(QString, modo);
    QFETCH(bool, criptato);
    QFETCH(int, tipo);
    QFETCH(QString, utente);
    QFETCH(QString, host);
    QFETCH(bool, fidato);
    QFETCH(QString, atteso);
    Server s(modo, m_cartella, QStringLiteral("mario:segreto"));
    QVERIFY(s.porta() > 0);
    posta::Impostazioni imp = impostazioni(s.porta(), m_cartella);
    imp.host = host;
    imp.criptato = criptato;
    imp.criptaggioTipo = tipo;
    if (!utente.isEmpty()) {
        imp.autenticazione = true;
        imp.utente = utente.section(':', 0, 0);
        imp.password = utente.section(':', 1);
    }
    if (!fidato) imp.fileCertificati.clear(); // the system's store does not know the test's certificate
    const posta::Esito e = posta::invia(imp, {"rossi@cliente.example"}, {}, "Oggetto", "Testo", {});
    QVERIFY(!e.inviato);
    QVERIFY2(e.messaggio.startsWith(QStringLiteral("Invio non riuscito: ")), qPrintable(e.messaggio));
    QVERIFY2(e.messaggio.contains(atteso), qPrintable(e.messaggio));
    QCOMPARE(s.ricevuti().size(), 0);
}

void TestServiziPosta::impostazioniMancanti_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("porta");
    QTest::addColumn<QString>("mittente");
    QTest::addColumn<QStringList>("destinatari");
    QTest::addColumn<QString>("atteso");
    const QString manca = QStringLiteral("Per inviare email è necessario impostare l' Host SMTP tra le opzioni del programma !");
    const QStringList a{"c@d.example"};
    // Port 1: nothing may be tried, no server listens there.
    QTest::newRow("no host") << "" << 1 << "a@b.example" << a << manca;
    QTest::newRow("blank host") << "  " << 1 << "a@b.example" << a << manca;
    QTest::newRow("no sender") << "localhost" << 1 << "" << a
                               << "Per inviare email è necessario impostare il mittente delle email tra le opzioni del programma !";
    QTest::newRow("no recipient: nothing, no message") << "" << 1 << "" << QStringList{"", " "} << QString();
    QTest::newRow("missing attachment") << "localhost" << 1 << "a@b.example" << a
                                        << "Invio non riuscito: l'allegato /nessuna/cartella/x.pdf non esiste.";
    const QString nomeSolo = QStringLiteral("L'Host SMTP \"%1\" indicato nelle opzioni non è valido: scrivere solo il nome del "
                                            "server (la porta va nella sua casella).");
    QTest::newRow("host with its port") << "localhost:587" << 25 << "a@b.example" << a << nomeSolo.arg("localhost:587");
    QTest::newRow("host as an address") << "smtp://localhost" << 25 << "a@b.example" << a << nomeSolo.arg("smtp://localhost");
    QTest::newRow("host with a blank") << "smtp posta.example" << 25 << "a@b.example" << a << nomeSolo.arg("smtp posta.example");
    QTest::newRow("port above 65535") << "localhost" << 70000 << "a@b.example" << a
                                      << "La porta SMTP 70000 indicata nelle opzioni non è valida: deve essere un numero da 1 a 65535.";
    QTest::newRow("negative port") << "localhost" << -25 << "a@b.example" << a
                                   << "La porta SMTP -25 indicata nelle opzioni non è valida: deve essere un numero da 1 a 65535.";
}

void TestServiziPosta::impostazioniMancanti()
{
    QFETCH(QString, host);
    QFETCH(int, porta);
    QFETCH(QString, mittente);
    QFETCH(QStringList, destinatari);
    QFETCH(QString, atteso);
    posta::Impostazioni imp;
    imp.host = host;
    imp.mittente = mittente;
    imp.porta = porta;
    const posta::Esito e = posta::invia(imp, destinatari, {}, "Oggetto", "Testo", {"/nessuna/cartella/x.pdf"});
    QVERIFY(!e.inviato);
    QCOMPARE(e.messaggio, atteso);
}

void TestServiziPosta::impostazioniDalleOpzioni()
{
    CartellaConfigurazione config;
    TestDatabase db(TestDatabase::WithSchema);
    db.conn().execute(QStringLiteral("delete * from opzioni"));
    QCOMPARE(posta::leggiImpostazioni(db.conn()).host, QString());
    // An archive of an older version, with the password in it.
    db.conn().execute(QStringLiteral(
        "insert into opzioni (SmtpHost, SmtpPorta, SmtpMittenteEmail, SmtpCriptato, SmtpCriptaggioTipo, SmtpAutenticazioneServer, "
        "SmtpUserName, SmtpPassword, EmailTestoDefault) values (' smtp.example ', 587, 'u@x.example', True, 3, True, 'mario', "
        "'pa''ss:\\x', 'Cordiali saluti')"));
    const posta::Impostazioni i = posta::leggiImpostazioni(db.conn());
    QCOMPARE(i.host, QStringLiteral("smtp.example"));
    QCOMPARE(i.porta, 587);
    QCOMPARE(i.mittente, QStringLiteral("u@x.example"));
    QVERIFY(i.criptato);
    QCOMPARE(i.criptaggioTipo, 3);
    QVERIFY(i.autenticazione);
    QCOMPARE(i.utente, QStringLiteral("mario"));
    QCOMPARE(i.password, QStringLiteral("pa'ss:\\x"));
    QVERIFY(i.fileCertificati.isEmpty());
    QCOMPARE(posta::testoPredefinito(db.conn()), QStringLiteral("Cordiali saluti"));
    // Moved once: out of the archive, into the user's own file, readable by the user alone.
    QCOMPARE(db.scalar("select SmtpPassword from opzioni").toString(), QString());
    const QString file = config.percorso() + "/Pellavantoria/smtp-password";
    QCOMPARE(posta::filePassword(), file);
    QCOMPARE(QFileInfo(file).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ReadOwner | QFile::WriteOwner),
             QFile::Permissions());
    QVERIFY(QFileInfo(file).permissions() & QFile::ReadOwner);
    QCOMPARE(posta::leggiImpostazioni(db.conn()).password, QStringLiteral("pa'ss:\\x"));
    // A copy of the archive elsewhere (another user's file) carries no password.
    {
        CartellaConfigurazione altroUtente;
        QCOMPARE(posta::leggiImpostazioni(db.conn()).password, QString());
    }
}

void TestServiziPosta::passwordDelFile()
{
    CartellaConfigurazione config;
    // One line per server and user; changing one leaves the others; an empty one removes it.
    posta::salvaPasswordSmtp("smtp.a.example", 587, "mario", "uno");
    posta::salvaPasswordSmtp("smtp.b.example", 25, "mario", "due");
    posta::salvaPasswordSmtp("smtp.a.example", 587, "mario", "tre");
    QCOMPARE(posta::passwordSmtp("smtp.a.example", 587, "mario"), QString("tre"));
    QCOMPARE(posta::passwordSmtp("smtp.b.example", 25, "mario"), QString("due"));
    QCOMPARE(posta::passwordSmtp("smtp.a.example", 465, "mario"), QString());
    QCOMPARE(posta::passwordSmtp("smtp.a.example", 587, "luigi"), QString());
    posta::salvaPasswordSmtp("smtp.b.example", 25, "mario", "");
    QCOMPARE(posta::passwordSmtp("smtp.b.example", 25, "mario"), QString());
    // A file another program made readable by others is made private again when written.
    QFile f(posta::filePassword());
    QVERIFY(f.setPermissions(f.permissions() | QFile::ReadOther | QFile::ReadGroup));
    posta::salvaPasswordSmtp("smtp.a.example", 587, "mario", "quattro");
    QCOMPARE(QFileInfo(posta::filePassword()).permissions() & (QFile::ReadOther | QFile::ReadGroup | QFile::WriteOther),
             QFile::Permissions());

    // The mail goes out with the password of the file, for the server and user of the options.
    Server s(QStringLiteral("starttls"), m_cartella, QStringLiteral("mario:dal file"));
    QVERIFY(s.porta() > 0);
    TestDatabase db(TestDatabase::WithSchema);
    db.conn().execute(QStringLiteral("delete * from opzioni"));
    db.conn().execute(QStringLiteral("insert into opzioni (SmtpHost, SmtpPorta, SmtpMittenteEmail, SmtpCriptato, "
                                     "SmtpCriptaggioTipo, SmtpAutenticazioneServer, SmtpUserName) values ('localhost', %1, "
                                     "'ufficio@soccorso.example', True, 0, True, 'mario')")
                          .arg(s.porta()));
    posta::salvaPasswordSmtp("localhost", s.porta(), "mario", "dal file");
    posta::Impostazioni imp = posta::leggiImpostazioni(db.conn());
    imp.fileCertificati = m_cartella + "/cert.pem";
    const posta::Esito e = posta::invia(imp, {"rossi@cliente.example"}, {}, "Prova", "Testo", {});
    QVERIFY2(e.inviato, qPrintable(e.messaggio));
    QCOMPARE(s.ricevuti().size(), 1);
    QCOMPARE(s.ricevuti().first()["utente"].toString(), QStringLiteral("mario"));
}

void TestServiziPosta::tipiContenuto_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("tipo");
    QTest::newRow("pdf") << "/a/Fattura_1_2026.PDF" << "application/pdf";
    QTest::newRow("xml") << "/a/IT0_1.xml" << "application/xml";
    QTest::newRow("signed") << "/a/IT0_1.xml.p7m" << "application/pkcs7-mime";
    QTest::newRow("other") << "/a/foto.jpg" << "application/octet-stream";
    QTest::newRow("no extension") << "/a/LEGGIMI" << "application/octet-stream";
}

void TestServiziPosta::tipiContenuto()
{
    QFETCH(QString, file);
    QFETCH(QString, tipo);
    QCOMPARE(posta::tipoContenuto(file), tipo);
}

void TestServiziPostaTlsVecchio::initTestCase()
{
    m_cartella = cartellaProve().path();
    creaCertificato(m_cartella);
    // The TLS library of this process (and of the server it starts) would accept TLS 1.0 and 1.1:
    // only the program's own minimum can refuse them.
    QFile conf(m_cartella + "/openssl.cnf");
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write("openssl_conf = init\n[init]\nssl_conf = ssl_sect\n[ssl_sect]\nsystem_default = sys\n"
               "[sys]\nMinProtocol = TLSv1\nCipherString = DEFAULT:@SECLEVEL=0\n");
    conf.close();
    qputenv("OPENSSL_CONF", conf.fileName().toLocal8Bit());
}

void TestServiziPostaTlsVecchio::tls11Rifiutato()
{
    Server s(QStringLiteral("tls11"), m_cartella);
    QVERIFY(s.porta() > 0);
    posta::Impostazioni imp = impostazioni(s.porta(), m_cartella);
    imp.criptato = true;
    imp.criptaggioTipo = 3;
    const posta::Esito e = posta::invia(imp, {"rossi@cliente.example"}, {}, "Oggetto", "Testo", {});
    QVERIFY(!e.inviato);
    QVERIFY2(e.messaggio.contains("TLS 1.2 o successivo"), qPrintable(e.messaggio));
    QCOMPARE(s.ricevuti().size(), 0);
}
