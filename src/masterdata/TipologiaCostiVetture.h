#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Kinds of vehicle costs (VettureCosti.TipologiaCosto_id), some of them extraordinary.
class TfrmGrigliaTipologiaCostiVetture : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaTipologiaCostiVetture(QWidget *parent = nullptr);
};

class TfrmTipologiaCostiVettureDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmTipologiaCostiVettureDettaglio(QWidget *parent = nullptr);

    ui::DBCheckBox *DBCheckBox2;
};

inline TfrmGrigliaTipologiaCostiVetture *frmGrigliaTipologiaCostiVetture = nullptr;
inline TfrmTipologiaCostiVettureDettaglio *frmTipologiaCostiVettureDettaglio = nullptr;
