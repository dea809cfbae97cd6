#include "ModificaRappresentanteFiscale.h"

#include "forms/Registro.h"

TfrmModificaRappresentanteFiscale::TfrmModificaRappresentanteFiscale(QWidget *parent)
    : ModificaSoggettoTerzo({"frmModificaRappresentanteFiscale", "Rappresentante Fiscale", "RappresentanteFiscale",
                             "RappresentanteFiscale_DatiAnagrafici_", true},
                            parent)
{
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmModificaRappresentanteFiscale, "frmModificaRappresentanteFiscale");
} // namespace
