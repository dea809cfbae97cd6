#pragma once
#include <QObject>

// The VAT settlement by quarter and by month, the balance and the account statement, without a
// window, on a year of a small company.
class TestServiziChiusuraIva : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void periodi_data();
    void periodi();
    void annoTrimestrale();
    void annoMensile();
    void mesiSommanoIlTrimestre();
    void febbraioBisestile();
    void annoOPeriodoNonValidi();
    void ricalcoloFallitoLasciaIlPrecedente();
    void nuovoPeriodo_data();
    void nuovoPeriodo();
    void eliminaConLeRighe();
    void bilancio();
    void bilancioDueVolteEPostazioni();
    void situazioneConto();
};
