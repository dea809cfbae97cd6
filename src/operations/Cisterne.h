#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

#include <functional>

class QToolButton;
namespace ui {
class DBGrid;
class DBLookupComboBox;
} // namespace ui

// The company's own fuel tanks: the list, and the editor whose second page lists the tank's
// loads (one load is edited in TfrmModificaCisterneRighe). The stock moves through the
// `cisterne` service, in the transaction that stores or deletes each load.
class TfrmGrigliaCisterne : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaCisterne(QWidget *parent = nullptr);

public Q_SLOTS:
    void spdInserisciClick() override;
    void spdAvantiClick() override;
    // After the question (or without it, under EliminaSenzaConferma) the tank and its loads go
    // in one transaction.
    void spdEliminaClick() override;
    // "REquery": the loads of the current tank into TableCisterneCarico.
    void btnRequeryClick();

protected:
    void impostaNuovo() override;
};

class TfrmCisterneDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmCisterneDettaglio(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1;                  // Litri
    ui::DBEdit *DBEdit3;                  // Note
    ui::DBLookupComboBox *DBLookupComboBox1; // Carburante
    QToolButton *SpeedButton1;            // opens the fuel type
    QToolButton *SpeedButton2;            // "+": a new fuel type
    ui::DBGrid *DBGrid1;                  // the loads
    QToolButton *spdEliminaDett;
    QToolButton *spdInserisciDett;
    QToolButton *spdAvantiDett;

public Q_SLOTS:
    void spdInserisciDettClick();
    void spdAvantiDettClick();
    // No question: the load goes and its litres come off the tank at once.
    void spdEliminaDettClick();
    void DBGrid1TitleClick(const QString &campo);
    void SalvaGriglia1Click();
};

namespace operazioni {

// Deletes through `elimina` (a service; false when it refused and said why), then reads the
// list again on the row that preceded the deleted one. A database error is shown.
bool eliminaERileggi(QWidget *finestra, db::Query *q, const std::function<bool()> &elimina);

// The current tank's row read again, after a movement stored its new stock.
void rileggiCisterna();

} // namespace operazioni

inline TfrmGrigliaCisterne *frmGrigliaCisterne = nullptr;
inline TfrmCisterneDettaglio *frmCisterneDettaglio = nullptr;
