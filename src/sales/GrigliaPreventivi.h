#pragma once
// The quote list: the quotes Table16 holds (those not in history, or a past period while the
// main window browses the history), searched as the user types; it opens the quote editor
// frmPreventivi on the current quote, adds a quote with the next number (also for a seizure,
// under DaSequestro) and deletes a quote with its rows.
#include "forms/ListaDocumenti.h"

class QGroupBox;
class QLineEdit;
class QToolButton;

namespace ui {
class MaskedDateEdit;
}

class TfrmGrigliaPreventivi : public forms::ListaDocumenti {
    Q_OBJECT
public:
    explicit TfrmGrigliaPreventivi(QWidget *parent = nullptr);

    // GroupBox1 is "Filtra per ".
    // Edit1 ("Cliente") is the family's member.
    QLineEdit *Edit2; // "Numero"
    ui::MaskedDateEdit *maskDaData;
    ui::MaskedDateEdit *maskAData;
    QLineEdit *Edit3; // "Targa"

public Q_SLOTS:
    // The boxes' filter, at every change; a box that holds no date or no number is said and
    // the filter in force stays.
    void Edit1Change();
    void Edit2Change() { Edit1Change(); }
    void maskDaDataChange() { Edit1Change(); }
    void maskADataChange() { Edit1Change(); }
    // A new quote, numbered, then the editor on it with "Annulla"; under DaSequestro for the
    // seizure current in TableSequestri.
    void spdInserisciClick() override;
    void spdAvantiClick() override;
    // The current quote with its rows (without the question while EliminaSenzaConferma is set).
    void spdEliminaClick() override;
    // Re-points the rows Table11 on the current quote.
    void btnRequeryClick() override;
    // Re-reads the rows, the quotes and the customers.
    void spdAggiornaClick();

protected:
    void cerca() override { Edit1Change(); }
};

inline TfrmGrigliaPreventivi *frmGrigliaPreventivi = nullptr;
