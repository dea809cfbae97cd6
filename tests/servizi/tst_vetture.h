#pragma once
#include <QObject>

// The fleet without windows: a refuelling's save and delete with the stock of its tank, the
// delete of a vehicle with what it owns, the fleet list's search, the vehicle's totals and the
// price arithmetic of a refuelling.
class TestServiziVetture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scortaCisterna_data();
    void scortaCisterna();
    void salvataggioRifiutatoNonMuove();
    void eliminaVettura_data();
    void eliminaVettura();
    void filtroElenco_data();
    void filtroElenco();
    void totaliETarghe();
    void prezzi();
};

// Two workstations moving one tank at the same moment, each with its own connection.
class TestDuePostazioniCisterna : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rifornimentiSimultanei();
};
