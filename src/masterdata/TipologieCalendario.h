#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Kinds of calendar entries (Calendario.TipologiaCalendario keeps the description as text).
class TfrmGrigliaTipologieCalendario : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaTipologieCalendario(QWidget *parent = nullptr);
};

class TfrmTipologiaCalendario : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmTipologiaCalendario(QWidget *parent = nullptr);
};

inline TfrmGrigliaTipologieCalendario *frmGrigliaTipologieCalendario = nullptr;
inline TfrmTipologiaCalendario *frmTipologiaCalendario = nullptr;
