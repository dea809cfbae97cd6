#pragma once
// The sales-invoice row editor: the row of the invoice editor's rows (the shared Table4) that
// is current, edited in place. It computes the row's gross while prices are typed, goes back
// from a final price to the unit price, takes the quantity from the invoice's kilometres, shows
// the last price charged to the customer for the article (F12) and picks the row's account.
// Every save, and the cancel of a new row, makes the invoice editor recompute its totals.
#include "forms/DetailForm.h"

class QPushButton;
class QStatusBar;
class QToolButton;

namespace ui {
class DBEdit;
class DBLookupComboBox;
class DBMemo;
} // namespace ui

class TfrmModificaFatture : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmModificaFatture(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1;                     // "Codice"
    ui::DBEdit *DBEdit3;                 // "Numero di riga"
    ui::DBMemo *DBMemo1;                     // "Descrizione"
    ui::DBEdit *DBEdit4;                     // "Quantità"
    QPushButton *Button1;                    // "Calcola": the quantity from the kilometres
    ui::DBLookupComboBox *DBLookupComboBox2; // "Unità di misura"
    QToolButton *SpeedButton1;               // opens the unit
    QToolButton *SpeedButton2;               // adds a unit
    ui::DBEdit *DBEdit6;                     // "Valore Unitario" (F12: the last price)
    ui::DBEdit *DBEdit7;                     // "Sconto"
    ui::DBLookupComboBox *DBLookupComboBox1; // "Aliquota Iva"
    ui::DBEdit *DBEdit8;                     // "Valore Totale"
    QPushButton *BitBtn1;                    // "Calcola il Valore Unitario"
    ui::DBLookupComboBox *DBLookupComboBox3; // "Autista"
    QToolButton *SpeedButton3;               // adds a staff member
    QToolButton *SpeedButton4;               // opens the staff member
    ui::DBLookupComboBox *DBLookupComboBox4; // "Mezzo"
    QToolButton *SpeedButton6;               // adds a vehicle
    QToolButton *SpeedButton5;               // opens the vehicle
    ui::DBLookupComboBox *DBLookupComboBox5; // "Conto"
    QToolButton *SpeedButton14;              // "Cerca il tipo di Conto"
    ui::DBEdit *DBEdit9;                     // "Data Inizio"
    ui::DBEdit *DBEdit10;                    // "Data Fine"
    ui::DBEdit *DBEdit11;                    // "Rif. Amministraz."
    QPushButton *Calcolo;                    // hidden "calcolo_prezzoIvato"
    QStatusBar *StatusBar1;

public Q_SLOTS:
    // The gross total from quantity, price, discount and VAT rate, when a rate is chosen and a
    // price typed.
    void CalcoloClick();
    // A VAT rate picked: its rate into the row, then the gross total.
    void DBLookupComboBox1Click();
    // The unit price from the final price typed in "Valore Totale".
    void BitBtn1Click();
    // The quantity from the invoice's kilometres beyond the customer's.
    void Button1Click();
    // The last price charged to the invoice's customer for the row's article.
    void DBEdit6KeyDown();
    void SpeedButton14Click();
    // A new row abandoned: deleted, and the invoice's totals follow.
    void spdAnnullaClick();

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    bool controllaSalvataggio() override;
    bool salvaRiga() override;

private:
    // The rows grid shows descriptions cut short; this form edits them whole meanwhile.
    bool m_descrizioneBreve = false;
};

inline TfrmModificaFatture *frmModificaFatture = nullptr;
