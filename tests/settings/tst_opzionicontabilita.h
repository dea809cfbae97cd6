#pragma once
#include <QObject>

// The options' Contabilità page: the default accounts picked from the chart, the default VAT
// rate and bank, "Cambia tutte le tariffe" and the invoicing series.
class TestOpzioniContabilita : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void contiEAliquotaScrittiERiletti();
    void sceltaAnnullataLasciaIlConto();
    void cambiaTutteLeTariffe();
    void tariffaRifiutataNonCambiaNulla();
    void serieFatturazioni();
};
