#pragma once
#include <QObject>

// The due-date schedule, the instalment editor and the schedule's print menu, driven as the
// clerk drives them over customers' and suppliers' instalments, open, paid and overdue.
class TestScadenziario : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void viste_data();
    void viste();
    void filtroAzzeratoAllaChiusura();
    void righeScaduteInRosso();
    void filtri_data();
    void filtri();
    void tastiDelleCaselle();
    void pagaEAnnullaPagamento();
    void salvataggioRifiutatoNonCambiaNulla();
    void campiMancanti_data();
    void campiMancanti();
    void elimina_data();
    void elimina();
    void avantiSuElencoVuoto();
    void stampaScadenzeClienti();
    void primaNota_data();
    void primaNota();
    void vedi_data();
    void vedi();
};

// The four buttons of the main window's "Scadenziario" tab in the running program.
class TestMenuScadenziario : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void pulsanti_data();
    void pulsanti();
};
