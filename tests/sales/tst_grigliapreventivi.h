#pragma once
#include <QObject>

// The quote list: search as the user types, its keys, add (number, history browsing, a
// seizure), the editor's "Annulla", open, delete with what points at the quote.
class TestGrigliaPreventivi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void elenco();
    void ricerca_data();
    void ricerca();
    void tastiDiRicerca();
    void aggiungi();
    void aggiungiPrimoDellAnno();
    void aggiungiInStorico_data();
    void aggiungiInStorico();
    void aggiungiDaSequestro();
    void annullaEliminaIlNuovo();
    void avanti();
    void elimina_data();
    void elimina();
    void eliminaSuElencoVuoto();
};

// The main menu's "Preventivi".
class TestMenuPreventivi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void apreLElencoConLeCaselleVuote();
};
