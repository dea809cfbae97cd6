#pragma once
#include "forms/DetailForm.h"

class QPushButton;

namespace ui {
class DBMemo;
}

// The supplier's detail on the current row of Table9: the Generale page and the economic data.
// Its only check is the name; a save that changed the name brings it into the supplier's
// purchase invoices and credit notes in one transaction with the supplier's row.
class TfrmFornitDett : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmFornitDett(QWidget *parent = nullptr);

    QToolButton *spdStampa;
    QWidget *TabSheet1; // "  Generale  "
    QWidget *TabSheet2; // "  Dati Economici  "
    ui::DBCheckBox *DBCheckBox1;             // Annullato
    ui::DBCheckBox *DBCheckBox2;             // Consenso Privacy
    ui::DBCheckBox *DBCheckBox3;             // importato da xml
    ui::DBLookupComboBox *DBLookupComboBox1; // Categoria
    QToolButton *SpeedButton3;               // new category
    QToolButton *SpeedButton4;               // edit the category
    ui::DBEdit *DBEdit1;                     // Rag. Sociale
    ui::DBEdit *DBEdit9;                     // Partita Iva
    ui::DBEdit *DBEdit10;                    // Codice Fiscale
    ui::DBLookupComboBox *DBLookupComboBox2; // Nazione
    ui::DBLookupComboBox *DBLookupComboBox3; // Comune
    QToolButton *SpeedButton9;               // new town
    QToolButton *SpeedButton8;               // edit the town
    QToolButton *SpeedButton23;              // postcode finder
    ui::DBMemo *DBMemo1;                     // Destinazione Merce
    ui::DBLookupComboBox *DBLookupComboBox4; // Modalità di pagamento
    QToolButton *SpeedButton5;               // new payment method
    QToolButton *SpeedButton2;               // edit the payment method
    QPushButton *btnAssegnoFornitori;        // "Paga fatture"

    // The name was typed into since the last save: the save copies it into the documents.
    bool NomeFornitoreModificato = false;

public Q_SLOTS:
    void spdSalvaClick();
    void spdIndietroClick() override;
    void spdStampaClick();
    void btnAssegnoFornitoriClick();
    void SpeedButton23Click();
    void DBEdit9Exit();
    void DBEdit10Exit();
    void DBLookupComboBox3Click();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    qint64 idCorrente() const;
};

inline TfrmFornitDett *frmFornitDett = nullptr;
