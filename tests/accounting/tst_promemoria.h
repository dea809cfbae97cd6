#pragma once
#include <QObject>

// The reminder window the start-up shows, and what its double clicks open.
class TestPromemoria : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void mostrataSoloSeServe_data();
    void mostrataSoloSeServe();
    void scaduteElencate();
    void soloCalendario();
    void doppioClicVettura();
    void appuntamentoFuoriCalendario();
};
