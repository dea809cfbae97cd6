#pragma once
#include <QObject>

// The fleet through its windows: the fleet list, the vehicle editor with its four pages and
// the refuelling editor with the tank choice, on a small archive.
class TestVetture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void scortaDaiRifornimenti_data();
    void scortaDaiRifornimenti();
    void chilometriEDifferenza();
    void rifornimentoEChilometriInsieme_data();
    void rifornimentoEChilometriInsieme();
    void calcola_data();
    void calcola();
    void eliminaVetturaACascata_data();
    void eliminaVetturaACascata();
    void eliminaSuElencoVuoto();
    void aggiungiEAnnulla();
    void filtri_data();
    void filtri();
    void obbligatoriEPagine();
    void targaDuplicata();
    void sottoListe();
    void cartellaDati();
};
