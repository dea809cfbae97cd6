#pragma once
#include "ListaAnagrafica.h"

// The customers' list: Table7 searched by name, town, mobile, province, notes and category,
// each row painted in the customer's colour (else its category's), with the e-mail buttons of
// the selected customers. Other forms pick a customer through it (ListForm::scegli, with
// "Annullato = 0") and add one on the fly through its "Aggiungi".
class TfrmClienti : public masterdata::ListaAnagrafica {
    Q_OBJECT
public:
    explicit TfrmClienti(QWidget *parent = nullptr);

    // The search group under the grid.
    QLineEdit *Edit1; // Ricerca Per Cliente
    QLineEdit *Edit2; // Cellulare
    QLineEdit *Edit3; // Prov.
    QLineEdit *Edit4; // Città
    QLineEdit *Edit5; // Per Note
    QComboBox *ComboBox1; // Categoria

    // The ids of the customers selected in the grid, in the grid's order.
    QList<qint64> clientiSelezionati() const { return selezionati(); }

protected:
    void impostaNuovo() override;
};

inline TfrmClienti *frmClienti = nullptr;
