#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Seizing authorities. A seizure keeps the authority's id and a copy of its name, which the
// detail brings up to date at every save.
class TfrmGrigliaEntiSequestratori : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaEntiSequestratori(QWidget *parent = nullptr);
};

class TfrmEntiSequestratori_Dettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmEntiSequestratori_Dettaglio(QWidget *parent = nullptr);

protected:
    void dopoSalva() override;
};

inline TfrmGrigliaEntiSequestratori *frmGrigliaEntiSequestratori = nullptr;
inline TfrmEntiSequestratori_Dettaglio *frmEntiSequestratori_Dettaglio = nullptr;
