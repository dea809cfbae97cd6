#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

class QToolButton;
namespace ui {
class DBLookupComboBox;
}

// Refuelling points: named places with their town and address.
class TfrmGrigliaRifornimenti : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaRifornimenti(QWidget *parent = nullptr);

protected:
    void impostaNuovo() override;
};

class TfrmRifornimentiDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmRifornimentiDettaglio(QWidget *parent = nullptr);

    ui::DBLookupComboBox *DBLookupComboBox1; // Comune
    QToolButton *SpeedButton1;               // opens the town
    QToolButton *SpeedButton2;               // "+": a new town
    ui::DBEdit *DBEdit3;                     // Indirizzo
    ui::DBEdit *DBEdit4;                     // Note

public Q_SLOTS:
    void DBLookupComboBox1Click();
    void DBLookupComboBox1Cancella();
    void SpeedButton1Click();
};

inline TfrmGrigliaRifornimenti *frmGrigliaRifornimenti = nullptr;
inline TfrmRifornimentiDettaglio *frmRifornimentiDettaglio = nullptr;
