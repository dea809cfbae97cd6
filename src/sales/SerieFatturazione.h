#pragma once
// The invoicing series of a company that numbers its sales documents in several series. The
// editor works on the shared TableSerieFatturazione, which every series lookup lists, so a
// series stored here is offered at once. Documents keep the series' code, not its key:
// renaming or deleting a series leaves them as they are.
#include <QDialog>

class QPushButton;
class QToolBar;
class QToolButton;

namespace masterdata {
class Navigatore;
}
namespace ui {
class DBEdit;
}

class TfrmSerieFatturazione : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSerieFatturazione(QWidget *parent = nullptr);

    QToolBar *ToolBar2;
    QToolButton *spdIndietro;
    masterdata::Navigatore *DBNavigator1;
    QPushButton *Button4; // "+"
    QPushButton *Button3; // "-"
    ui::DBEdit *DBEdit1;  // "Serie"
    ui::DBEdit *DBEdit2;  // "Descrizione"
    ui::DBEdit *DBEdit3;  // "Note"
    QPushButton *bitSalva;

public Q_SLOTS:
    void Button4Click();   // begins a new series, stored only by "salva"
    void Button3Click();   // deletes the current series after the question
    void bitSalvaClick();  // stores the current series; its code is required
    void spdIndietroClick();

protected:
    // Leaving saves nothing: a series begun or changed and not stored is dropped.
    void done(int r) override;
    void showEvent(QShowEvent *e) override;
};

inline TfrmSerieFatturazione *frmSerieFatturazione = nullptr;
