#pragma once
#include <QObject>

// The seizure register without windows: the register's search as a table of boxes (bad
// numbers and dates included), the next number, the delete, the labels, which quote or invoice
// a seizure is linked to and the plate matching of the whole register.
class TestServiziSequestri : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filtroRegistro_data();
    void filtroRegistro();
    void filtroApplicato();
    void prossimoNumero();
    void eliminaLiberaLeFatture();
    void descrizioni();
    void documentoCollegato();
    void abbinaTarghe();
};
