#pragma once
#include <QObject>

// The options editor: every option stored and shown again, the SMTP checks, the folders.
class TestOpzioni : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void ogniOpzioneScrittaERiletta();
    void autenticazioneChiedeUtentePoiPassword();
    void tabellaVuotaRicevePrimaRiga();
    void criptaggioLettoRestaSeNonCambiato();
    void cartelle();
    void passwordDellArchivioSpostataNelFile();
};
