#pragma once
#include <QObject>

// The sales-invoice list's services without a window: the search filter, the check of the
// previous invoice's date and the delete with everything that depends on the invoice.
class TestServiziFatture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filtro_data();
    void filtro();
    void filtroRifiutato_data();
    void filtroRifiutato();
    void filtroApplicato();
    void dataPrecedente_data();
    void dataPrecedente();
    void eliminaConTuttoCioCheNeDipende();
    void eliminaFallitaNonCambiaNulla();
};
