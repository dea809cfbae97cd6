#pragma once
// The company's own bank accounts (table Bank): the list and the detail. Documents, instalments
// and cash-book rows name an account by its id; the document editors add one through the
// list's spdInserisciClick, after which the new account is the current row of Table5.
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

namespace ui {
class DBEdit;
class DBLookupComboBox;
} // namespace ui

class TfrmGrigliaBanche : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaBanche(QWidget *parent = nullptr);

protected:
    void primaDiAggiungere() override;
    void impostaNuovo() override;
};

class TAnaBanca : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TAnaBanca(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1;  // Banca
    ui::DBEdit *DBEdit5;  // Indirizzo
    ui::DBEdit *DBEdit6;  // Numero
    ui::DBLookupComboBox *DBLookupComboBox1; // Comune
    ui::DBEdit *DBEdit7;  // Cap
    ui::DBEdit *DBEdit8;  // Provincia
    ui::DBEdit *DBEdit9;  // Telefono
    ui::DBEdit *DBEdit10; // Fax
    ui::DBEdit *DBEdit11; // Email
    ui::DBEdit *DBEdit13; // Codice Iban
    ui::DBEdit *DBEdit28; // Saldo iniziale
    // Beneficiario is DBEdit2 (the family's description edit, which banks otherwise lack).

public Q_SLOTS:
    // A town was picked: its postcode and province come with it.
    void DBLookupComboBox1Click();
    // Backspace or Delete in the town: town, postcode and province are emptied.
    void DBLookupComboBox1Cancella();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
};

inline TfrmGrigliaBanche *frmGrigliaBanche = nullptr;
inline TAnaBanca *AnaBanca = nullptr;
