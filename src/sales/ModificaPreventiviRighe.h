#pragma once
// The quote row editor: the row of the quote editor's rows (the shared Table11) that is
// current, edited in place. It computes the row's final price while prices are typed and goes
// back from a final price to the unit price. A save stores the row, the quote editor's header
// and the quote's totals in one transaction (TfrmPreventivi::aggiornaPreventivo); "Annulla" of
// a new row deletes it with the totals it leaves the same way.
#include "forms/DetailForm.h"

class QPushButton;
class QStatusBar;
class QToolButton;

namespace ui {
class DBEdit;
class DBLookupComboBox;
class DBMemo;
} // namespace ui

class TfrmModificaPreventiviRighe : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmModificaPreventiviRighe(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit8;                     // "Codice"
    ui::DBEdit *DBEdit7;                     // "Numero di riga"
    ui::DBMemo *DBMemo1;                     // "Descrizione"
    // "Quantità" is the family's DBEdit2 (the column Um).
    ui::DBLookupComboBox *DBLookupComboBox3; // "Unità di misura"
    QToolButton *SpeedButton16;              // adds a unit
    QToolButton *SpeedButton17;              // opens the chosen unit
    ui::DBEdit *DBEdit6;                     // "Valore Unitario"
    ui::DBEdit *DBEdit5;                     // "Sconto"
    ui::DBLookupComboBox *DBLookupComboBox1; // "Aliquota Iva"
    ui::DBEdit *DBEdit4;                     // "Valore Totale"
    QPushButton *BitBtn1;                    // "Calcola il Valore Unitario"
    ui::DBEdit *DBEdit3;                     // "Reparto"
    ui::DBEdit *DBEdit1;                     // "Data Inizio"
    ui::DBEdit *DBEdit9;                     // "Data Fine"
    ui::DBEdit *DBEdit10;                    // "Rif. Amministraz."
    QPushButton *Calcolo;                    // hidden "calcolo_prezzoIvato"
    class QStatusBar *StatusBar1;

Q_SIGNALS:
    // A save passed its checks and stored the row: the quote's totals must follow it.
    void rigaSalvata();

public Q_SLOTS:
    // The final price from quantity, price, discount and VAT rate, when a rate is chosen and a
    // price typed; an amount of 0 or less gets no VAT here.
    void CalcoloClick();
    // A VAT rate picked: its rate and row into the row, then the final price.
    void DBLookupComboBox1Click();
    // Backspace/Delete emptied the VAT rate: the rate goes with its row; nothing is recomputed.
    void DBLookupComboBox1KeyDown();
    // The unit price from the final price typed in "Valore Totale".
    void BitBtn1Click();
    void SpeedButton16Click();
    void SpeedButton17Click();
    // A new row abandoned: deleted, with the quote's totals it leaves.
    void spdAnnullaClick();

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    bool controllaSalvataggio() override;
    void primaDiSalvare() override;
    bool salvaRiga() override;
    void dopoSalva() override;

private:
    // The rows grid shows descriptions cut short; this form edits them whole meanwhile.
    bool m_descrizioneBreve = false;
};

inline TfrmModificaPreventiviRighe *frmModificaPreventiviRighe = nullptr;
