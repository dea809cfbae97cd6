#pragma once
// The due-date schedule: the instalments of every document in the view the main window chose
// (open or paid, customers' or suppliers'), overdue ones in red, filtered by due dates and text
// boxes, opened in the instalment editor and deleted with their cash-book payment row.
#include "accounting/services/Scadenziario.h"
#include "forms/ListForm.h"

class QLineEdit;
class QToolButton;

namespace ui {
class MaskedDateEdit;
}

class TfrmScadenziario : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmScadenziario(QWidget *parent = nullptr);

    ui::MaskedDateEdit *maskDaScadenza;
    ui::MaskedDateEdit *maskAScadenza;
    QLineEdit *txtCliente;
    QLineEdit *txtFornitore;
    // Edit1 (the family's member): "Mod. Pagamento"
    QLineEdit *Edit2;          // Dettagli
    QLineEdit *Edit3;          // Iban
    QLineEdit *Edit4;          // N° Docum.
    QLineEdit *Edit5;          // Serie Doc.
    QToolButton *BitBtn2;      // cerca
    QToolButton *BitBtn3;      // reset
    QToolButton *btnRequery;   // hidden: loads the current instalment for the editor

    // What a main-window button does: the view's query, the filters reset, the caption, the
    // counterpart's column, the editor's label and lookup; then the list shown modally, and its
    // filter cleared after.
    void mostraVista(scadenziario::Vista vista);
    // The same preparation without showing the list.
    void preparaVista(scadenziario::Vista vista);

public Q_SLOTS:
    // "cerca": the boxes' filter; a date or a number that cannot be placed is said and the
    // filter in force stays.
    void BitBtn2Click();
    // "reset": no filter, every box empty.
    void BitBtn3Click() override;
    void btnRequeryClick();
    void spdAvantiClick() override;
    void spdEliminaClick() override;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QList<QWidget *> m_caselle;
};

inline TfrmScadenziario *frmScadenziario = nullptr;
