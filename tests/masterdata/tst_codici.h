#pragma once
#include <QObject>

// The lists and details of the code tables, and the forms that keep a small table alone.
class TestCodici : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void elenchiEDettagli_data();
    void elenchiEDettagli();
    void aggiungiPoiIndietro_data();
    void aggiungiPoiIndietro();
    void annulla_data();
    void annulla();
    void tipoVeicoloRinominato();
    void marcaCambiataNonPropaga();
    void enteRinominato();
    void veicoliRicercaEPredefiniti();
    void veicoliPulsantiMarca();
    void straordinarioSalvatoDaIndietro();
    void repartiApostrofo();
    void aspetto();
    void porto();
    void portoNuovoNonScritto();
    void aspettoNuovoNonLasciato();
    void statoUso();
    void menoDopoPiu_data();
    void menoDopoPiu();
    void tastoGuida_data();
    void tastoGuida();
};
