#pragma once
#include <QObject>

// The invoice finder over a caller's query of sales invoices: the search boxes, the reset, the
// choice and its flag, the end-of-year proposal and the keys of its boxes.
class TestTrovaFattura : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ricerca_data();
    void ricerca();
    void erroreTieneIlFiltro();
    void clientePerNomeSenzaId();
    void reset();
    void scelta_data();
    void scelta();
    void avantiSenzaRighe();
    void fineAnno_data();
    void fineAnno();
    void tasti();
    void ordinamento();
};
