#pragma once
#include <QObject>

// "Esporta xml" of the sales-invoice editor: the file written where the user chose and the
// invoice marked, the missing progressive, a refusal naming the element, a refused overwrite.
class TestEsportaXml : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void esportata();
    void senzaProgressivo();
    void rifiutata();
    void sovrascritturaRifiutata();
};
