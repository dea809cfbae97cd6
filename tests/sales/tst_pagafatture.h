#pragma once
#include <QObject>

// Paying several instalments of a customer at once through the selection and payment forms.
class TestPagaFatture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void pagaDueDiTre();
    void totali();
    void totaliAlCentesimo();
    void aggiungiTutteTogliTutte();
    void aggiungiTutteSaltaLePagate();
    void senzaScadenzeAperte();
    void selezioneVuota();
    void dataRifiutata_data();
    void dataRifiutata();
    void rispostaNo();
    void pagamentoFallito();
    void apertaDalCliente();
};
