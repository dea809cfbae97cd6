#pragma once
#include <QObject>

// The quote row editor: its fields, the final price while typing (the row's own rate, with its
// decimals), the unit price from a final price, the checks in order with their focus, the
// save that stores the row's amounts and makes the quote's totals follow, and "Annulla" of a
// new row.
class TestModificaPreventiviRighe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void campi();
    void salvaRiga();
    void preventivoEliminatoAltrove();
    void aliquotaConDecimali();
    void importoNegativo();
    void prezzoDaTotale_data();
    void prezzoDaTotale();
    void prezzoFinaleMancante();
    void controlli_data();
    void controlli();
    void senzaModifiche();
    void annullaNuovaRiga();
};
