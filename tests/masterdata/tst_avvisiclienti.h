#pragma once
#include <QObject>

// The customer-notice wizard driven through its three steps to the print request.
class TestAvvisiClienti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void stampaPerIClientiFiltrati();
    void dateELookupDeiFiltri();
    void testoMancanteEDataNonValida();
};
