#pragma once
#include <QObject>

// One credit note followed through the real forms, one method per stage: added from the list
// (numbered among the credit notes), the customer picked, rows from the price list and a
// special row completed in the row editor, the rows of the referenced invoice imported twice,
// the print read back, the deletion counted in every table.
class TestNotaCreditoIntera : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void aggiungiDallElenco();
    void righeDalListinoESpeciale();
    void importaRigheDellaFattura();
    void stampa();
    void eliminazioneACascata();
};

// The editor's and the row editor's own behaviour on a small archive: the order of the save's
// checks, "Indietro" on an unchanged credit note, the page-change messages, the row editor's
// focus per failed check, its "Annulla", the gross that marks the row modified; the list's
// search, the joint numbering and the main menu's button.
class TestEditorNotaCredito : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ordineDeiControlli();
    void indietroSenzaModifiche();
    void cambioPagina_data();
    void cambioPagina();
    void rigaFuocoPerControllo_data();
    void rigaFuocoPerControllo();
    void annullaRigaNuova();
    void calcoloSegnaModificata();
    void rigaNonSalvata_data();
    void rigaNonSalvata();
    void numerazioneUnica_data();
    void numerazioneUnica();
    void ricercaElenco();
    void importaSenzaRiferimento();
    void trovaFatturaSenzaCliente();
    void scadenzePagateChiedeConferma_data();
    void scadenzePagateChiedeConferma();
    void allegatoNuovoSenzaFile();
};

// The main window's "Note Credito" button.
class TestMenuNoteCredito : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void apreLElencoSenzaFiltro();
    void storicoDeiClienti_data();
    void storicoDeiClienti();
};
