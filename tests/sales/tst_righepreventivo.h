#pragma once
#include <QObject>

// The rows page of the quote editor: rows from the price list, the totals, delete, sort, the
// row's tariff, and a quote made through the list and this page copied into an invoice.
class TestRighePreventivo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void pagina();
    void tariffeConClienteNonSalvato();
    void filtroDelListino_data();
    void filtroDelListino();
    void listinoChiusoSenzaScelta();
    void totaliAMano();
    void eliminaRiga_data();
    void eliminaRiga();
    void ordinamento();
    void tariffaDellaRiga();
    void senzaEditorDelleRighe();
    void preventivoImportatoInFattura();
};
