#pragma once
#include "ListaPianoConti.h"
#include "forms/DetailForm.h"

// The groupings of the chart of accounts, each in a class. Deleting one deletes its accounts.
class TfrmGrigliaContabilitaRaggruppamenti : public ListaPianoConti {
    Q_OBJECT
public:
    explicit TfrmGrigliaContabilitaRaggruppamenti(QWidget *parent = nullptr);
};

class TfrmContabilitaRaggruppamentiDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmContabilitaRaggruppamentiDettaglio(QWidget *parent = nullptr);
    ui::DBLookupComboBox *DBLookupComboBox1;
    QToolButton *SpeedButton4;
};

inline TfrmGrigliaContabilitaRaggruppamenti *frmGrigliaContabilitaRaggruppamenti = nullptr;
inline TfrmContabilitaRaggruppamentiDettaglio *frmContabilitaRaggruppamentiDettaglio = nullptr;
