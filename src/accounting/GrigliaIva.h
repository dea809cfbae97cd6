#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

namespace ui {
class DBEdit;
class DBLookupComboBox;
class DBText;
} // namespace ui

// The VAT rates. A rate marked not deletable stays.
class TfrmGrigliaIva : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaIva(QWidget *parent = nullptr);

public Q_SLOTS:
    void spdEliminaClick() override;

protected:
    void impostaNuovo() override;
};

// A rate of 0 names its exemption nature; another rate loses a nature on save.
class TfrmModificaIva : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmModificaIva(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1;
    ui::DBLookupComboBox *DBLookupComboBox10;
    ui::DBText *DBText1;

public Q_SLOTS:
    void spdIndietroClick() override;
};

inline TfrmGrigliaIva *frmGrigliaIva = nullptr;
inline TfrmModificaIva *frmModificaIva = nullptr;
