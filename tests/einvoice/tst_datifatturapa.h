#pragma once
#include <QObject>

// The rejection codes' list and card, looked up as the user does.
class TestErroriScarto : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void codiciDelDatabase();
    void ricerca_data();
    void ricerca();
    void schedaDelCodice();
};

// The fiscal-representative and intermediary editors of the company row.
class TestSoggettiTerzi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void controlli_data();
    void controlli();
    void indietroSenzaModificheNonSalva();
    void apertiDallaDitta();
};
