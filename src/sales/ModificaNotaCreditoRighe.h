#pragma once
// The sales credit-note row editor: the row of the credit-note editor's rows (the shared
// TableNCRighe) that is current, edited in place. The invoice row editor's twin: the gross
// while prices are typed (and the row then counts as modified), the unit price back from a final
// price, the row's account, and every save, or the cancel of a new row, makes the credit-note
// editor recompute its totals. No quantity from kilometres, no last price, a "Note" box.
#include "forms/DetailForm.h"

class QPushButton;
class QStatusBar;
class QToolButton;

namespace ui {
class DBEdit;
class DBLookupComboBox;
class DBMemo;
} // namespace ui

class TfrmModificaNotaCreditoRighe : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmModificaNotaCreditoRighe(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1;                     // "Codice"
    ui::DBEdit *DBEdit3;                     // "Numero di riga"
    ui::DBMemo *DBMemo1;                     // "Descrizione"
    ui::DBEdit *DBEdit4;                     // "Quantità"
    ui::DBLookupComboBox *DBLookupComboBox2; // "Unità di misura"
    ui::DBEdit *DBEdit6;                     // "Valore Unitario"
    ui::DBEdit *DBEdit7;                     // "Sconto"
    ui::DBLookupComboBox *DBLookupComboBox1; // "Aliquota Iva"
    ui::DBEdit *DBEdit8;                     // "Valore Totale"
    QPushButton *BitBtn1;                    // "Calcola il Valore Unitario"
    ui::DBLookupComboBox *DBLookupComboBox3; // "Trasportatore"
    QToolButton *SpeedButton3;               // adds a staff member
    QToolButton *SpeedButton4;               // opens the staff member
    ui::DBLookupComboBox *DBLookupComboBox4; // "Mezzo"
    QToolButton *SpeedButton6;               // adds a vehicle
    QToolButton *SpeedButton5;               // opens the vehicle
    ui::DBLookupComboBox *DBLookupComboBox5; // "Contabilità conto"
    QToolButton *SpeedButton14;              // "Cerca il tipo di Conto"
    ui::DBEdit *DBEdit9;                     // "Data Inizio"
    ui::DBEdit *DBEdit10;                    // "Data Fine"
    ui::DBEdit *DBEdit11;                    // "Rif. Amministraz."
    ui::DBEdit *DBEdit12;                    // "Note"
    QPushButton *Calcolo;                    // hidden "calcolo_prezzoIvato"
    QStatusBar *StatusBar1;

public Q_SLOTS:
    // The gross total, when a rate is chosen and a price typed; the row then counts as modified.
    void CalcoloClick();
    void DBLookupComboBox1Click();
    void BitBtn1Click();
    void SpeedButton14Click();
    // A new row abandoned: deleted without a second question, and the totals follow.
    void spdAnnullaClick();

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    bool controllaSalvataggio() override;
    void dopoSalva() override;

private:
    bool m_descrizioneBreve = false;
};

inline TfrmModificaNotaCreditoRighe *frmModificaNotaCreditoRighe = nullptr;
