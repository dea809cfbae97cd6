#pragma once
#include <QObject>

// The payment methods' list and detail: the checks of the detail, adding and abandoning a
// method, deleting, searching, picking from another form, the count box, the lookup buttons.
class TestModPagamento : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void controlliSalvataggio_data();
    void controlliSalvataggio();
    void aggiungiAnnulla();
    void tipologiaSconosciuta();
    void uscitaNumeroScadenze_data();
    void uscitaNumeroScadenze();
    void eliminazione_data();
    void eliminazione();
    void ricerca_data();
    void ricerca();
    void sceltaDaAltroForm();
    void avantiSenzaModifiche();
    void pulsantiAccantoAlLookup();
};
