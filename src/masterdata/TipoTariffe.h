#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Tariff types (referred to by Id; the row with Id 5 is the supplements type of the sales
// documents, kept here like any other row).
class TfrmGrigliaTipoTariffe : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaTipoTariffe(QWidget *parent = nullptr);
};

class TfrmTipoTariffe_Dettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmTipoTariffe_Dettaglio(QWidget *parent = nullptr);
};

inline TfrmGrigliaTipoTariffe *frmGrigliaTipoTariffe = nullptr;
inline TfrmTipoTariffe_Dettaglio *frmTipoTariffe_Dettaglio = nullptr;
