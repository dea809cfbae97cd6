#pragma once
// The price list: the tariffs of the shared Table1, searched by seven boxes. From the main
// menu it manages them (add, copy, delete, change prices of a selection, open the detail); a
// document or the calendar shows it to pick tariffs, and reads the chosen ones from the global
// TariffeScelte as a WHERE clause.
#include "forms/ListForm.h"

class QAction;
class QLineEdit;
class QToolButton;

// Set by the main window around its management loop: the search then lists withdrawn tariffs
// too, and the buttons that change the price list are enabled.
inline bool ListinoDaMenu = false;

class TForm2 : public forms::ListForm {
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);

    QToolButton *spdCopia;
    QToolButton *spdAumentaDiminuisci; // "Cambia prezzi"
    QAction *ContaRecord1;
    // The search boxes after Edit1 ("Descrizione"): "Cliente", "Note", "Codice", "Reparto", "Da", "A".
    QLineEdit *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7;

    // The picker's base filter first, then the boxes; withdrawn tariffs hidden unless the main
    // window manages the list.
    QString filtroRicerca() const override;
    // Empties "Codice", "Descrizione", "Cliente" and "Reparto", each change searching again.
    void svuotaCaselle();

public Q_SLOTS:
    void spdAvantiClick() override;
    void spdCopiaClick();
    void spdAumentaDiminuisciClick();
    void spdAggiornaClick();
    void ContaRecord1Click();
    // From the first row, every row selected.
    void SelezionaTutti1Click();

protected:
    void primaDiAggiungere() override;
    void impostaNuovo() override;
    void showEvent(QShowEvent *e) override;
};

inline TForm2 *Form2 = nullptr;
