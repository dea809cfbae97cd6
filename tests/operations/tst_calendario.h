#pragma once
#include <QObject>
#include <memory>

#include "PrintFixture.h"

// The calendar's list and entry through the real forms: the entry's dates, "Annulla" of a new
// entry, the tariff from the price list, the list's search and the iCalendar export read by an
// independent parser.
class TestCalendario : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void dateDellaVoce_data();
    void dateDellaVoce();
    void annullaNuova_data();
    void annullaNuova();
    void personaleECliente();
    void tariffaDalListino();
    void ricerca();
    void esportaICal();

private:
    QByteArray m_tz;
};

// The calendar from the main window (the Attività and Storico buttons) and its print.
class TestCalendarioMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void stampa();
    void menuAttivita();
    void menuStorico();

private:
    std::unique_ptr<PrintFixture> f;
};
