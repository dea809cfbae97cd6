#pragma once
#include "forms/ListForm.h"

// The postcode finder: the hamlets and streets of one town (TableIndirizzi, loaded by the
// caller), from which a double click picks the postcode.
class TfrmTrovaCap : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmTrovaCap(QWidget *parent = nullptr);

    // Set when the finder was left without a choice: the caller then changes nothing.
    bool RicercaAnnullata = false;

public Q_SLOTS:
    // The grid's double click: the current row is the choice.
    void spdAvantiClick() override;

protected:
    void showEvent(QShowEvent *e) override;
};

inline TfrmTrovaCap *frmTrovaCap = nullptr;
