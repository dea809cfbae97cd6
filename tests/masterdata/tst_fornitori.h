#pragma once
#include <QObject>

// The suppliers' list and detail, driven as the clerk drives them.
class TestFornitori : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void menuElenco();
    void ricerca();
    void sceltaDaAltroForm();
    void aggiungiEAnnulla();
    void nomeRichiesto_data();
    void nomeRichiesto();
    void salvaNome();
    void partitaIvaECodiceFiscale_data();
    void partitaIvaECodiceFiscale();
    void comuneECap();
    void comuniOmonimi();
    void email();
    void pagaFatture();
};
