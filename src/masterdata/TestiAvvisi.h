#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

namespace ui {
class DBMemo;
}

// The stored notice texts the customer-notice wizard copies.
class TfrmGrigliaAvvisi : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaAvvisi(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *e) override;
};

class TfrmAvvisi : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmAvvisi(QWidget *parent = nullptr);
    ui::DBMemo *DBMemo1 = nullptr;
};

inline TfrmGrigliaAvvisi *frmGrigliaAvvisi = nullptr;
inline TfrmAvvisi *frmAvvisi = nullptr;
