#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Staff categories (Personale.CategoriaPersonale_ID).
class TfrmGrigliaCategoriePersonale : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaCategoriePersonale(QWidget *parent = nullptr);
};

class TfrmCategoriePersonaleDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmCategoriePersonaleDettaglio(QWidget *parent = nullptr);
};

inline TfrmGrigliaCategoriePersonale *frmGrigliaCategoriePersonale = nullptr;
inline TfrmCategoriePersonaleDettaglio *frmCategoriePersonaleDettaglio = nullptr;
