#pragma once
#include <QObject>

// The sales-invoice editor's side pages: instalment grid, transport page, quote import,
// seizure button and the cash-book button, driven on Form7 with the side datasets pointed.
class TestPagineFattura : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void scadenzePagateAzzurre();
    void aggiungiScadenza();
    void pulsantiSenzaForm();
    void eliminaScadenza_data();
    void eliminaScadenza();
    void trasportoBackspaceSvuota();
    void portoPiuAggiungeTermine();
    void aspettoPiuAggiungeTermine();
    void importaPreventivoEAnnulla();
    void preventiviSenzaCliente();
    void importaSenzaPreventivo();
    void sequestro_data();
    void sequestro();
    void primaNota_data();
    void primaNota();
};
