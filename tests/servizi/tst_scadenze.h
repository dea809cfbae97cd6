#pragma once
#include <QObject>

// The instalment schedule of the four kinds of document and its cash-book mirror, without a
// window, checked on the rows written.
class TestServiziScadenze : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ricostruzione_data();
    void ricostruzione();
    void scadenze_data();
    void scadenze();
    void importi_data();
    void importi();
    void scissionePagamenti_data();
    void scissionePagamenti();
    void testi_data();
    void testi();
    void taglioTesti_data();
    void taglioTesti();
    void descrizioneSemplificata_data();
    void descrizioneSemplificata();
    void primaNota_data();
    void primaNota();
    void rateDelMetodoSenzaPrimaNota();
    void ricostruzioneConPagate_data();
    void ricostruzioneConPagate();
    void aggiornamento();
    void aggiornamentoConPagate_data();
    void aggiornamentoConPagate();
    void aggiornamentoRigheDiverse_data();
    void aggiornamentoRigheDiverse();
    void senzaMetodo_data();
    void senzaMetodo();
    void eliminaScadenze();
};
