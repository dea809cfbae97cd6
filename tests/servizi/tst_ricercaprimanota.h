#pragma once
#include <QObject>

// The cash-book browser's query, filter and totals, without a window.
class TestServiziRicercaPrimaNota : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filtri_data();
    void filtri();
    void dataNonValida_data();
    void dataNonValida();
    void elencoAnnoEPeriodo();
    void legataADocumento_data();
    void legataADocumento();
};
