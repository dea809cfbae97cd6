#pragma once
#include "forms/DetailForm.h"

// One cost of a company vehicle; its sum is the vehicle's maintenance total.
class TfrmVettureCosti : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmVettureCosti(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1; // Data
    ui::DBEdit *DBEdit2; // Importo
    ui::DBLookupComboBox *DBLookupComboBox2; // Tipologia
    ui::DBEdit *DBEdit3; // Note
    QToolButton *SpeedButton1; // open the cost type
    QToolButton *SpeedButton2; // add a cost type

public Q_SLOTS:
    void DBLookupComboBox2Click();

protected:
    void showEvent(QShowEvent *e) override;
};

inline TfrmVettureCosti *frmVettureCosti = nullptr;
