#pragma once
#include <QObject>

// The start-up reminders' four lists, without a window.
class TestServiziPromemoria : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void elenchi();
    void giorni_data();
    void giorni();
    void oggiDalClock();
    void nienteDaRicordare();
    void modPagamento_data();
    void modPagamento();
};
