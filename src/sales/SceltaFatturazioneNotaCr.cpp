#include "SceltaFatturazioneNotaCr.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmSceltaFatturazioneNotaCr::TfrmSceltaFatturazioneNotaCr(QWidget *parent)
    : vendite::SceltaSerie({QStringLiteral("frmSceltaFatturazioneNotaCr"), QStringLiteral("Scegli la Serie Fatturazione"),
                            form_DB->TableNotaCredito, form_DB->SourceNotaCredito, false},
                           parent)
{
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(frmSceltaFatturazioneNotaCr, "frmSceltaFatturazioneNotaCr");
} // namespace
