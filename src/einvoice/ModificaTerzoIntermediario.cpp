#include "ModificaTerzoIntermediario.h"

#include "forms/Registro.h"

TfrmModificaTerzoIntermediario::TfrmModificaTerzoIntermediario(QWidget *parent)
    : ModificaSoggettoTerzo({"frmModificaTerzoIntermediario", "Terzo Intermediario", "TerzoIntermediarioOSoggettoEmittente",
                             "TerzoIntermediarioOSoggettoEmittente_", false},
                            parent)
{
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmModificaTerzoIntermediario, "frmModificaTerzoIntermediario");
} // namespace
