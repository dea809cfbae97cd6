#pragma once
#include <functional>
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
    // "Esporta xml": the checks, the save, the FatturaPA file of the stored invoice (EsportazioneXml.cpp).
    void spdFatturaXmlClick();
    void PageControl1Change() override;

protected:
    void primaDiSalvare() override;
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void dopoAggiornamento(bool salvato) override;

private:
    void creaTestata();
    void creaAltro();
    void creaBarra();
    // The editing behaviour's exceptions: lookups that do not navigate, a check box that does
    // not mark the invoice modified.
    void eccezioniEditing();
    bool m_modificatiPrimaDelTasto = false;

    // ---------------------------------------------------------------- rows page and totals
public:
    // (the class keys declare the Qt classes this section alone uses)
    QGroupBox *GroupBox2 = nullptr;
    class QToolBar *ToolBar1 = nullptr;
    QToolButton *spdEliminaDett = nullptr;          // "Elimina"
    QToolButton *spdInserisciSupplementi = nullptr; // "Aggiungi Supplemento"
    QToolButton *spdInserisciDett = nullptr;        // "Aggiungi Tariffa"
    QToolButton *SpeedButton1 = nullptr;            // "Spese di Trasporto"
    QToolButton *SpeedButton25 = nullptr;           // "Spese di Incasso"
    QToolButton *spdArticoloNonArchivio = nullptr;  // "Articolo non in archivio"
    QToolButton *spdAvantiDett = nullptr;           // "Modifica"
    QToolButton *SpeedButton15 = nullptr;           // adds a tariff to the price list
    QToolButton *SpeedButton14 = nullptr;           // opens the tariff of the current row
    ui::DBGrid *DBGrid2 = nullptr;                  // the rows, on Table4
    class QMenu *PopupMenu1 = nullptr;              // DBGrid2's layout menu
    class QAction *SalvaGriglia1 = nullptr;
    QAction *EliminaColonna1 = nullptr;
    QAction *ResetGriglia1 = nullptr;

public Q_SLOTS:
    // Recomputes the totals from the stored rows, stores them (no checks, DatiModificati left
    // as it is) and updates the instalments. Every change of the rows ends with it.
    void SpeedButton3Click();
    // Rows from tariffs picked in the price list; "Supplemento" offers the supplements only.
    void spdInserisciDettClick();
    void spdInserisciSupplementiClick();
    // The special rows, each stored and then completed in the row editor (or cancelled there).
    void SpeedButton1Click();
    void SpeedButton25Click();
    void spdArticoloNonArchivioClick();
    // The row editor on the current row; the double click on the grid does the same.
    void spdAvantiDettClick();
    void DBGrid2DblClick();
    void spdEliminaDettClick();
    void DBGrid2TitleClick(const QString &campo);
    void SalvaGriglia1Click();
    void EliminaColonna1Click();
    void ResetGriglia1Click();
    void SpeedButton15Click();
    void SpeedButton14Click();

private:
    // Lays the rows page (group GroupBox2) on the page being built.
    void creaPaginaRighe();
    // The price-list pick of "Aggiungi Tariffa" and "Aggiungi Supplemento".
    void aggiungiDaListino(bool supplementi);
    // Stores a special row and opens the row editor on it with "Annulla".
    void aggiungiRigaSpeciale(int tipo);

    // ---------------------------------------------------------------- instalments and side pages
public:
    // The page "Importazioni" was selected after a save: the customer's quotes not yet invoiced.
    void ricaricaPreventivi();

    // Instalments ("Pagamenti" group of the header page); paid ones are drawn aqua.
    ui::DBGrid *DBGrid3 = nullptr;
    QToolButton *spdEliminaPiccolo = nullptr;
    QToolButton *spdInserisciPiccolo = nullptr;
    QToolButton *spdModificaPiccolo = nullptr;
    QMenu *PopupMenu2 = nullptr;
    // The seizure the invoice bills: made here beside the instalment buttons; the header page
    // moves it beside "Data uscita".
    QToolButton *btnSequestri = nullptr;
    // Page "Ordini".
    QGroupBox *GroupBox3 = nullptr;
    QToolBar *ToolBar3 = nullptr;
    QToolButton *SpeedButton7 = nullptr;  // Elimina
    QToolButton *SpeedButton18 = nullptr; // Aggiungi
    QToolButton *SpeedButton20 = nullptr; // Modifica
    ui::DBGrid *DBGrid1 = nullptr;
    // Page "Accompagnatoria".
    QGroupBox *GroupBox4 = nullptr;
    ui::DBLookupComboBox *DBLookupComboBox7 = nullptr;  // Porto
    ui::DBLookupComboBox *DBLookupComboBox9 = nullptr;  // Aspetto esteriore
    ui::DBLookupComboBox *DBLookupComboBox11 = nullptr; // Tipo di trasporto
    ui::DBLookupComboBox *DBLookupComboBox10 = nullptr; // Vettore
    QToolButton *SpeedButton6 = nullptr;  // "+" Porto
    QToolButton *SpeedButton19 = nullptr; // edit Porto
    QToolButton *SpeedButton21 = nullptr; // "+" Aspetto
    QToolButton *SpeedButton22 = nullptr; // edit Aspetto
    QToolButton *SpeedButton23 = nullptr; // "+" Vettore
    QToolButton *SpeedButton24 = nullptr; // edit Vettore
    ui::DBEdit *DBEdit11 = nullptr;       // N° Colli
    ui::DBEdit *DBEdit10 = nullptr;       // Data e ora trasporto
    ui::DBCheckBox *DBCheckBox5 = nullptr; // Includi in xml
    // Page "Importazioni".
    QGroupBox *GroupBox6 = nullptr;
    ui::DBLookupComboBox *DBLookupComboBox3 = nullptr; // the quotes, bound to no column
    ui::DBGrid *DBGrid5 = nullptr;
    QToolButton *BitBtn1 = nullptr; // Elimina Riga
    // Page "Allegati".
    QGroupBox *GroupBox8 = nullptr;
    QToolBar *ToolBar4 = nullptr;
    QToolButton *spdEliminaAllegato = nullptr;
    QToolButton *spdInserisciAllegato = nullptr;
    QToolButton *spdModificaAllegato = nullptr;
    ui::DBGrid *DBGrid13 = nullptr;

public Q_SLOTS:
    void spdInserisciPiccoloClick();
    void spdModificaPiccoloClick();
    void DBGrid3DblClick();
    void spdEliminaPiccoloClick();
    void DBGrid3TitleClick(const QString &campo);
    void MenuItem1Click(); // Salva Griglia
    void MenuItem2Click(); // Elimina Colonna
    void MenuItem3Click(); // Reset Griglia
    void btnSequestriClick();
    void SpeedButton18Click();
    void SpeedButton20Click();
    void DBGrid1DblClick();
    void SpeedButton7Click();
    void DBGrid1TitleClick(const QString &campo);
    // A pick in any of the four transport lookups.
    void DBLookupComboBox7Click();
    // Backspace or Delete emptied a transport lookup (the control has cleared its column).
    void DBLookupComboBox7KeyDown();
    void DBLookupComboBox9KeyDown();
    void DBLookupComboBox11KeyDown();
    void DBLookupComboBox10KeyDown();
    void SpeedButton6Click();
    void SpeedButton19Click();
    void SpeedButton21Click();
    void SpeedButton22Click();
    void SpeedButton23Click();
    void SpeedButton24Click();
    // A quote was picked on "Importazioni": its rows are copied into the invoice.
    void DBLookupComboBox3Click();
    void BitBtn1Click();
    void spdInserisciAllegatoClick();
    void spdModificaAllegatoClick();
    void DBGrid13DblClick();
    void spdEliminaAllegatoClick();
    void DBGrid13TitleClick(const QString &campo);
    // The invoice's cash-book row, while documents are mirrored in the cash book.
    void spdPrimaNotaClick();

private:
    // The instalment grid DBGrid3 with its three small buttons, for the "Pagamenti" group.
    QWidget *creaGrigliaScadenze();
    // The side pages, each laid on the page being built: "Ordini" (GroupBox3), "Accompagnatoria"
    // (GroupBox4), "Importazioni" (GroupBox6), "Allegati" (GroupBox8).
    void creaPaginaOrdini();
    void creaPaginaAccompagnatoria();
    void creaPaginaImportazioni();
    void creaPaginaAllegati();
    // Each showing: the buttons that reach forms not in this program yet stay off.
    void abilitaPulsantiPagine();
    // Shows the instalment detail on the current instalment (a new one with "Annulla").
    void mostraScadenza(bool nuova);
};

inline TForm7 *Form7 = nullptr;
