#pragma once
// Sending e-mail over SMTP, without widgets. The settings come from the options row; every call
// re-reads nothing: the caller passes what `leggiImpostazioni` gave. An encrypted connection is
// TLS 1.2 or newer with the server's certificate and host name verified; credentials never travel
// over a connection without TLS.
#include <QString>
#include <QStringList>

namespace db {
class Connection;
}

namespace posta {

struct Impostazioni {
    QString host;              // opzioni.SmtpHost
    int porta = 0;             // opzioni.SmtpPorta; 0 means 25
    QString mittente;          // opzioni.SmtpMittenteEmail
    bool criptato = false;     // opzioni.SmtpCriptato
    int criptaggioTipo = 0;    // 0-2: STARTTLS required; 3: TLS from the first byte
    bool autenticazione = false;
    QString utente;
    QString password;
    // Certificates trusted instead of the system's store; empty: the system's store. Only the
    // tests set it, to trust a throw-away certificate.
    QString fileCertificati;
};

// The SMTP settings of the options row (defaults when there is none), the password from the
// user's password file (see passwordSmtp); a password still kept in the archive is moved there
// first (spostaPasswordDallArchivio).
Impostazioni leggiImpostazioni(db::Connection &c);

// The SMTP password is not kept in the archive, where anyone with the file or the server could
// read it, but in a file of the user's own, as PostgreSQL keeps ~/.pgpass: <config>/Pellavantoria/
// smtp-password (<config> is $XDG_CONFIG_HOME, else ~/.config), written readable and writable by
// the user alone (mode 0600, its folder 0700), one line per server and user:
// host:port:username:password, with ':' and '\' escaped by a backslash. A copy of the archive
// carries no password.
QString filePassword();
// The password for this server and user; empty when the file has none.
QString passwordSmtp(const QString &host, int porta, const QString &utente);
// Stores the password for this server and user (an empty one removes the line). Throws
// std::runtime_error when the file cannot be written.
void salvaPasswordSmtp(const QString &host, int porta, const QString &utente, const QString &password);
// A password an older version kept in opzioni.SmtpPassword: written to the user's file (unless
// it already holds one for that server and user) and cleared from the archive, once. True when
// there was one.
bool spostaPasswordDallArchivio(db::Connection &c);
// opzioni.EmailTestoDefault.
QString testoPredefinito(db::Connection &c);

struct Esito {
    bool inviato = false; // true only when the server accepted the message
    QString messaggio;    // why not, in Italian, with the server's reply when there was one
};

// The texts of the two settings the program cannot send without.
extern const char *const MancaHost;
extern const char *const MancaMittente;

// Builds and sends one message: one address per non-empty line of `destinatari` and `cc`, the
// subject, the plain text, one part per attachment with the content type of its file.
// With no recipient nothing is sent and the message is empty.
Esito invia(const Impostazioni &imp, const QStringList &destinatari, const QStringList &cc, const QString &oggetto,
            const QString &testo, const QStringList &allegati);

// The content type an attachment is declared with: by the file's extension.
QString tipoContenuto(const QString &file);

} // namespace posta
