#pragma once
#include "forms/DetailForm.h"

// One deadline of an employee: its kind, what is due, the due date, the date from which it is
// signalled and whether it was dealt with ("Effettuato"). Opened from the staff editor's
// "  Scadenze  " page and by the start-up reminders on the one row they set the dataset to.
class TfrmPersonaleScadenze : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmPersonaleScadenze(QWidget *parent = nullptr);

    ui::DBLookupComboBox *DBLookupComboBox1; // Tipologia
    QToolButton *SpeedButton1; // open the deadline type
    QToolButton *SpeedButton2; // add a deadline type
    ui::DBEdit *DBEdit1; // Descrizione
    ui::DBEdit *DBEdit2; // Data Scadenza
    ui::DBEdit *DBEdit3; // Data Avviso
    ui::DBCheckBox *DBCheckBox1; // Effettuato
    ui::DBEdit *DBEdit4; // Note
};

inline TfrmPersonaleScadenze *frmPersonaleScadenze = nullptr;
