#pragma once
#include <QObject>

// The VAT-rate rule and the rates a database comes with, without a window.
class TestServiziAliquote : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void regola_data();
    void regola();
    void aliquoteDiUnArchivioNuovo();
    void aggiornamentoSoloSenzaAliquote_data();
    void aggiornamentoSoloSenzaAliquote();
};
