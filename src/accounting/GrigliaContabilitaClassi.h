#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// The classes of the chart of accounts. Deleting a class deletes its groupings and their accounts.
class TfrmGrigliaContabilitaClassi : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaContabilitaClassi(QWidget *parent = nullptr);

public Q_SLOTS:
    void spdEliminaClick() override;
    void spdAggiornaClick();
};

class TfrmContabilitaClassiDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmContabilitaClassiDettaglio(QWidget *parent = nullptr);
};

inline TfrmGrigliaContabilitaClassi *frmGrigliaContabilitaClassi = nullptr;
inline TfrmContabilitaClassiDettaglio *frmContabilitaClassiDettaglio = nullptr;
