#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Towns. Addresses everywhere keep a town's id, name and province code; the town lookups of
// every form list Table8, so the list's filter is cleared whenever it closes.
class TfrmGrigliaComuni : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaComuni(QWidget *parent = nullptr);

protected:
    void impostaNuovo() override;
};

class TfrmComuniDett : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmComuniDett(QWidget *parent = nullptr);

    ui::DBLookupComboBox *DBLookupComboBox1; // province
    ui::DBLookupComboBox *DBLookupComboBox2; // region
    ui::DBLookupComboBox *DBLookupComboBox3; // country

public Q_SLOTS:
    // A province picked gives the town its region.
    void DBLookupComboBox1Click();
};

inline TfrmGrigliaComuni *frmGrigliaComuni = nullptr;
inline TfrmComuniDett *frmComuniDett = nullptr;
