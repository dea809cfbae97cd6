#pragma once
// The sales credit-note list: the credit notes TableNotaCredito holds (this year's, or a past
// period while the main window browses the history), filtered as the user types; it opens the
// editor frmNotaCredito on the current credit note, adds a credit note numbered in its series
// and deletes one with everything that depends on it.
#include "forms/ListaDocumenti.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QToolButton;

namespace ui {
class MaskedDateEdit;
}

class TfrmGrigliaNoteCredito : public forms::ListaDocumenti {
    Q_OBJECT
public:
    explicit TfrmGrigliaNoteCredito(QWidget *parent = nullptr);

    QLineEdit *Edit2;             // Numero
    QLineEdit *Edit3;             // Serie
    QComboBox *DBLookupComboBox1; // Cliente (the customer's id as item data)
    ui::MaskedDateEdit *maskDaData;
    ui::MaskedDateEdit *maskAData;

    // What the main window's "Note Credito" does before showing the list: no filter, the number
    // and date boxes empty (the series and the customer keep their values).
    void preparaDaMenu();

public Q_SLOTS:
    // Every change of a box: the boxes' filter; a complete date that is no day is said and the
    // filter in force stays.
    void Edit2Change();
    void spdInserisciClick() override;
    void spdAvantiClick() override;
    void spdEliminaClick() override;
    // Re-points the editor's side datasets on the current credit note.
    void btnRequeryClick() override;
    void spdAggiornaClick();

protected:
    void showEvent(QShowEvent *e) override;
    void cerca() override { Edit2Change(); }

private:
    void riempiClienti();
};

inline TfrmGrigliaNoteCredito *frmGrigliaNoteCredito = nullptr;
