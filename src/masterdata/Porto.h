#pragma once
#include "forms/DetailForm.h"

class QPushButton;
namespace masterdata {
class Navigatore;
}

// The carriage terms (Incoterms code and description) named on the transport page of sales
// documents. One row at a time, with its own navigator, "+" and "-"; a modified row is saved
// by "Indietro" as in every detail.
class TfrmPorto : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmPorto(QWidget *parent = nullptr);

    masterdata::Navigatore *DBNavigator2;
    QPushButton *Button3; // "-"
    QPushButton *Button4; // "+"
    ui::DBEdit *DBEdit1;

public Q_SLOTS:
    void Button3Click();
    void Button4Click();
};

inline TfrmPorto *frmPorto = nullptr;
