#pragma once
// The intermediary that issues the company's invoices, written in the e-invoice header when
// "Includi" is on.
#include "ModificaSoggettoTerzo.h"

class TfrmModificaTerzoIntermediario : public ModificaSoggettoTerzo {
    Q_OBJECT
public:
    explicit TfrmModificaTerzoIntermediario(QWidget *parent = nullptr);
};

inline TfrmModificaTerzoIntermediario *frmModificaTerzoIntermediario = nullptr;
