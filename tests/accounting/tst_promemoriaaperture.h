#pragma once
#include <QObject>

// What the start-up reminder window's double clicks open in the other units' editors: the
// right editor on the right record, and a change saved there reaching the database.
class TestPromemoriaAperture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void rateFornitoreECliente();
    void scadenzaPersonale();
    void appuntamentoCalendario();
};
