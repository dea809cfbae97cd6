#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Departments (prezziar.Reparto keeps the description as text).
class TfrmReparti : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmReparti(QWidget *parent = nullptr);
};

class TfrmRepartiDett : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmRepartiDett(QWidget *parent = nullptr);
};

inline TfrmReparti *frmReparti = nullptr;
inline TfrmRepartiDett *frmRepartiDett = nullptr;
