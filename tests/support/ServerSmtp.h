#pragma once
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtDebug>

namespace testing_support {

// The local SMTP server of smtp_prova.py (Debian's python3-aiosmtpd) for the e-mail tests; it
// stops when it goes out of scope. `cartella` holds cert.pem and chiave.pem for the TLS modes.
class ServerSmtp {
public:
    ServerSmtp(const QString &modo, const QString &cartella, const QString &utente = {})
    {
        m_ricevuti = m_dir.path();
        QStringList args{QStringLiteral(PELLA_SMTP_PROVA), "--modo", modo, "--cartella", m_ricevuti};
        if (modo != QLatin1String("chiaro"))
            args << "--cert" << cartella + "/cert.pem" << "--chiave" << cartella + "/chiave.pem";
        if (!utente.isEmpty()) args << "--utente" << utente;
        m_p.start(QStringLiteral("/usr/bin/python3"), args);
        m_p.waitForStarted();
        while (m_p.state() == QProcess::Running && !m_p.canReadLine()) m_p.waitForReadyRead(10000);
        const QByteArray riga = m_p.readLine().trimmed();
        if (riga.startsWith("PRONTO ")) m_porta = riga.mid(7).toInt();
        else qWarning() << "server SMTP di prova:" << riga << m_p.readAllStandardError();
    }
    ~ServerSmtp()
    {
        m_p.closeWriteChannel();
        if (!m_p.waitForFinished(5000)) m_p.kill();
        m_p.waitForFinished(2000);
    }
    int porta() const { return m_porta; }
    QList<QJsonObject> ricevuti() const
    {
        QList<QJsonObject> r;
        const QDir d(m_ricevuti);
        for (const QString &f : d.entryList({"*.json"}, QDir::Files, QDir::Name)) {
            QFile file(d.filePath(f));
            file.open(QIODevice::ReadOnly);
            r << QJsonDocument::fromJson(file.readAll()).object();
        }
        return r;
    }

private:
    QTemporaryDir m_dir;
    QString m_ricevuti;
    QProcess m_p;
    int m_porta = 0;
};

} // namespace testing_support
