#pragma once
#include "forms/DetailForm.h"

// One cost of an employee: date, amount and cost type, whose description is copied into the
// row when picked (a later rename of the type leaves stored costs as they are).
class TfrmPersonaleCosti : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmPersonaleCosti(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1; // Data
    ui::DBEdit *DBEdit2; // Importo
    ui::DBLookupComboBox *DBLookupComboBox1; // Tipologia
    QToolButton *SpeedButton1; // open the cost type
    QToolButton *SpeedButton2; // add a cost type
    ui::DBEdit *DBEdit3; // Note

public Q_SLOTS:
    void DBLookupComboBox1Click();

protected:
    void showEvent(QShowEvent *e) override;
};

inline TfrmPersonaleCosti *frmPersonaleCosti = nullptr;
