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
public:
    // "Testata" (DBEdit2, the invoice number, is the family's member).
    ui::DBEdit *DBEdit1;                      // Data di emissione
    ui::DBLookupComboBox *DBSerie;            // Serie
    ui::DBCheckBox *DBCheckBox3;              // Esp. Xml
    ui::DBCheckBox *DBCheckBox2;              // Non Numerare
    ui::DBEdit *DBEdit13;                     // Tramissione Num. Interno
    ui::DBEdit *DBEdit12;                     // Progressivo Trasmissione
    ui::DBLookupComboBox *DBLookupComboBox8;  // Tipo Fatturazione
    ui::DBLookupComboBox *DBLookupComboBox2;  // Cliente
    QToolButton *SpeedButton2;                // "+" customer
    QToolButton *SpeedButton4;                // edit customer
    QToolButton *SpeedButton5;                // pick the customer from the list
    ui::DBEdit *DBEdit4;                      // Targa
    ui::DBLookupComboBox *DBLookupComboBox5;  // Tariffa
    ui::DBEdit *DBEdit6;                      // Data ingres.
    ui::DBEdit *DBEdit7;                      // Data uscita
    ui::DBLookupComboBox *DBLookupComboBox13; // Luogo di fermo
    QToolButton *SpeedButton13;
    QToolButton *SpeedButton12;
    ui::DBLookupComboBox *DBLookupComboBox12; // Destinazione
    QToolButton *SpeedButton17;
    QToolButton *SpeedButton16;
    ui::DBEdit *DBEdit8;                      // Km
    ui::DBEdit *DBEdit9;                      // GG
    class QPushButton *Button1;               // Calcola
    ui::DBEdit *TotImp;
    ui::DBEdit *TotImposta;
    ui::DBEdit *TotFattura;
    QGroupBox *GroupBox1;                     // Pagamenti
    ui::DBLookupComboBox *DBLookupComboBox4;  // Banca
    QToolButton *SpeedButton11;
    QToolButton *SpeedButton10;
    ui::DBLookupComboBox *DBLookupComboBox6;  // Modalità pagamento
    QToolButton *SpeedButton9;
    QToolButton *SpeedButton8;
    // "Altro".
    QGroupBox *GroupBox7;
    ui::DBEdit *DBEdit5;                      // Causale
    ui::DBCheckBox *DBCheckBox4;              // Scissione pagamenti
    ui::DBCheckBox *DBCheckBox1;              // Pagamento depositato
    ui::DBCheckBox *chkConaiAssolto;          // Contributo Conai Assolto
    ui::DBEdit *DBEdit3;                      // Note
    // Tool bar.
    QToolButton *spdPrimaNota;
    QToolButton *spdStampa;
    QToolButton *spdFatturaXml;
    QToolButton *SpeedButton3;                // hidden: recomputes the totals

public Q_SLOTS:
    // The payment method was chosen (also by the customer choice and by the list for a new
    // invoice): the schedule is rebuilt and the invoice saved without its checks.
    void DBLookupComboBox6Click();
    // The customer was chosen (Table7 stands on it): its name, split payment, transmission
    // format and, when it has one, its payment method with the schedule rebuilt.
    void DBLookupComboBox2Click();
    // Picks the customer from the customers' list; no pick changes nothing.
    void SpeedButton5Click();
    // The bank was chosen: every instalment gets it.
    void DBLookupComboBox4Click();
    // Backspace/Delete emptied a lookup: the columns that go with it.
    void DBLookupComboBox2KeyDown();
    void DBLookupComboBox4KeyDown();
    void DBLookupComboBox6KeyDown();
    // Warns when the invoice before this number, in the date's year, has a later date.
    void VerificaDataPrecedente();
    // "Calcola": the days between entry and exit, both counted.
    void Button1Click();
    void spdStampaClick();
    void PageControl1Change() override;

protected:
    void primaDiSalvare() override;
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void creaTestata();
    void creaAltro();
    void creaBarra();
    // The editing behaviour's exceptions: lookups that do not navigate, a check box that does
    // not mark the invoice modified.
    void eccezioniEditing();
    bool m_modificatiPrimaDelTasto = false;

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
