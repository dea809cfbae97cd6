#pragma once
// The VAT settlement editor, by quarter and by month: the period, the carried credit, the
// totals, "Calcola", and the rows on four pages.
#include "accounting/services/ChiusuraIva.h"
#include "forms/DetailForm.h"

class QToolButton;
namespace ui {
class DBEdit;
class DBGrid;
class DBLookupComboBox;
} // namespace ui

namespace db {
class Query;
}

// The shared dataset of a kind's taxable or non-subject rows.
db::Query *righeChiusura(contabilita::Periodicita p, bool nonSoggette);
// Opens both row datasets of a kind on the rows of settlement `id`, unfiltered.
void caricaRigheChiusura(contabilita::Periodicita p, qint64 id);

class TfrmContabilitaChiusuraIva : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmContabilitaChiusuraIva(QWidget *parent = nullptr);

    ui::DBLookupComboBox *DBLookupComboBox10;
    ui::DBEdit *DBEdit11, *DBEdit8, *DBEdit9, *DBEdit1, *DBEdit4, *DBEdit3, *DBEdit5, *DBEdit6, *DBEdit7;
    ui::DBGrid *DBGrid1, *DBGrid2, *DBGrid3, *DBGrid4;
    QToolButton *SpeedButton3; // "Calcola"

public Q_SLOTS:
    void SpeedButton3Click();
    void PageControl1Change() override;

protected:
    TfrmContabilitaChiusuraIva(contabilita::Periodicita p, QWidget *parent);
    bool controllaSalvataggio() override;
    void primaDiSalvare() override;

private:
    void mancaPeriodo();
    contabilita::Periodicita m_periodicita;
};

class TfrmContabilitaChiusuraIvaMensile : public TfrmContabilitaChiusuraIva {
    Q_OBJECT
public:
    explicit TfrmContabilitaChiusuraIvaMensile(QWidget *parent = nullptr);
};

inline TfrmContabilitaChiusuraIva *frmContabilitaChiusuraIva = nullptr;
inline TfrmContabilitaChiusuraIvaMensile *frmContabilitaChiusuraIvaMensile = nullptr;
