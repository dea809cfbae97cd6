#pragma once
#include <QObject>

// The rows page of the sales-invoice editor: rows from the price list, the special rows with
// the row editor, delete, sort, grid, and the totals with the instalments following them.
class TestRigheFattura : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void pagina();
    void tariffeDalListino();
    void filtroDelListino_data();
    void filtroDelListino();
    void listinoChiusoSenzaScelta();
    void speseDiTrasportoAnnullate();
    void articoloNonInArchivio();
    void totaliEScadenze();
    void eliminaUnicaRiga();
    void senzaRighe();
    void ordinamento();
    void primaNota();
    void tariffaDellaRiga();
};
