#pragma once
#include "forms/DetailForm.h"

class QLabel;
class QToolButton;
namespace ui {
class DBText;
}

// One load of a tank (the current row of TableCisterneCarico). Its save stores the row and
// moves the tank's stock by the change of litres in one transaction (`cisterne::salvaCarico`).
class TfrmModificaCisterneRighe : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmModificaCisterneRighe(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1; // Data
    ui::DBEdit *DBEdit3; // Importo
    ui::DBEdit *DBEdit4; // Litri
    QLabel *Label4;      // "Fattura di Acquisto"
    ui::DBText *DBText1; // the linked invoice's label
    QToolButton *SpeedButton1; // links a purchase invoice
    QToolButton *SpeedButton2; // opens the linked invoice

public Q_SLOTS:
    void spdSalvaClick();
    void spdIndietroClick() override;
    // Removes the new load with what it moved (nothing: it was stored with no litres).
    void spdAnnullaClick();
    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent *e) override;
};

inline TfrmModificaCisterneRighe *frmModificaCisterneRighe = nullptr;
