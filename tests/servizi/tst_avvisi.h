#pragma once
#include <QObject>

// The customer notice without windows: the filters, the workstation's text and chosen customers,
// and the notice report's query reading only them.
class TestServiziAvvisi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filtri_data();
    void filtri();
    void dataNonValida();
    void perPostazione();
};
