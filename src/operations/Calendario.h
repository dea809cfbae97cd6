#pragma once
// One entry of the appointments calendar, on the current row of TableCalendario: its day and
// notice date, type, staff member, customer, tariff, note and whether it is done. A new entry
// is not stored before its first save; "Annulla" removes it, by its own id once stored.
#include "forms/DetailForm.h"

class TfrmCalendario : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);

    ui::DBCheckBox *DBCheckBox1;         // Conclusa
    ui::DBEdit *DBEdit1;                 // Data
    ui::DBEdit *DBEdit3;                 // Data avviso
    ui::DBLookupComboBox *DBLookupComboBox1; // Tipologia
    ui::DBLookupComboBox *DBLookupComboBox2; // Personale
    ui::DBLookupComboBox *DBLookupComboBox3; // Cliente
    ui::DBLookupComboBox *DBLookupComboBox4; // Tariffa
    ui::DBEdit *DBEdit4;                 // Note
    QToolButton *SpeedButton1, *SpeedButton2; // type: open, add
    QToolButton *SpeedButton3, *SpeedButton4; // staff member: open, add
    QToolButton *SpeedButton5, *SpeedButton6; // customer: open, add
    QToolButton *SpeedButton7;                // the tariff from the price list

public Q_SLOTS:
    // The day is required; after the entry is stored its notice date may not lie after the day
    // (the editor then stays open, the entry still marked modified).
    void spdSalvaClick();
    void spdIndietroClick() override;
    // Removes the new entry: a row never stored is only dropped; a stored one is deleted by
    // its own id, whatever row the list stands on.
    void spdAnnullaClick();
    void DBLookupComboBox2Click(); // the staff member's name copied
    void DBLookupComboBox3Click(); // the customer's document name copied
    void SpeedButton3Click();      // the staff member's record
    void SpeedButton7Click();      // the tariff picked from the price list

protected:
    void showEvent(QShowEvent *e) override;

private:
    qint64 m_idNuovo = 0; // the id the first save of a new entry gave it, during one showing
};

inline TfrmCalendario *frmCalendario = nullptr;
