#pragma once
#include <QObject>

// One sales invoice followed from start to end through the real forms, the stages in order on
// the same invoice: added from the list, its customer picked, rows from tariffs and a free row
// with the totals and the VAT summary, the side pages, the export through the report program,
// the deletion with everything that depends on it.
class TestFatturaIntera : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void aggiungiDallElenco();
    void sceltaDelCliente();
    void righeETotali();
    void pagineLaterali();
    void esportazioneStampata();
    void eliminazioneACascata();
};
