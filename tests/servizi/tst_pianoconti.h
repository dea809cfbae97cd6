#pragma once
#include <QObject>

// The deletes of the chart of accounts, without a window.
class TestServiziPianoConti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eliminazioni_data();
    void eliminazioni();
};
