#pragma once
#include <QObject>

// The chart of accounts: its lists' deletes and additions, and picking an account or a grouping.
class TestPianoConti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void elimina_data();
    void elimina();
    void aggiungi_data();
    void aggiungi();
    void scegliConto_data();
    void scegliConto();
    void contoSceglieRaggruppamento();
    void gruppoSenzaClasse();
    void classiOrdineERicarica();
};
