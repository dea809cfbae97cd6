#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Kinds of staff deadlines (PersonaleScadenze.Tipologia keeps the description as text).
class TfrmGrigliaTipologieScadenzePersonale : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaTipologieScadenzePersonale(QWidget *parent = nullptr);
};

class TfrmTipologiaScadenzaPersonale : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmTipologiaScadenzaPersonale(QWidget *parent = nullptr);
};

inline TfrmGrigliaTipologieScadenzePersonale *frmGrigliaTipologieScadenzePersonale = nullptr;
inline TfrmTipologiaScadenzaPersonale *frmTipologiaScadenzaPersonale = nullptr;
