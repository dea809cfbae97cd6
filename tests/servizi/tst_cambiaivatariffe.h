#pragma once
#include <QObject>

// The default VAT rate applied to every tariff: the prices worked out again, no rate, and a
// refused row that leaves every tariff as it was.
class TestServiziCambiaIvaTariffe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aliquotaApplicata();
    void senzaAliquota();
    void rigaRifiutataNonCambiaNulla();
};
