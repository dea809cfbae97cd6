#pragma once
#include <QObject>

// The quotes copied into a sales invoice and the deletion of one instalment, without a window.
class TestServiziPreventiviFattura : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importaRigheNTS();
    void stessiTotali();
    void numeroRigaDaOpzione_data();
    void numeroRigaDaOpzione();
    void importaDiNuovoSostituisce();
    void annullaRipristina();
    void annullaCollegamentoInesistente();
    void importaFatturaOPreventivoInesistente();
    void elencoPreventivi();
    void eliminaScadenzaConPrimaNota_data();
    void eliminaScadenzaConPrimaNota();
};
