#pragma once
#include <QList>
#include <QObject>

// The ids of the cash-book rows the browser's list shows, in ascending order.
QList<int> idMostrati();

// The cash book's browser and entry editor, driven as the clerk drives them.
class TestCassa : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void filtriDelleCaselle_data();
    void filtriDelleCaselle();
    void dataNonValidaNonFiltra();
    void bancaCancellataCercaSubito();
    void salvataggio_data();
    void salvataggio();
    void aggiuntaNascostaDalFiltro();
    void annullaEliminaLaNuova();
    void rigaDiDocumento_data();
    void rigaDiDocumento();
    void eliminazione_data();
    void eliminazione();
    void sceltaConto();
    void sceltaClienteEFornitore();
    void apriDalLookup_data();
    void apriDalLookup();
    void aggiungiDalLookup();
    void etichetteSullaRigaDelCampo();
};
