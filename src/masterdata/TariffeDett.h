#pragma once
// The tariff detail: the current row of the price list's Table1, with its prices. The final
// price is the unit price plus VAT; the button beside it goes back from the final price to the
// unit price, removing the VAT and the tariff's discount.
#include "forms/DetailForm.h"

class QPushButton;
class QToolButton;

namespace ui {
class DBCheckBox;
class DBEdit;
class DBLookupComboBox;
} // namespace ui

class TForm3 : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);

    ui::DBCheckBox *DBCheckBox1;              // "Annullato"
    ui::DBEdit *DBEdit1;                      // "Codice"
    ui::DBEdit *DBEdit5;                      // "Data di inserimento"
    ui::DBLookupComboBox *DBLookupComboBox9;  // "Tipo Tariffa"
    ui::DBLookupComboBox *DBLookupComboBox10; // "Fatturazione"
    ui::DBLookupComboBox *DBLookupComboBox1;  // "Cliente"
    QToolButton *SpeedButton1;                // open the tariff's customer
    QToolButton *SpeedButton2;                // add a customer
    ui::DBEdit *DBEdit6;                      // "Costo"
    ui::DBEdit *DBEdit3;                      // "Valore Unitario"
    ui::DBLookupComboBox *DBLookupComboBox2;  // "Aliquota Iva"
    ui::DBEdit *DBEdit4;                      // "Prezzo Finale"
    QPushButton *BitBtn1;                     // "Calcola il Valore Unitario"
    ui::DBCheckBox *DBCheckBox2;              // "Prezzo Imposto"
    ui::DBEdit *DBEdit7;                      // "Note"
    ui::DBLookupComboBox *DBLookupComboBox8;  // "Unità di misura"
    ui::DBLookupComboBox *DBLookupComboBox5;  // "Reparto"

public Q_SLOTS:
    void DBLookupComboBox1Click();
    void DBLookupComboBox2Click();
    void DBLookupComboBox9Click();
    void DBEdit3Exit();
    // The final price from the unit price and the VAT rate.
    void CalcoloClick();
    // The unit price from the final price, without VAT and discount.
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *e) override;
    bool controllaSalvataggio() override;
    void primaDiSalvare() override;
};

inline TForm3 *Form3 = nullptr;
