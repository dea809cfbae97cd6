#pragma once
#include "SceltaSerieFatturazione.h"

// Sales credit notes: the series of the new row of TableNotaCredito.
class TfrmSceltaFatturazioneNotaCr : public vendite::SceltaSerie {
    Q_OBJECT
public:
    explicit TfrmSceltaFatturazioneNotaCr(QWidget *parent = nullptr);
};

inline TfrmSceltaFatturazioneNotaCr *frmSceltaFatturazioneNotaCr = nullptr;
