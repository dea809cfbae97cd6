#pragma once
// What the row editors of the sales documents share: the current row of the document editor's
// rows, edited in place; the gross while prices are typed, the unit price back from a final
// price, the VAT rate with its code, staff, vehicle and account, the checks, and the save of
// the row with the document's totals and instalments in one transaction through the editor
// (forms::EditorDocumento::aggiornaDocumento). Each kind declares its differences.
#include "forms/DetailForm.h"

#include <functional>

class QPushButton;
class QStatusBar;
class QToolButton;

namespace forms {
class EditorDocumento;
}

namespace ui {
class DBEdit;
class DBLookupComboBox;
class DBMemo;
} // namespace ui

class ModificaRigaDocumento : public forms::DetailForm {
    Q_OBJECT
public:
    struct TipoRiga {
        Config dettaglio;
        QString chiave = QStringLiteral("Idx"); // the rows' key column
        QString campoIva = QStringLiteral("Iva_ID");
        // "Calcola" beside the quantity (the quantity from the kilometres), and the open and
        // add buttons beside the unit.
        bool pulsantiQuantitaUnita = false;
        QString etichettaAutista; // "Autista", "Trasportatore"
        QString apriAutista;
        QString aggiungiAutista;
        QString etichettaConto;   // "Conto", "Contabilità conto"
        // The gross computed marks the row modified even when it did not change.
        bool calcoloModifica = false;
        // A failed check of quantity, price or rate puts the focus in that field.
        bool fuocoSulCampo = false;
        // The document editor the row belongs to (nullptr: the row alone is stored).
        std::function<forms::EditorDocumento *()> editore;
    };

    explicit ModificaRigaDocumento(TipoRiga tipo, QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1;                     // "Codice"
    ui::DBEdit *DBEdit3;                     // "Numero di riga"
    ui::DBMemo *DBMemo1;                     // "Descrizione"
    ui::DBEdit *DBEdit4;                     // "Quantità"
    QPushButton *Button1 = nullptr;          // "Calcola": the quantity from the kilometres
    ui::DBLookupComboBox *DBLookupComboBox2; // "Unità di misura"
    QToolButton *SpeedButton1 = nullptr;     // opens the unit
    QToolButton *SpeedButton2 = nullptr;     // adds a unit
    ui::DBEdit *DBEdit6;                     // "Valore Unitario"
    ui::DBEdit *DBEdit7;                     // "Sconto"
    ui::DBLookupComboBox *DBLookupComboBox1; // "Aliquota Iva"
    ui::DBEdit *DBEdit8;                     // "Valore Totale"
    QPushButton *BitBtn1;                    // "Calcola il Valore Unitario"
    ui::DBLookupComboBox *DBLookupComboBox3; // the driver or carrier
    QToolButton *SpeedButton3;               // adds a staff member
    QToolButton *SpeedButton4;               // opens the staff member
    ui::DBLookupComboBox *DBLookupComboBox4; // "Mezzo"
    QToolButton *SpeedButton6;               // adds a vehicle
    QToolButton *SpeedButton5;               // opens the vehicle
    ui::DBLookupComboBox *DBLookupComboBox5; // the account
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
    void SpeedButton14Click();
    // A new row abandoned: deleted, and the document's totals follow.
    void spdAnnullaClick();

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    bool controllaSalvataggio() override;
    // The row with its net and gross, the document's totals and instalments: one transaction.
    bool salvaRiga() override;

private:
    TipoRiga m_tipo;
    // The rows grid shows descriptions cut short; this form edits them whole meanwhile.
    bool m_descrizioneBreve = false;
};
