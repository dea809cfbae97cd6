#pragma once
#include <QObject>

// The Logo page of the options: files, saving, clearing, the image editor, the scanner.
class TestLogo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void adattaAlRiquadro_data();
    void adattaAlRiquadro();
    void caricaPngEJpeg();
    void estensioneNonAccettataNonCarica();
    void fileIllegibileAvvisa();
    void salvaComeImmagine_data();
    void salvaComeImmagine();
    void cancellaESalva();
    void modificaApreLogoMaga();
    void scansioneDalBackendTest();
    void scansioneAColori();
    void scansioneA16Bit_data();
    void scansioneA16Bit();
    void scansioneAnnullata();
    void senzaScannerNienteSuccede();
};

// The picture of a purchase document: a scan through the same seam, saved with the contents
// its name says; the "Vedi" checks.
class TestImmagineDocumento : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scansioneSalvata_data();
    void scansioneSalvata();
    void scansioneAnnullataNonDaNulla();
    void cartellaNonScrivibile();
    void avvisiVedi();
};
