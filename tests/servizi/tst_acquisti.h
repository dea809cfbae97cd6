#pragma once
#include <QObject>

// The purchase invoices without a window: progressive, duplicate warnings, row amounts, new rows,
// a whole invoice from its rows to its delete.
class TestServiziAcquisti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void progressivo_data();
    void progressivo();
    void nuovaFatturaScritta();
    void duplicati();
    void importiRiga_data();
    void importiRiga();
    void prezzoDaTotale_data();
    void prezzoDaTotale();
    void nuoveRighe_data();
    void nuoveRighe();
    void numeroENumeroRiga();
    void rigaSenzaQuantita();
    void fatturaIntera();
    void eliminaSoloAcquisti();
    void modalitaTolta();
    void scadenzaSenzaData();
};

// Two workstations on one database: progressives taken at the same moment, one instalment paid
// from both.
class TestDuePostazioniAcquisti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void progressiviSimultanei();
    void pagamentoDoppio();
};
