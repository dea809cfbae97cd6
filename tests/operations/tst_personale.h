#pragma once
#include <QObject>

// The staff through its windows: the staff list (filter, delete with its sub-records, vCard
// export), the staff editor (checks, rates, name into the calendar, "Annulla" of a new
// employee with its deadlines) and the deadline, cost and salary editors, on a small archive.
class TestPersonale : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void eliminaACascata();
    void eliminaSuElencoVuoto();
    void filtri_data();
    void filtri();
    void aggiungiConScadenzeEAnnulla();
    void controlliDelSalvataggio();
    void nomeNelCalendario();
    void tariffe();
    void scadenze();
    void costi();
    void stipendi();
    void esportaVCard();
};
