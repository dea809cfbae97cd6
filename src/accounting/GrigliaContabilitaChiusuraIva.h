#pragma once
// The VAT settlements, by quarter and by month: the lists.
#include "accounting/services/ChiusuraIva.h"
#include "forms/ListForm.h"

class QPushButton;

// The quarterly settlements; the monthly list is the same with its own tables and texts.
class TfrmGrigliaContabilitaChiusuraIva : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaContabilitaChiusuraIva(QWidget *parent = nullptr);

    QPushButton *btnRequery;
    contabilita::Periodicita periodicita() const { return m_periodicita; }
    // The year box emptied, the list unfiltered and shown without waiting.
    void apri();

    QString filtroRicerca() const override;

public Q_SLOTS:
    void spdInserisciClick() override;
    void spdAvantiClick() override;
    void spdEliminaClick() override;
    void btnRequeryClick();

protected:
    TfrmGrigliaContabilitaChiusuraIva(contabilita::Periodicita p, QWidget *parent);

private:
    contabilita::Periodicita m_periodicita;
};

class TfrmGrigliaContabilitaChiusuraIvaMensile : public TfrmGrigliaContabilitaChiusuraIva {
    Q_OBJECT
public:
    explicit TfrmGrigliaContabilitaChiusuraIvaMensile(QWidget *parent = nullptr);
};

inline TfrmGrigliaContabilitaChiusuraIva *frmGrigliaContabilitaChiusuraIva = nullptr;
inline TfrmGrigliaContabilitaChiusuraIvaMensile *frmGrigliaContabilitaChiusuraIvaMensile = nullptr;
