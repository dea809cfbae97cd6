#pragma once
#include <QObject>

// Fuel types and refuelling points, their lists and editors.
class TestCarburanti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void nuovoDallaCisterna();
    void prezzoConLaVirgola();
    void eliminaCarburante_data();
    void eliminaCarburante();
    void rifornimentiPerComune();
    void nuovoRifornimentoSenzaNome();
    void comuneDelRifornimento();
};
