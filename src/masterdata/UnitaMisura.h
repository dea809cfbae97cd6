#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Units of measure of tariffs and document rows (referred to by Id).
class TfrmGrigliaUnitaMisura : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaUnitaMisura(QWidget *parent = nullptr);
};

class TfrmUnitaMisura : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmUnitaMisura(QWidget *parent = nullptr);
};

inline TfrmGrigliaUnitaMisura *frmGrigliaUnitaMisura = nullptr;
inline TfrmUnitaMisura *frmUnitaMisura = nullptr;
