#pragma once
#include <QObject>

// The compose window driven as the user does, against a local SMTP server; the address list.
class TestEmail : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void unMessaggioPerDestinatario();
    void impostazioniMancanti_data();
    void impostazioniMancanti();
    void comandiDellaFinestra();
    void indirizziDaCopiare();
};
