#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

// Vehicle colours (Vetture.Colore keeps the description as text).
class TfrmGrigliaColori : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaColori(QWidget *parent = nullptr);

protected:
    void primaDiAggiungere() override;
};

class TfrmColoriDett : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmColoriDett(QWidget *parent = nullptr);
};

inline TfrmGrigliaColori *frmGrigliaColori = nullptr;
inline TfrmColoriDett *frmColoriDett = nullptr;
