#pragma once
#include <QObject>

// "Lavora in Rete" on a database server: the address chosen, remembered and opened at the next
// start; a server that cannot be reached or a wrong form keeps the database in use.
class TestLavoraInRete : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void serverChosenAndOpenedAtNextStart();
    void unreachableServerKeepsTheDatabase();
    void wrongFormChangesNothing_data();
    void wrongFormChangesNothing();
};
