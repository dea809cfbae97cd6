#pragma once
#include <QObject>

// The print-request service without a window: every code's SQL from ids and criteria, the
// seizure's documents, refused criteria, and the request row it writes.
class TestServiziStampe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyCodeFromIds_data();
    void everyCodeFromIds();
    void fromASeizure();
    void nothingOrRefused();
    void requestRowReplacesOnlyThisWorkstations();
};
