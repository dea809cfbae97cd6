#pragma once
#include <QObject>

// The rows the sales-invoice editor writes (from tariffs, the special rows), their numbering,
// the last price of an article, and the totals' summary per VAT rate, without a window.
class TestServiziRigheFattura : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rigaDaTariffa_data();
    void rigaDaTariffa();
    void righeNellOrdineDato();
    void numeroRiga_data();
    void numeroRiga();
    void rigaSpeciale_data();
    void rigaSpeciale();
    void fatturaInesistente();
    void riepilogoIva();
    void riepilogoSommaAlCentesimo();
    void ultimoPrezzo();
};
