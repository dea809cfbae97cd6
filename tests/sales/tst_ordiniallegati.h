#pragma once
#include <QObject>

// The customer-order and attachment editors, opened from the sales-invoice editor's pages.
class TestOrdiniAllegati : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ordineNuovoAnnullato();
    void ordineCampiRichiesti_data();
    void ordineCampiRichiesti();
    void ordineCompletato();
    void ordineModificaEElimina();
    void allegatoNuovoAnnullato();
    void allegatoNuovoLasciatoVuoto();
    void allegatoControlli_data();
    void allegatoControlli();
    void allegatoCercaEModifica();
    void allegatoElimina();
};
