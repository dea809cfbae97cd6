#pragma once
#include <QObject>

// The shell's services without a window: the yearly roll-over, the workstation's rows, the
// names copied into other rows.
class TestServiziAvvio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rollOverStatement_data();
    void rollOverStatement();
    void rollOverTextsAndSecondRun();
    void workstationRowsAndQueries();
    void namesPropagated();
};
