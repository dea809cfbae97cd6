#pragma once
#include <QObject>

// The quotes without a window: the list's filter, numbering (also two workstations at once),
// the new quote for a seizure, the delete with everything that points at a quote, the rows
// from tariffs and the free row, the totals.
class TestServiziPreventivi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filtro_data();
    void filtro();
    void numerazione_data();
    void numerazione();
    void nuovoConPredefinitiESequestro();
    void sequestroInesistente();
    void numeriSimultaneiDiversi();
    void eliminaConCollegamenti();
    void scontoDelleRighe_data();
    void scontoDelleRighe();
    void rigaDaTariffa();
    void numeroRiga_data();
    void numeroRiga();
    void preventivoInesistente();
    void rigaLibera_data();
    void rigaLibera();
    void totali_data();
    void totali();
};
