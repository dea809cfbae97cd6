#pragma once
// The quote editor: one quote of Table16 (its header page) and its rows (Table11) with the
// quote's totals. The quote list shows it modally on the quote it has made current and whose
// rows it has re-pointed.
//
// The class is implemented in two files: the header page, the checks, the save, the seizure
// link and the print (EditorPreventivo.cpp); the rows page and the totals
// (EditorPreventivoRighe.cpp).
#include "forms/EditorDocumento.h"

#include <functional>

class QPushButton;
class QToolButton;

namespace ui {
class DBCheckBox;
class DBEdit;
class DBLookupComboBox;
} // namespace ui

class TfrmPreventivi : public forms::EditorDocumento {
    Q_OBJECT
public:
    explicit TfrmPreventivi(QWidget *parent = nullptr);

    // ---------------------------------------------------------------- header, save, ways out
public:
    // "   Testata   " (DBEdit2, the quote number, is the family's member).
    ui::DBCheckBox *DBCheckBox1;              // Fatturato
    ui::DBEdit *DBEdit3;                      // Data
    ui::DBLookupComboBox *DBLookupComboBox2;  // Cliente
    QToolButton *SpeedButton9;                // new customer
    QToolButton *SpeedButton8;                // open the customer
    QToolButton *SpeedButton7;                // choose the customer from the list
    ui::DBLookupComboBox *DBLookupComboBox8;  // Tipo Fatturazione
    ui::DBLookupComboBox *DBLookupComboBox3;  // Tariffa
    ui::DBEdit *DBEdit7;                      // Targa
    QToolButton *btnSequestri;                // plate and dates from a seizure
    ui::DBEdit *DBEdit8;                      // Data ingresso
    ui::DBEdit *DBEdit9;                      // Data uscita
    ui::DBEdit *DBEdit10;                     // GG
    QPushButton *Button1;                     // Calcola
    ui::DBEdit *DBEdit11;                     // Procedura Penale
    ui::DBEdit *DBEdit12;                     // Gip
    ui::DBLookupComboBox *DBLookupComboBox1;  // Personale
    QToolButton *SpeedButton5;                // new staff member
    QToolButton *SpeedButton1;                // open the staff member
    ui::DBEdit *DBEdit5;                      // Totale Imponibile
    ui::DBEdit *DBEdit4;                      // Totale Imposta
    ui::DBEdit *DBEdit1;                      // Totale Preventivo
    ui::DBEdit *DBEdit6;                      // Note
    // Tool bar.
    QToolButton *SpeedButton3;                // Stampa

public Q_SLOTS:
    // The customer chosen in the lookup (Table7 stands on it): its id and document name.
    void DBLookupComboBox2Click();
    // Backspace/Delete emptied the customer: its name goes with it.
    void DBLookupComboBox2KeyDown();
    // The customer chosen in the customers' list: the same id and document name as the lookup.
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
    // The staff member's detail, a new staff member (the quote's is not changed).
    void SpeedButton1Click();
    void SpeedButton5Click();
    // Plate and dates from a seizure picked in the seizures' list; no pick changes nothing.
    void btnSequestriClick();
    // "Calcola": the days between entry and exit, both counted.
    void Button1Click();
    // Prints the quote (a changed quote is stored first, without the checks).
    void SpeedButton3Click();
    // A new quote abandoned: the quote list deletes it with its rows.
    void spdAnnullaClick();
    // The rows page is reached only by a stored quote with a customer and a number.
    void PageControl1Change() override;

protected:
    // The typed dates must be dates (after the required fields).
    bool controllaSalvataggio() override;

private:
    void creaBarra();
    void creaTestata();
    // The editing behaviour's exceptions: lookups that do not navigate, a check box that does
    // not mark the quote modified.
    void eccezioniEditing();
    // Each showing: the buttons that reach forms not in this program yet stay off.
    void abilitaPulsanti();
    // The typed dates that are no dates: the first is said, with the focus on it. False then.
    bool dateValide();

    // ---------------------------------------------------------------- rows page and totals
public:
    // (the class keys declare the Qt classes this section alone uses)
    class QGroupBox *GroupBox1 = nullptr;           // the rows page's content; the header checks hide it
    class QLabel *lblTotalePreventivo = nullptr;    // "Totale Preventivo"
    class QLabel *DBTextTotale = nullptr;           // TotalePreventivo of Table16
    class QToolBar *ToolBar1 = nullptr;
    class QToolButton *spdEliminaDett = nullptr;    // "Eimina"
    QToolButton *SpeedButton4 = nullptr;            // "Supplementi"
    QToolButton *spdInserisciDett = nullptr;        // "Tariffa"
    QToolButton *spdArticoloNonArchivio = nullptr;  // "Articolo non in archivio"
    QToolButton *spdAvantiDett = nullptr;           // "Avanti"
    QToolButton *SpeedButton15 = nullptr;           // adds a tariff to the price list
    QToolButton *SpeedButton14 = nullptr;           // opens the tariff of the current row
    ui::DBGrid *DBGrid1 = nullptr;                  // the rows, on Table11
    class QMenu *PopupMenu1 = nullptr;              // DBGrid1's layout menu
    class QAction *SalvaGriglia1 = nullptr;
    QAction *EliminaColonna1 = nullptr;
    QAction *ResetGriglia1 = nullptr;

    // One user action on the rows, one transaction: `scrivi` (a row's post, rows from the price
    // list, the free row, a row's delete; false with `errore` when refused), the header's
    // pending changes and the quote's totals, or nothing. Then the header and the rows are read
    // again and the row current before stays current. A quote deleted meanwhile, a refused
    // write or an engine error is shown and answers false: the row being edited keeps what the
    // user typed.
    bool aggiornaPreventivo(const std::function<bool(QString &errore)> &scrivi);

public Q_SLOTS:
    // The quote's totals from its stored rows, stored in the quote with what the header holds
    // (no checks, DatiModificati left as it is): aggiornaPreventivo with nothing else to write.
    void RicalcolaTotaliPreventivo();
    // Rows from tariffs picked in the price list; "Supplementi" offers the supplements only.
    void spdInserisciDettClick();
    void SpeedButton4Click();
    // The row "Articolo non in archivio", stored and then completed in the row editor (or
    // removed there with "Annulla").
    void spdArticoloNonArchivioClick();
    // The row editor on the current row; the double click on the grid does the same.
    void spdAvantiDettClick();
    void DBGrid1DblClick();
    void spdEliminaDettClick();
    void DBGrid1TitleClick(const QString &campo);
    void SalvaGriglia1Click();
    void EliminaColonna1Click();
    void ResetGriglia1Click();
    void SpeedButton15Click();
    void SpeedButton14Click();

private:
    void creaPaginaRighe();
    // The price-list pick of "Tariffa" and "Supplementi".
    void aggiungiDaListino(bool supplementi);
    // Makes the row `id` current in Table11 again (after a re-read).
    void posizionaRiga(qint64 id);
};

inline TfrmPreventivi *frmPreventivi = nullptr;
