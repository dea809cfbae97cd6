#pragma once
#include <QObject>

// The rule of a payment method's instalments, without a window.
class TestServiziScadenzePagamento : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controllo_data();
    void controllo();
    void numeroAmmesso_data();
    void numeroAmmesso();
    void giorniAmmessi();
};
