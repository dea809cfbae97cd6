#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Supplier categories (Fornitor.Categoria_ID).
class TfrmCategorieFornitori_Griglia : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmCategorieFornitori_Griglia(QWidget *parent = nullptr);
};

class TfrmCategorieFornitori : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmCategorieFornitori(QWidget *parent = nullptr);
};

inline TfrmCategorieFornitori_Griglia *frmCategorieFornitori_Griglia = nullptr;
inline TfrmCategorieFornitori *frmCategorieFornitori = nullptr;
