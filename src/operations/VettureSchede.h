#pragma once
#include "forms/DetailForm.h"

// One fuel card of a company vehicle, with its number and PIN.
class TfrmVettureSchede : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmVettureSchede(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1; // Scheda
    ui::DBEdit *DBEdit2; // Numero
    ui::DBEdit *DBEdit3; // Pin
    ui::DBEdit *DBEdit4; // Note
};

inline TfrmVettureSchede *frmVettureSchede = nullptr;
