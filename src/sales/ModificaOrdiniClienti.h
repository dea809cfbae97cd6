#pragma once
// One customer-order reference of a sales invoice (OrdiniClienti): number and date of the
// customer's order with its public-procurement codes, which the e-invoice export writes as the
// invoice's purchase-order data. The invoice editor's "Ordini" page shows it modally on the
// current row of TableOrdiniClienti; a new order is stored first and marked modified, so
// "Indietro" either completes it or keeps the form open until "Annulla" removes it.
#include "forms/DetailForm.h"

class TfrmModificaOrdiniClienti : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmModificaOrdiniClienti(QWidget *parent = nullptr);

    ui::DBEdit *DBNumero;
    ui::DBEdit *DBData;
    ui::DBEdit *DBCodiceCig;
    ui::DBEdit *DBCodiceCup;
    ui::DBEdit *DBCodiceCommessaConvenzione;
    ui::DBEdit *DBNote;

protected:
    bool controllaSalvataggio() override;
};

inline TfrmModificaOrdiniClienti *frmModificaOrdiniClienti = nullptr;
