#pragma once
#include <QObject>

// The public-administration office finder: the search its boxes build, its messages, and the
// copy of the chosen office into the customer being edited.
class TestTrovaPA : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ricerca_data();
    void ricerca();
    void sqlDellaRicerca();
    void senzaCriteri_data();
    void senzaCriteri();
    void registroVuoto();
    void invioCercaEReset();
    void ordinaEGriglia();
    void copia();
    void copiaRifiutata();
    void copiaSenzaRighe();
};
