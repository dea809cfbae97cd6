#pragma once
#include <QObject>

// The price list and the tariff detail: the search boxes, the pick returning the chosen
// tariffs, the management buttons, the detail's checks and final price, the customer opened by
// its id, the bulk price change on the selected rows, all or nothing.
class TestTariffe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ricerca_data();
    void ricerca();
    void sceltaTariffe();
    void copiaEConta();
    void controlliDettaglio_data();
    void controlliDettaglio();
    void prezzoFinale();
    void clienteAperto();
    void cambiaPrezzi();
    void cambiaPrezziErrore();
};
