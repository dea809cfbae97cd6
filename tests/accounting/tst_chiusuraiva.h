#pragma once
#include <QObject>

// The VAT settlement lists and editors, and the accounting print form with its account
// statement, driven as the clerk drives them.
class TestChiusuraIva : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void aggiungiCalcolaEIndietro();
    void annullaEliminaIlNuovo();
    void mensileAnnoDigitatoESalvato();
    void eliminaChiedeEToglieLeRighe();
    void filtroPerAnno();
    void stampaBilancioESituazioneConto();
};
