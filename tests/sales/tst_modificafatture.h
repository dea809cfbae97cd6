#pragma once
#include <QObject>

// The sales-invoice row editor: gross while typing, unit price from the final price, quantity
// from kilometres, the last price (F12), the account pick, the checks and the save that makes
// the invoice's totals follow.
class TestModificaFatture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void salvaRiga();
    void fatturaEliminataAltrove();
    void aliquotaConDecimali();
    void prezzoDaTotale_data();
    void prezzoDaTotale();
    void prezzoFinaleMancante();
    void controlli_data();
    void controlli();
    void chilometri_data();
    void chilometri();
    void ultimoPrezzo();
    void sceltaConto();
    void senzaModifiche();
    void pulsantiDiFormNonPresenti();
    void descrizioneIntera();
};
