#pragma once
#include "ListaPianoConti.h"
#include "forms/DetailForm.h"

// The accounts of the chart, each in a grouping. Other forms pick an account through `scegli`
// (the id in "ID").
class TfrmGrigliaContabilitaConti : public ListaPianoConti {
    Q_OBJECT
public:
    explicit TfrmGrigliaContabilitaConti(QWidget *parent = nullptr);
};

class TfrmContabilitaConti : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmContabilitaConti(QWidget *parent = nullptr);
    ui::DBLookupComboBox *DBLookupComboBox1;
    QToolButton *SpeedButton14;

public Q_SLOTS:
    // Picks the account's grouping from the groupings' list.
    void SpeedButton14Click();
};

inline TfrmGrigliaContabilitaConti *frmGrigliaContabilitaConti = nullptr;
inline TfrmContabilitaConti *frmContabilitaConti = nullptr;
