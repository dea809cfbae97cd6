#pragma once
#include <QObject>

// The form registry and a detail's lookup with its buttons, on forms created through it.
class TestRegistro : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dichiarazioni();
    void creaSoloLeFormRichieste();
    void programmaCompletoInOrdine();
    void pulsantiLookup_data();
    void pulsantiLookup();
    void aggiungiSenzaListaCreata();
};
