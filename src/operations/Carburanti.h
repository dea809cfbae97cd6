#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Fuel types with their price per litre (tanks and vehicles name one).
class TfrmGrigliaCarburanti : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaCarburanti(QWidget *parent = nullptr);

public Q_SLOTS:
    // A fuel type named by a tank or a vehicle is refused with a message; another is deleted
    // after the question.
    void spdEliminaClick() override;

protected:
    void impostaNuovo() override;
};

class TfrmCarburantiDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmCarburantiDettaglio(QWidget *parent = nullptr);
    ui::DBEdit *DBEdit1; // "Prezzo al litro"
};

inline TfrmGrigliaCarburanti *frmGrigliaCarburanti = nullptr;
inline TfrmCarburantiDettaglio *frmCarburantiDettaglio = nullptr;
