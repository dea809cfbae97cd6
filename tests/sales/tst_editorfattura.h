#pragma once
#include <QObject>

// The sales-invoice editor's header: the checks of the save in their order, the customer and
// payment-method choices, emptying the lookups, "Calcola", the previous invoice's date, the
// change of page refused by a failed save, and "Stampa" of a changed invoice.
class TestEditorFattura : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void controlliInOrdine_data();
    void controlliInOrdine();
    void indietroSenzaModificheNonControlla();
    void sceltaCliente_data();
    void sceltaCliente();
    void pagamentoConScadenzePagate_data();
    void pagamentoConScadenzePagate();
    void svuotaLookup();
    void calcolaGiorni_data();
    void calcolaGiorni();
    void dataPrecedente();
    void cambioPaginaDopoSalvataggioFallito();
    void stampaDiFatturaModificata();
};

// The main window's "Fatture" button.
class TestMenuFatture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void apreLElencoAzzerato();
};
