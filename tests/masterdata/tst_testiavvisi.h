#pragma once
#include <QObject>

// The stored notice texts: list and detail.
class TestTestiAvvisi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void aggiungiChiedeDescrizioneETesto();
    void testoLungoInGriglia();
    void annullaChiedePrima();
    void aiutoEInvio();
    void ordinePerTitolo();
};
