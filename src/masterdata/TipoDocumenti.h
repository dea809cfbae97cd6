#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Identity-document types of the staff (Personale.DocTipo keeps the description as text).
class TfrmGrigliaTipoDocumenti : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaTipoDocumenti(QWidget *parent = nullptr);
};

class TfrmTipoDocumenti : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmTipoDocumenti(QWidget *parent = nullptr);
};

inline TfrmGrigliaTipoDocumenti *frmGrigliaTipoDocumenti = nullptr;
inline TfrmTipoDocumenti *frmTipoDocumenti = nullptr;
