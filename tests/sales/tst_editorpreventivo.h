#pragma once
#include <QObject>

// The quote editor's header: the checks of the save in their order with their focus, typed
// dates, the customer chosen in the lookup and in the customers' list, emptying the lookups,
// "Calcola", the checks before the rows page, "Fatturato", the focus colours and tab order,
// "Stampa" of a changed quote and "Annulla" of a new one.
class TestEditorPreventivo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void aspetto();
    void controlliInOrdine_data();
    void controlliInOrdine();
    void salvaEChiude();
    void indietroSenzaModifiche();
    void sceltaCliente_data();
    void sceltaCliente();
    void sceltaDallElencoAnnullata();
    void svuotaLookup();
    void calcolaGiorni_data();
    void calcolaGiorni();
    void paginaRighe_data();
    void paginaRighe();
    void fatturatoNonModifica();
    void coloriEOrdine();
    void stampaDiPreventivoModificato();
    void annullaNuovo();
};

// The quote printed through the editor's "Stampa" in every layout of the report catalogue,
// exported by the report program and read back: header, rows and totals.
class TestStampaPreventivo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void modelli_data();
    void modelli();
};
