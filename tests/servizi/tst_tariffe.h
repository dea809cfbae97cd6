#pragma once
#include <QObject>

// The price list without windows: the chosen tariffs' WHERE clause, the copy of a tariff, and
// the bulk change of prices, by percentage and by amount, all or nothing.
class TestServiziTariffe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scelte();
    void nuoviPrezzi_data();
    void nuoviPrezzi();
    void prezzoIvato();
    void cambiaSelezionate();
    void erroreNonCambiaNulla();
    void copia();
};
