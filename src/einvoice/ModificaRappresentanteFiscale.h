#pragma once
// The company's fiscal representative, written in the e-invoice header when "Includi" is on.
#include "ModificaSoggettoTerzo.h"

class TfrmModificaRappresentanteFiscale : public ModificaSoggettoTerzo {
    Q_OBJECT
public:
    explicit TfrmModificaRappresentanteFiscale(QWidget *parent = nullptr);
};

inline TfrmModificaRappresentanteFiscale *frmModificaRappresentanteFiscale = nullptr;
