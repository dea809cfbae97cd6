#pragma once
#include <QObject>
#include <memory>

class PrintFixture;

// The seizure register through its real forms: a seizure from entry to billing and release,
// the register's search (bad numbers and dates included), the pick from the invoice editor,
// the document links, the required fields, and an authority's save that never stores the
// seizure that happens to be current.
class TestSequestri : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void dallIngressoAllaFattura();
    void ricerca_data();
    void ricerca();
    void tastiRicerca();
    void sceltaDallaFattura();
    void collegamentiDocumenti();
    void campiObbligatori();
    void salvataggioEnteNonSalvaIlSequestro();
    void enteDallEditore();
};

// The seizures' prints read back from the PDF the report program writes (the Stampe tab's two
// lists, the editor's quote and invoice), and the main window's "Sequestri" and plate matching.
class TestSequestriStampe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ogniStampa_data();
    void ogniStampa();
    void abbinaTargheDalMenu();
    void menuApreInGestione();

private:
    std::unique_ptr<PrintFixture> f;
};
