#pragma once
#include <QObject>

// The company editor on its own.
class TestDitta : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void chiusuraNonLasciaModifichePendenti();
    void tabellaVuotaRicevePrimaRiga();
    void partitaIvaAvvisaEResta();
    void comuneECancella();
};

// "Carica ditta" in the main window.
class TestCaricaDitta : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void nomeNellaFinestraPrincipale();
    void bancheEOpzioniDalMenu();
};
