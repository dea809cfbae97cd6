#pragma once
#include "TabellaSingola.h"

// The usage states (table StatoUso). No other form opens it and no table refers to it.
class TfrmStatoUso : public masterdata::TabellaSingola {
    Q_OBJECT
public:
    explicit TfrmStatoUso(QWidget *parent = nullptr);
};

inline TfrmStatoUso *frmStatoUso = nullptr;
