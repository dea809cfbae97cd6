#pragma once
#include <QObject>

// A credit note across the forms it reaches: the invoice finder that fills its reference (only
// its customer's invoices, of every year), the rows, totals and instalments imported from the
// chosen invoice, "Indietro" in the finder; the instalment editor opened from its schedule
// buttons for a customer.
class TestNotaCreditoRiferimento : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void dallaFatturaTrovata();
    void trovaFatturaIndietro();
    void modificaScadenza();
    void aggiungiScadenza();
};
