#pragma once
#include <QObject>

// The company's own bank accounts: list and detail.
class TestBanche : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void filtroDelleCaselle_data();
    void filtroDelleCaselle();
    void nuovaBancaRichiedeNomeEIban();
    void annullaTogliNuovaBanca();
    void comuneCopiaCapEProvincia();
    void eliminaChiedeELasciaIDocumenti();
    void aggiuntaDaUnAltroForm();
    void sceltaDaUnAltroForm();
    void grigliaEBarra();
};
