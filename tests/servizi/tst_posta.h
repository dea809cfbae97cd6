#pragma once
#include <QObject>

// SMTP sending against a local server started by the test (plain, STARTTLS, TLS from the first
// byte) with a throw-away certificate.
class TestServiziPosta : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void messaggioCompletoConStarttlsEAutenticazione();
    void tlsImplicito();
    void senzaCrittografia_data();
    void senzaCrittografia();
    void rifiutati_data();
    void rifiutati();
    void impostazioniMancanti_data();
    void impostazioniMancanti();
    void impostazioniDalleOpzioni();
    void passwordDelFile();
    void tipiContenuto_data();
    void tipiContenuto();

private:
    QString m_cartella; // certificates and fixtures
};

// A server that offers only TLS 1.1 is refused, even where the machine's TLS library would
// still accept it (its own process: the library's configuration is read once).
class TestServiziPostaTlsVecchio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void tls11Rifiutato();

private:
    QString m_cartella;
};
