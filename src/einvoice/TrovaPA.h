#pragma once
// The finder of the public-administration offices: searches the register by eight boxes and
// copies the chosen office into the customer being edited (the current row of Table7).
#include <QDialog>
#include <QList>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolBar;
class QToolButton;

namespace ui {
class DBGrid;
}

class TfrmTrovaPA : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTrovaPA(QWidget *parent = nullptr);

    QToolBar *ToolBar1;
    QToolButton *spdHelp;
    QToolButton *spdIndietro;
    QToolButton *spdAvanti;
    QLineEdit *Edit1; // Comune
    QLineEdit *Edit2; // Desc. PA
    QLineEdit *Edit3; // Cod. univoco
    QLineEdit *Edit4; // Ufficio
    QLineEdit *Edit5; // Cod. fiscale
    QLineEdit *Edit6; // Provincia
    QLineEdit *Edit7; // Indirizzo
    QLineEdit *Edit8; // Tipologia
    QPushButton *BitBtn2; // cerca
    QPushButton *BitBtn3; // reset
    ui::DBGrid *DBGrid1;
    QMenu *PopupMenu1;
    QAction *SalvaGriglia1;
    QAction *EliminaColonna1;
    QAction *ResetGriglia1;

public Q_SLOTS:
    // "cerca": the offices the boxes find, or a message when no box has a criterion or the
    // register is empty (the result then stays closed).
    void BitBtn2Click();
    // "reset": empties the boxes and closes the result.
    void BitBtn3Click();
    // "Avanti" and the grid's double click: after the question, the current office is written
    // into the customer's current row, which is saved; then the finder closes.
    void spdAvantiClick();
    void DBGrid1DblClick();
    // "Indietro": closes the finder; nothing is copied.
    void spdIndietroClick();
    void spdHelpClick();
    void DBGrid1TitleClick(const QString &campo);
    void SalvaGriglia1Click();
    void EliminaColonna1Click();
    void ResetGriglia1Click();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QList<QLineEdit *> m_caselle;
};

inline TfrmTrovaPA *frmTrovaPA = nullptr;
