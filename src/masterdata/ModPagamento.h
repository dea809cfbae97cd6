#pragma once
// Payment methods: how many instalments a document is paid in, after how many days each falls
// due, how the days are counted, and the FatturaPA payment mode. The list and the detail work
// on the shared TableModPaga, which every payment-method lookup of the program lists.
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

#include <array>

class QGroupBox;

namespace ui {
class DBCheckBox;
class DBEdit;
class DBLookupComboBox;
} // namespace ui

class TfrmModPagam : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmModPagam(QWidget *parent = nullptr);
};

class TfrmModPagamDett : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmModPagamDett(QWidget *parent = nullptr);

    ui::DBLookupComboBox *DBLookupComboBox10; // "Tipologia"
    ui::DBEdit *DBEdit7;                      // "N° Scadenze"
    ui::DBCheckBox *DBCheckBox1;              // "Scadenza a Data Fattura Fine Mese"
    ui::DBCheckBox *DBCheckBox2;              // "Visualizza in prima nota cassa"
    QGroupBox *GroupBox1;                     // "Scadenze"
    std::array<ui::DBEdit *, 12> DBEditGiorni{}; // "1° Scadenza" ... "12° Scadenza"
    ui::DBCheckBox *DBCheckBox3;              // "Non visualizzare le scadenze in stampa"
    ui::DBCheckBox *DBCheckBox4;              // "Calcola prima Fine Mese eppoi i giorni"
    ui::DBCheckBox *DBCheckBox5;              // "Anno Commerciale"

public Q_SLOTS:
    // Leaving "N° Scadenze": a count above 12 (or below 0) is brought within the twelve columns.
    void DBEdit7Exit();

protected:
    bool controllaSalvataggio() override;
    void primaDiSalvare() override;
};

inline TfrmModPagam *frmModPagam = nullptr;
inline TfrmModPagamDett *frmModPagamDett = nullptr;
