#pragma once
#include <QObject>

// The stock of the own fuel tanks and the deletes of tanks and fuel types, without a window.
class TestServiziCisterne : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void salvaCarico_data();
    void salvaCarico();
    void eliminaCarico_data();
    void eliminaCarico();
    void eliminaCisterna();
    void restituisciLitriVettura_data();
    void restituisciLitriVettura();
    void restituzioneNellaTransazioneDelChiamante();
    void muoviSuGiacenzaVuota();
    void eliminaCarburante_data();
    void eliminaCarburante();
    void descrizioneFattura();
};

// Two workstations moving one tank at the same moment: both movements count.
class TestDuePostazioniCisterne : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void carichiSimultanei();
};
