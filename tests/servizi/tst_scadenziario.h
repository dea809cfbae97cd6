#pragma once
#include <QObject>

// The due-date schedule without windows: the four views of instalments, the filter of its
// boxes, the overdue rule, and the instalment editor's save with its cash-book row as one unit.
class TestServiziScadenziario : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void viste_data();
    void viste();
    void filtro_data();
    void filtro();
    void scaduta_data();
    void scaduta();
    void salva_data();
    void salva();
    void salvataggioRifiutato();
    void secondaScritturaFallita_data();
    void secondaScritturaFallita();
};
