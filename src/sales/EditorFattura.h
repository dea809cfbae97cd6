#pragma once
// The sales-invoice editor: one invoice of Table3 (its header on seven pages), its rows (Table4),
// instalments, customer orders, quote links and attachments. The invoice list shows it modally
// on the invoice it has made current and whose side datasets it has re-pointed.
//
// The class is implemented in three files: the header page, the checks, the save and the ways
// out (EditorFattura.cpp); the rows page and the totals (EditorFatturaRighe.cpp); the
// instalment grid and the side pages (EditorFatturaPagine.cpp).
#include "forms/EditorDocumento.h"

class QGroupBox;
class QToolButton;

namespace ui {
class DBCheckBox;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
} // namespace ui

class TForm7 : public forms::EditorDocumento {
    Q_OBJECT
public:
    explicit TForm7(QWidget *parent = nullptr);

    // ---------------------------------------------------------------- header, save, ways out
public Q_SLOTS:
    // The payment method was chosen (also by the customer choice and by the list for a new
    // invoice): the schedule is rebuilt and the invoice saved without its checks.
    void DBLookupComboBox6Click();

    // ---------------------------------------------------------------- rows page and totals
public Q_SLOTS:
    // Recomputes the totals from the stored rows, stores them (no checks, DatiModificati left
    // as it is) and updates the instalments. Every change of the rows ends with it.
    void SpeedButton3Click();

private:
    // Lays the rows page (group GroupBox2) on the page being built.
    void creaPaginaRighe();

    // ---------------------------------------------------------------- instalments and side pages
public:
    // The page "Importazioni" was selected after a save: the customer's quotes not yet invoiced.
    void ricaricaPreventivi();

private:
    // The instalment grid DBGrid3 with its three small buttons, for the "Pagamenti" group.
    QWidget *creaGrigliaScadenze();
    // The side pages, each laid on the page being built: "Ordini" (GroupBox3), "Accompagnatoria"
    // (GroupBox4), "Importazioni" (GroupBox6), "Allegati" (GroupBox8).
    void creaPaginaOrdini();
    void creaPaginaAccompagnatoria();
    void creaPaginaImportazioni();
    void creaPaginaAllegati();
};

inline TForm7 *Form7 = nullptr;
