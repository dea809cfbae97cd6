#pragma once
// The instalment editor: one row of FatturaScadenze, the current row of TableFatturaScadenze
// that its caller prepared (the schedule, the reminders, the document editors). Its save keeps
// the instalment's cash-book payment row in step, in one transaction with the instalment.
#include "forms/DetailForm.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace ui {
class DBEdit;
class DBLookupComboBox;
} // namespace ui

class TfrmScadenziarioDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmScadenziarioDettaglio(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit7;                     // N° Rata
    ui::DBEdit *DBEdit1;                     // Descrizione Operazione
    ui::DBEdit *DBEdit2;                     // Data Scadenza
    QLabel *Label2;                          // "Cliente" or "Fornitore", set by the caller
    ui::DBLookupComboBox *LookClienti;       // Cliente_id
    ui::DBLookupComboBox *LookFornitori;     // Fornitore_id, in the same place
    ui::DBEdit *DBEdit4;                     // Importo Totale
    ui::DBEdit *DBEdit5;                     // Note
    ui::DBEdit *DBEdit6;                     // Data Pagamento effettuato
    QPushButton *Button1;                    // "Oggi"
    ui::DBEdit *DBEdit3;                     // Dettagli pagamento
    ui::DBLookupComboBox *DBLookupComboBox1; // Modalità di pagamento
    ui::DBLookupComboBox *DBLookupComboBox4; // Banca
    ui::DBEdit *DBEdit9;                     // File
    QToolButton *SpeedButton15;              // file search
    QPushButton *Button7;                    // "Vedi"
    QToolButton *spdPrimaNota;

    // Labels and shows the counterpart of a sales ("Cliente") or purchase ("Fornitore") instalment.
    void mostraParte(bool fornitore);

public Q_SLOTS:
    // The save: the checks in the order of their messages, then the instalment and its cash-book
    // row in one transaction. A refusal leaves the database as it was and the edits on the form.
    void spdSalvaClick();
    void spdIndietroClick() override;
    void Button1Click();
    void SpeedButton15Click();
    void Button7Click();
    void spdPrimaNotaClick();

private:
    bool controllaCampi();
};

inline TfrmScadenziarioDettaglio *frmScadenziarioDettaglio = nullptr;
