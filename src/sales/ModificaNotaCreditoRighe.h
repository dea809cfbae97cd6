#pragma once
// The sales credit-note row editor: the row of the credit-note editor's rows (the shared
// TableNCRighe) that is current, edited in place. The invoice row editor's twin: the gross
// while prices are typed (and the row then counts as modified), the unit price back from a final
// price, the row's account, and every save, or the cancel of a new row, makes the credit-note
// editor store its totals and instalments with it, in one transaction. No quantity from kilometres, no last price, a "Note" box.
#include "ModificaRigaDocumento.h"

class TfrmModificaNotaCreditoRighe : public ModificaRigaDocumento {
    Q_OBJECT
public:
    explicit TfrmModificaNotaCreditoRighe(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit12; // "Note"
};

inline TfrmModificaNotaCreditoRighe *frmModificaNotaCreditoRighe = nullptr;
