#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Kinds of staff costs (PersonaleCosti.TipologiaCosto_id).
class TfrmGrigliaTipologieCostiPersonale : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaTipologieCostiPersonale(QWidget *parent = nullptr);
};

class TfrmTipologiaCostiPersonaleDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmTipologiaCostiPersonaleDettaglio(QWidget *parent = nullptr);
};

inline TfrmGrigliaTipologieCostiPersonale *frmGrigliaTipologieCostiPersonale = nullptr;
inline TfrmTipologiaCostiPersonaleDettaglio *frmTipologiaCostiPersonaleDettaglio = nullptr;
