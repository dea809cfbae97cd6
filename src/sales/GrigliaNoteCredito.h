#pragma once
// The sales credit-note list: the credit notes TableNotaCredito holds (this year's, or a past
// period while the main window browses the history), filtered as the user types; it opens the
// editor frmNotaCredito on the current credit note, adds a credit note numbered in its series
// and deletes one with everything that depends on it.
#include "forms/ListForm.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QToolButton;

namespace ui {
class MaskedDateEdit;
}

class TfrmGrigliaNoteCredito : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaNoteCredito(QWidget *parent = nullptr);

    QToolButton *btnRequery; // hidden
    QGroupBox *GroupBox1;
    QLineEdit *Edit2;             // Numero
    QLineEdit *Edit3;             // Serie
    QComboBox *DBLookupComboBox1; // Cliente (the customer's id as item data)
    ui::MaskedDateEdit *maskDaData;
    ui::MaskedDateEdit *maskAData;

    // The id of the credit note the last "Aggiungi" stored (0 when it stored none).
    qint64 ultimaAggiunta() const { return m_ultimaAggiunta; }
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
    void btnRequeryClick();
    void spdAggiornaClick();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void riempiClienti();
    qint64 idCorrente() const;
    QList<QWidget *> m_caselle;
    qint64 m_ultimaAggiunta = 0;
};

inline TfrmGrigliaNoteCredito *frmGrigliaNoteCredito = nullptr;
