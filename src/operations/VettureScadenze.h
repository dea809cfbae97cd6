#pragma once
#include "forms/DetailForm.h"

// One deadline of a company vehicle: what is due, the due date, the date from which it is
// signalled and whether it was dealt with ("Effettuato"). Also opened by the start-up
// reminders on the one row they set TableVettureScadenze to.
class TfrmVettureScadenze : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmVettureScadenze(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1; // Descrizione
    ui::DBEdit *DBEdit2; // Data Scadenza
    ui::DBEdit *DBEdit3; // Data Avviso
    ui::DBEdit *DBEdit4; // Note
    ui::DBCheckBox *DBCheckBox1; // Effettuato
};

inline TfrmVettureScadenze *frmVettureScadenze = nullptr;
