#pragma once
#include <QObject>

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
    void vcardDaiPulsanti();
    void capDelComune();
    void stampaPrivacy();
    void coloreDopoLaStampa();
    void categorie();
    void pulsantiAccanto();
    void trovaPA();
    void comuniOmonimi();
};
