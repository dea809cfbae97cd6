#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Vehicle makes, shown as "Marche" (vehicle types and vehicles keep the make's description
// as text, so renaming a make does not reach them).
class TfrmModelli : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmModelli(QWidget *parent = nullptr);
};

class TfrmModelliDett : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmModelliDett(QWidget *parent = nullptr);
};

inline TfrmModelli *frmModelli = nullptr;
inline TfrmModelliDett *frmModelliDett = nullptr;
