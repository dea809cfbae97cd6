#pragma once
#include <QObject>

// The main menu's buttons of the code tables and places, and the "Tipologie" hub.
class TestMenuArchivio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void pulsantiMenu_data();
    void pulsantiMenu();
    void tipologieNonModale();
    void contabilitaNonModale();
    void tipologieApreListe_data();
    void tipologieApreListe();
};
