#pragma once
// The sales-invoice row editor: the row of the invoice editor's rows (the shared Table4) that
// is current, edited in place. It computes the row's gross while prices are typed, goes back
// from a final price to the unit price, takes the quantity from the invoice's kilometres, shows
// the last price charged to the customer for the article (F12) and picks the row's account.
// Every save, and the cancel of a new row, makes the invoice editor recompute its totals.
#include "ModificaRigaDocumento.h"

class TfrmModificaFatture : public ModificaRigaDocumento {
    Q_OBJECT
public:
    explicit TfrmModificaFatture(QWidget *parent = nullptr);

public Q_SLOTS:
    // The quantity from the invoice's kilometres beyond the customer's.
    void Button1Click();
    // The last price charged to the invoice's customer for the row's article.
    void DBEdit6KeyDown();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
};

inline TfrmModificaFatture *frmModificaFatture = nullptr;
