#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

class QToolButton;

// Vehicle types. A company vehicle keeps its type's id and a copy of its description
// (Vetture.VeicoloDesc), which the detail brings up to date when the description is typed.
class TfrmVeicoli : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmVeicoli(QWidget *parent = nullptr);
};

class TfrmVeicoliDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmVeicoliDettaglio(QWidget *parent = nullptr);

    ui::DBLookupComboBox *DBLookupComboBox1; // the make
    QToolButton *SpeedButton8;               // edit the make
    QToolButton *SpeedButton9;               // add a make
    // The description was typed into (or right-clicked) since the vehicles last got it.
    bool DescrizioneModificata = false;

protected:
    void dopoSalva() override;
    bool eventFilter(QObject *watched, QEvent *e) override;
};

inline TfrmVeicoli *frmVeicoli = nullptr;
inline TfrmVeicoliDettaglio *frmVeicoliDettaglio = nullptr;
