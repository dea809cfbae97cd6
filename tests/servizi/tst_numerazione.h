#pragma once
#include <QObject>

// The number and transmission progressive of a new sales document, without a window.
class TestServiziNumerazione : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numeroEProgressivo_data();
    void numeroEProgressivo();
    void rigaScritta();
    void sequestroFatturato();
    void valoriPredefinitiEFallimento();
};

// Two workstations on one database at the same moment: numbers taken together, each one's
// temporary rows.
class TestDuePostazioni : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numeriSimultaneiDiversi();
    void puliziaDiUnaNonToccaLAltra();
};
