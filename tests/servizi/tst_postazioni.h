#pragma once
#include <QObject>

// Two workstations on one database, each with its own connection: what one of them does in
// between never leaves the other's work half done or done twice.
class TestGuardiePostazioni : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pagamentoGiaPagato();
    void importaRigheDiFatturaEliminata();
    void eliminaFatturaConNoteDiCredito();
    void righeDiFatturaEliminata();
    void rifornimentoDiVetturaEliminata();
    void rifornimentoMentreSiEliminaLaVettura();
    void conflittoRipetuto();
    void postAnnullatoTornaInModifica();
    void erroreSenzaIstruzione();
    void righeDiPreventivoEliminato();
    void operazioneRipetutaDopoScritturaAltrui_data();
    void operazioneRipetutaDopoScritturaAltrui();
};

// Several workstations at once, a few hundred mixed operations, then the archive's invariants.
class TestStressPostazioni : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void operazioniMiste();
};
