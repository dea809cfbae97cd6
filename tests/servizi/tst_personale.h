#pragma once
#include <QObject>

// The staff without windows: the delete of an employee with its deadlines, costs and salaries,
// the save with the name copied into the calendar, the rates and the salary total, and the vCard
// exchange (export, round trip, the UID of a card as a table of cases).
class TestServiziPersonale : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eliminaACascata();
    void eliminaFallitaNonCambiaNulla();
    void salvaPropagaNome_data();
    void salvaPropagaNome();
    void tariffe_data();
    void tariffe();
    void totaleParziale();
    void esporta();
    void giroCompleto();
    void uid_data();
    void uid();
    void nomiEOpzione();
};
