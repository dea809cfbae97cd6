#pragma once
// The sales-invoice list: the invoices Table3 holds (this year's, or a past period while the
// main window browses the history), searched by its boxes; it opens the editor Form7 on the
// current invoice, adds an invoice numbered in its series, deletes one with everything that
// depends on it, and exports one to a file for the e-mail form.
#include "forms/ListaDocumenti.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QToolButton;

namespace ui {
class MaskedDateEdit;
}

class TfrmGrigliaFatture : public forms::ListaDocumenti {
    Q_OBJECT
public:
    explicit TfrmGrigliaFatture(QWidget *parent = nullptr);

    QToolButton *spdEsportaDocumento;
    QLineEdit *txtDaNumero;
    QLineEdit *txtANumero;
    QLineEdit *txtSerie;
    ui::MaskedDateEdit *maskDaData;
    ui::MaskedDateEdit *maskAData;
    QLineEdit *Edit2;             // Targa
    QComboBox *DBLookupComboBox2; // Banca (the account's id as item data)
    QComboBox *DBLookupComboBox1; // Cliente
    QComboBox *DBLookupComboBox3; // Mod. di pagamento
    QToolButton *BitBtn3;         // reset
    QToolButton *Filtra;          // cerca
    // Edit1 ("num. Ordine") is the family's member.

public Q_SLOTS:
    // "cerca": the boxes' filter; a box that holds no date or no number is said and the
    // filter in force stays.
    void FiltraClick();
    // "reset": no filter, every box empty.
    void BitBtn3Click() override;
    // A new invoice, numbered in its series, with its schedule, then the editor on it.
    void spdInserisciClick() override;
    void spdAvantiClick() override;
    // The current invoice with everything that depends on it (without the question while
    // EliminaSenzaConferma is set).
    void spdEliminaClick() override;
    // Re-points the editor's side datasets on the current invoice.
    void btnRequeryClick() override;
    // Prints the invoice to a file and hands it to the e-mail form.
    void spdEsportaDocumentoClick();
    void spdAggiornaClick();

protected:
    void showEvent(QShowEvent *e) override;
    void cerca() override { FiltraClick(); }

private:
    // The lookups' items from their datasets, the choice kept.
    void riempiScelte();
};

inline TfrmGrigliaFatture *frmGrigliaFatture = nullptr;
