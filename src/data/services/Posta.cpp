#include "Posta.h"

#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace posta {

const char *const MancaHost = "Per inviare email è necessario impostare l' Host SMTP tra le opzioni del programma !";
const char *const MancaMittente =
    "Per inviare email è necessario impostare il mittente delle email tra le opzioni del programma !";

namespace {

// One field of a line of the password file: ':' and '\\' escaped.
QString campoFile(const QString &testo)
{
    QString r;
    for (QChar ch : testo) {
        if (ch == u':' || ch == u'\\') r += u'\\';
        r += ch;
    }
    return r;
}

// The fields of a line, escapes removed.
QStringList campiRiga(const QString &riga)
{
    QStringList campi{QString()};
    for (qsizetype i = 0; i < riga.size(); ++i) {
        if (riga[i] == u'\\' && i + 1 < riga.size()) campi.last() += riga[++i];
        else if (riga[i] == u':') campi << QString();
        else campi.last() += riga[i];
    }
    return campi;
}

QString chiave(const QString &host, int porta, const QString &utente)
{
    return campoFile(host.trimmed()) + u':' + QString::number(porta) + u':' + campoFile(utente) + u':';
}

QStringList righeFile()
{
    QFile f(filePassword());
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

[[noreturn]] void erroreFile(const QString &percorso, int err)
{
    throw std::runtime_error(QStringLiteral("Impossibile scrivere il file delle password %1: %2")
                                 .arg(percorso, QString::fromLocal8Bit(strerror(err)))
                                 .toStdString());
}

// Writes the file whole: a new file made with mode 0600 in a folder of mode 0700, then renamed
// over the old one, so that no moment exists where another user could read it.
void scriviFile(const QStringList &righe)
{
    const QString percorso = filePassword();
    const QString cartella = QFileInfo(percorso).absolutePath();
    if (!QDir().mkpath(cartella)) erroreFile(cartella, errno);
    ::chmod(QFile::encodeName(cartella).constData(), 0700);
    const QByteArray temporaneo = QFile::encodeName(percorso + QStringLiteral(".nuovo"));
    const int fd = ::open(temporaneo.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) erroreFile(percorso, errno);
    ::fchmod(fd, 0600); // a file left by an earlier failure keeps its mode otherwise
    QByteArray dati;
    for (const QString &r : righe) dati += r.toUtf8() + '\n';
    qsizetype scritti = 0;
    while (scritti < dati.size()) {
        const ssize_t n = ::write(fd, dati.constData() + scritti, size_t(dati.size() - scritti));
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            ::unlink(temporaneo.constData());
            erroreFile(percorso, err);
        }
        scritti += n;
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(temporaneo.constData(), QFile::encodeName(percorso).constData()) != 0) {
        const int err = errno;
        ::unlink(temporaneo.constData());
        erroreFile(percorso, err);
    }
}

} // namespace

QString filePassword()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Pellavantoria/smtp-password");
}

QString passwordSmtp(const QString &host, int porta, const QString &utente)
{
    const QString k = chiave(host, porta, utente);
    for (const QString &riga : righeFile())
        if (riga.startsWith(k)) return campiRiga(riga).value(3);
    return QString();
}

void salvaPasswordSmtp(const QString &host, int porta, const QString &utente, const QString &password)
{
    const QString k = chiave(host, porta, utente);
    QStringList righe;
    for (const QString &riga : righeFile())
        if (!riga.startsWith(k)) righe << riga;
    if (!password.isEmpty()) righe << k + campoFile(password);
    scriviFile(righe);
}

bool spostaPasswordDallArchivio(db::Connection &c)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select top 1 SmtpHost, SmtpPorta, SmtpUserName, SmtpPassword from opzioni "
                            "where SmtpPassword is not null and SmtpPassword <> ''"));
    q.open();
    if (q.isEmpty()) return false;
    const QString host = q.fieldByName(QStringLiteral("SmtpHost")).asString();
    const int porta = q.fieldByName(QStringLiteral("SmtpPorta")).asInteger();
    const QString utente = q.fieldByName(QStringLiteral("SmtpUserName")).asString();
    // The file first: a failure to write it leaves the password where it was.
    if (passwordSmtp(host, porta, utente).isEmpty())
        salvaPasswordSmtp(host, porta, utente, q.fieldByName(QStringLiteral("SmtpPassword")).asString());
    db::inTransaction(c, [&] { c.execute(QStringLiteral("update opzioni set SmtpPassword = null")); });
    return true;
}

Impostazioni leggiImpostazioni(db::Connection &c)
{
    // A password the file cannot take yet stays in the archive and is still used.
    QString nellArchivio;
    try {
        spostaPasswordDallArchivio(c);
    } catch (const std::exception &) {
        nellArchivio = c.scalar(QStringLiteral("select top 1 SmtpPassword from opzioni")).toString();
    }
    db::Query q(&c);
    q.setSql(QStringLiteral("select top 1 SmtpHost, SmtpPorta, SmtpMittenteEmail, SmtpCriptato, SmtpCriptaggioTipo, "
                            "SmtpAutenticazioneServer, SmtpUserName from opzioni"));
    q.open();
    Impostazioni i;
    if (q.isEmpty()) return i;
    i.host = q.fieldByName(QStringLiteral("SmtpHost")).asString().trimmed();
    i.porta = q.fieldByName(QStringLiteral("SmtpPorta")).asInteger();
    i.mittente = q.fieldByName(QStringLiteral("SmtpMittenteEmail")).asString().trimmed();
    i.criptato = q.fieldByName(QStringLiteral("SmtpCriptato")).asBoolean();
    i.criptaggioTipo = q.fieldByName(QStringLiteral("SmtpCriptaggioTipo")).asInteger();
    i.autenticazione = q.fieldByName(QStringLiteral("SmtpAutenticazioneServer")).asBoolean();
    i.utente = q.fieldByName(QStringLiteral("SmtpUserName")).asString();
    i.password = nellArchivio.isEmpty() ? passwordSmtp(i.host, i.porta, i.utente) : nellArchivio;
    return i;
}

QString testoPredefinito(db::Connection &c)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select top 1 EmailTestoDefault from opzioni"));
    q.open();
    return q.isEmpty() ? QString() : q.fieldByName(QStringLiteral("EmailTestoDefault")).asString();
}

QString tipoContenuto(const QString &file)
{
    const QString ext = QFileInfo(file).suffix().toLower();
    if (ext == QLatin1String("pdf")) return QStringLiteral("application/pdf");
    if (ext == QLatin1String("xml")) return QStringLiteral("application/xml");
    if (ext == QLatin1String("p7m")) return QStringLiteral("application/pkcs7-mime");
    return QStringLiteral("application/octet-stream");
}

namespace {

// A header value on one line: a line break in a subject or address would start a header of its own.
QString unaRiga(const QString &s)
{
    QString r = s;
    r.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return r.trimmed();
}

QByteArray intestazione(const QString &testo)
{
    const QString t = unaRiga(testo);
    bool ascii = true;
    for (QChar ch : t)
        if (ch.unicode() < 0x20 || ch.unicode() > 0x7e) ascii = false;
    if (ascii) return t.toLatin1();
    return "=?UTF-8?B?" + t.toUtf8().toBase64() + "?=";
}

QStringList indirizzi(const QStringList &righe)
{
    QStringList r;
    for (const QString &l : righe) {
        const QString a = unaRiga(l);
        if (!a.isEmpty()) r << a;
    }
    return r;
}

struct Curl {
    CURL *h = nullptr;
    curl_slist *destinatari = nullptr;
    curl_slist *intestazioni = nullptr;
    curl_mime *mime = nullptr;
    ~Curl()
    {
        if (mime) curl_mime_free(mime);
        curl_slist_free_all(destinatari);
        curl_slist_free_all(intestazioni);
        if (h) curl_easy_cleanup(h);
    }
};

// The server's replies, kept for the message shown when the send fails: its first refusal
// (a 4xx or 5xx reply), else its last reply.
struct Risposte {
    QString ultima;
    QString rifiuto;
};

int ascolta(CURL *, curl_infotype tipo, char *dati, size_t n, void *utente)
{
    if (tipo == CURLINFO_HEADER_IN) {
        auto *r = static_cast<Risposte *>(utente);
        const QString riga = QString::fromUtf8(dati, qsizetype(n)).trimmed();
        if (riga.isEmpty()) return 0;
        r->ultima = riga;
        if (r->rifiuto.isEmpty() && (riga.startsWith(QLatin1Char('4')) || riga.startsWith(QLatin1Char('5')))) r->rifiuto = riga;
    }
    return 0;
}

QString causa(CURLcode rc, const Impostazioni &imp, bool rifiutato)
{
    switch (rc) {
    case CURLE_USE_SSL_FAILED:
        if (!imp.criptato && imp.autenticazione)
            return QStringLiteral("Il server non offre una connessione cifrata (STARTTLS): nome utente e password non "
                                  "vengono inviati su una connessione non protetta.");
        return QStringLiteral("Il server non offre una connessione cifrata (STARTTLS).");
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
        return QStringLiteral("Il certificato del server non è attendibile o non corrisponde al nome del server.");
    case CURLE_SSL_CONNECT_ERROR:
        return QStringLiteral("Connessione cifrata non riuscita (il server deve usare TLS 1.2 o successivo con un "
                              "certificato attendibile).");
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("Il server ha rifiutato nome utente o password.");
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("Server SMTP non trovato: %1.").arg(imp.host);
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("Impossibile collegarsi al server SMTP %1.").arg(imp.host);
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        if (rifiutato) return QStringLiteral("Il server non ha accettato il messaggio.");
        return QStringLiteral("La connessione con il server SMTP si è interrotta.");
    case CURLE_READ_ERROR:
        return QStringLiteral("Impossibile leggere un allegato.");
    default:
        return QStringLiteral("Il server non ha accettato il messaggio.");
    }
}

} // namespace

Esito invia(const Impostazioni &imp, const QStringList &destinatariRighe, const QStringList &ccRighe, const QString &oggetto,
            const QString &testo, const QStringList &allegatiRighe)
{
    Esito e;
    const QStringList a = indirizzi(destinatariRighe);
    const QStringList cc = indirizzi(ccRighe);
    if (a.isEmpty()) return e;
    if (imp.host.trimmed().isEmpty()) {
        e.messaggio = QString::fromUtf8(MancaHost);
        return e;
    }
    if (imp.mittente.trimmed().isEmpty()) {
        e.messaggio = QString::fromUtf8(MancaMittente);
        return e;
    }
    // A setting that cannot name a server is said as such, not as a refusal of a server never reached.
    const QString host = imp.host.trimmed();
    if (host.contains(QRegularExpression(QStringLiteral("[\\s:/@]")))) {
        e.messaggio = QStringLiteral("L'Host SMTP \"%1\" indicato nelle opzioni non è valido: scrivere solo il nome del "
                                     "server (la porta va nella sua casella).")
                          .arg(host);
        return e;
    }
    if (imp.porta < 0 || imp.porta > 65535) {
        e.messaggio = QStringLiteral("La porta SMTP %1 indicata nelle opzioni non è valida: deve essere un numero da 1 a 65535.")
                          .arg(imp.porta);
        return e;
    }
    QStringList allegati;
    for (const QString &l : allegatiRighe) {
        if (l.trimmed().isEmpty()) continue;
        if (!QFileInfo(l).isFile()) {
            e.messaggio = QStringLiteral("Invio non riuscito: l'allegato %1 non esiste.").arg(l);
            return e;
        }
        allegati << l;
    }

    static std::once_flag una;
    std::call_once(una, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    Curl c;
    c.h = curl_easy_init();
    if (!c.h) {
        e.messaggio = QStringLiteral("Invio non riuscito: impossibile preparare la connessione.");
        return e;
    }
    const bool implicito = imp.criptato && imp.criptaggioTipo == 3;
    const int porta = imp.porta > 0 ? imp.porta : 25;
    const QByteArray url = QStringLiteral("%1://%2:%3").arg(implicito ? "smtps" : "smtp", imp.host.trimmed()).arg(porta).toUtf8();
    curl_easy_setopt(c.h, CURLOPT_URL, url.constData());
    // Encrypted: TLS is required (STARTTLS or from the first byte). Otherwise STARTTLS when the
    // server offers it, except that credentials go only over TLS: then it is required too.
    curl_easy_setopt(c.h, CURLOPT_USE_SSL, long(imp.criptato || imp.autenticazione ? CURLUSESSL_ALL : CURLUSESSL_TRY));
    curl_easy_setopt(c.h, CURLOPT_SSLVERSION, long(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(c.h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c.h, CURLOPT_SSL_VERIFYHOST, 2L);
    const QByteArray ca = imp.fileCertificati.toLocal8Bit();
    if (!ca.isEmpty()) curl_easy_setopt(c.h, CURLOPT_CAINFO, ca.constData());
    curl_easy_setopt(c.h, CURLOPT_CONNECTTIMEOUT, 20L);
    curl_easy_setopt(c.h, CURLOPT_TIMEOUT, 300L);
    curl_easy_setopt(c.h, CURLOPT_NOSIGNAL, 1L);

    const QByteArray utente = imp.utente.toUtf8(), password = imp.password.toUtf8();
    if (imp.autenticazione) {
        curl_easy_setopt(c.h, CURLOPT_USERNAME, utente.constData());
        curl_easy_setopt(c.h, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(c.h, CURLOPT_LOGIN_OPTIONS, "AUTH=LOGIN");
    }

    const QByteArray mittente = unaRiga(imp.mittente).toUtf8();
    curl_easy_setopt(c.h, CURLOPT_MAIL_FROM, QByteArray("<" + mittente + ">").constData());
    for (const QString &x : a + cc) c.destinatari = curl_slist_append(c.destinatari, QByteArray("<" + x.toUtf8() + ">").constData());
    curl_easy_setopt(c.h, CURLOPT_MAIL_RCPT, c.destinatari);

    auto aggiungi = [&](const QByteArray &h) { c.intestazioni = curl_slist_append(c.intestazioni, h.constData()); };
    aggiungi("Date: " + QDateTime::currentDateTime().toString(Qt::RFC2822Date).toLatin1());
    aggiungi("From: <" + mittente + ">");
    aggiungi("To: " + a.join(QStringLiteral(", ")).toUtf8());
    if (!cc.isEmpty()) aggiungi("Cc: " + cc.join(QStringLiteral(", ")).toUtf8());
    aggiungi("Subject: " + intestazione(oggetto));
    const QString dominio = mittente.contains('@') ? QString::fromUtf8(mittente.mid(mittente.indexOf('@') + 1)) : imp.host;
    aggiungi("Message-ID: <" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + "@" + dominio.toUtf8() + ">");
    curl_easy_setopt(c.h, CURLOPT_HTTPHEADER, c.intestazioni);

    c.mime = curl_mime_init(c.h);
    curl_mimepart *corpo = curl_mime_addpart(c.mime);
    QString righe = testo;
    righe.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    righe.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QByteArray testoUtf8 = righe.toUtf8();
    curl_mime_data(corpo, testoUtf8.constData(), size_t(testoUtf8.size()));
    curl_mime_type(corpo, "text/plain; charset=UTF-8");
    curl_mime_encoder(corpo, "quoted-printable");
    for (const QString &f : allegati) {
        curl_mimepart *p = curl_mime_addpart(c.mime);
        curl_mime_filedata(p, QFile::encodeName(f).constData());
        curl_mime_filename(p, QFileInfo(f).fileName().toUtf8().constData());
        curl_mime_type(p, tipoContenuto(f).toLatin1().constData());
        curl_mime_encoder(p, "base64");
    }
    curl_easy_setopt(c.h, CURLOPT_MIMEPOST, c.mime);

    Risposte risposte;
    char errore[CURL_ERROR_SIZE] = {0};
    curl_easy_setopt(c.h, CURLOPT_ERRORBUFFER, errore);
    curl_easy_setopt(c.h, CURLOPT_DEBUGFUNCTION, ascolta);
    curl_easy_setopt(c.h, CURLOPT_DEBUGDATA, &risposte);
    curl_easy_setopt(c.h, CURLOPT_VERBOSE, 1L);

    const CURLcode rc = curl_easy_perform(c.h);
    if (rc == CURLE_OK) {
        e.inviato = true;
        return e;
    }
    e.messaggio = QStringLiteral("Invio non riuscito: ") + causa(rc, imp, !risposte.rifiuto.isEmpty());
    const QString dettaglio = QString::fromUtf8(errore).trimmed();
    if (!dettaglio.isEmpty()) e.messaggio += QStringLiteral("\nDettaglio: ") + dettaglio;
    const QString risposta = risposte.rifiuto.isEmpty() ? risposte.ultima : risposte.rifiuto;
    if (!risposta.isEmpty()) e.messaggio += QStringLiteral("\nRisposta del server: ") + risposta;
    return e;
}

} // namespace posta
