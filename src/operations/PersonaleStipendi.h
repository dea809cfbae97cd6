#pragma once
#include "forms/DetailForm.h"

class QComboBox;
class QPushButton;

namespace ui {
class DBMemo;
class FieldLink;
} // namespace ui

// One salary payment of an employee: year and month, payment date, the transfer's amount, the
// days, base pay, travel, allowances, charges and credits with their descriptions; "Calcola"
// (and every save) writes the partial total.
class TfrmPersonaleStipendi : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmPersonaleStipendi(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1;     // Anno
    QComboBox *DBComboBox1;  // Mese, "01" to "12"
    ui::DBEdit *DBEdit2;     // Data Pagamento
    ui::DBEdit *DBEdit3;     // Importo bonifico
    ui::DBEdit *DBEdit4;     // Giorni
    ui::DBEdit *DBEdit5;     // Base
    ui::DBEdit *DBEdit6;     // Trasferta
    ui::DBEdit *DBEdit7;     // Assegni
    ui::DBEdit *DBEdit8;     // Addebiti
    ui::DBMemo *DBMemo1;     // Desciz. Addebiti
    ui::DBEdit *DBEdit9;     // Accrediti
    ui::DBMemo *DBMemo2;     // Descriz.Accrediti
    ui::DBEdit *DBEdit10;    // Note
    ui::DBEdit *DBEdit11;    // Totale (read-only)
    QPushButton *Button1;    // "Calcola"

public Q_SLOTS:
    void Button1Click();

protected:
    void primaDiSalvare() override;
    void showEvent(QShowEvent *e) override;

private:
    ui::FieldLink *m_mese;
};

inline TfrmPersonaleStipendi *frmPersonaleStipendi = nullptr;
