#pragma once
#include <QObject>

// The sales-invoice list: search, reset, add (number, progressive, schedule, history browsing,
// a seizure billed), open, delete with what depends on the invoice, export and send.
class TestGrigliaFatture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ricerca_data();
    void ricerca();
    void tastiDiRicerca();
    void aggiungi();
    void aggiungiConSerie();
    void aggiungiInStorico();
    void aggiungiDaSequestro();
    void annullaEliminaLaNuova();
    void elimina_data();
    void elimina();
    void esportaEdInvia();
    void esportaSenzaFileNonApreLaPosta();
};
