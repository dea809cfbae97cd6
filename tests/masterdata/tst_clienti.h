#pragma once
#include <QDialog>
#include <QObject>

// Stands for the finder of public administrations where the program has none registered: it
// counts its resets and is closed by the test.
class FintoTrovaPA : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    int azzeramenti = 0;
public Q_SLOTS:
    void BitBtn3Click() { ++azzeramenti; }
};

// The customers' list, detail and categories, driven as the clerk drives them.
class TestClienti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void menuElenco();
    void ricerca();
    void coloriRighe();
    void sceltaDaAltroForm();
    void aggiungiEAnnulla();
    void salvaNomeEFormato();
    void controlliAlCambioPagina();
    void salvataggioFallitoTieneIlTesto();
    void partitaIvaECodiceFiscale();
    void email();
    void capDelComune();
    void stampaPrivacy();
    void categorie();
    void pulsantiAccanto();
    void trovaPA();
};
