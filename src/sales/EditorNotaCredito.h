#pragma once
// The sales credit-note editor: one credit note of TableNotaCredito (its header), its rows
// (TableNCRighe), instalments, attachments and transport data, and the invoice it corrects.
// The credit-note list shows it modally on the credit note it has made current and whose side
// datasets it has re-pointed.
//
// It is the invoice editor's twin with its own differences: the order of the save's checks, a
// save that writes only what was modified, a customer pick that always rebuilds the schedule,
// totals that mark the credit note modified, a page change that warns and never saves.
//
// The class is implemented in two files: the header page, the checks, the save, the reference
// invoice and the ways out (EditorNotaCredito.cpp); the rows page, the totals and the side
// pages (EditorNotaCreditoPagine.cpp).
#include "forms/EditorDocumento.h"

class QGroupBox;
class QMenu;
class QPushButton;
class QToolBar;
class QToolButton;

namespace ui {
class DBCheckBox;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DBText;
} // namespace ui

class TfrmNotaCredito : public forms::EditorDocumento {
    Q_OBJECT
public:
    explicit TfrmNotaCredito(QWidget *parent = nullptr);

    // ---------------------------------------------------------------- header, save, ways out
    // "Testata" (DBEdit2, the number, is the family's member).
    ui::DBEdit *DBEdit1;                     // Data
    ui::DBEdit *DBEdit3;                     // Serie (typed)
    ui::DBCheckBox *DBCheckBox3;             // Esp. Xml
    ui::DBCheckBox *DBCheckBox2;             // Non Numerare
    ui::DBEdit *DBEdit13;                    // Tramissione Num. Interno
    ui::DBEdit *DBEdit12;                    // Progressivo Trasmissione
    ui::DBLookupComboBox *DBLookupComboBox3; // Cliente
    QToolButton *SpeedButton7;               // pick the customer from the list
    QToolButton *SpeedButton4;               // open the customer
    QToolButton *SpeedButton2;               // add a customer
    QGroupBox *GroupBox1;                    // Pagamenti
    ui::DBLookupComboBox *DBLookupComboBox4; // Banca
    QToolButton *SpeedButton1;               // open the bank
    QToolButton *SpeedButton3;               // add a bank
    ui::DBLookupComboBox *DBLookupComboBox6; // Mod. Pagam.
    QToolButton *SpeedButton5;               // open the payment method
    QToolButton *SpeedButton6;               // add a payment method
    ui::DBEdit *TotImp;
    ui::DBEdit *TotImposta;
    ui::DBEdit *TotFattura;
    QPushButton *btnImporta;                 // Importa Righe
    QPushButton *Button3;                    // Trova Fattura
    ui::DBText *DBText1;                     // Fattura di Riferimento (NCFattNumRif)
    ui::DBText *DBText2;                     // Serie (NCFatSerieRif)
    ui::DBText *DBText3;                     // Data (NCFattDataRif)
    // "Altro".
    ui::DBEdit *DBEdit5;                     // Causale
    ui::DBCheckBox *DBCheckBox4;             // Scissione pagamenti
    ui::DBEdit *DBEdit14;                    // Note
    // Tool bar.
    QToolButton *spdPrimaNota;
    QToolButton *spdFatturaElettronica;
    QToolButton *SpeedButton8;               // Stampa
    QToolButton *SpeedButton10;              // hidden "Totali"


public Q_SLOTS:
    // The checks (date, payment method, number, customer, in this order) unless saving without
    // them, then, only when the credit note was modified, the header stored.
    void spdSalvaClick();
    void spdIndietroClick() override;
    // The payment method was chosen (also by the list for a new credit note): the schedule is
    // rebuilt and the credit note left marked modified.
    void DBLookupComboBox6Click();
    // The customer was chosen (Table7 stands on it): name, split payment, format, its method
    // when it has one; the schedule is rebuilt in every case.
    void DBLookupComboBox3Click();
    void SpeedButton7Click();
    void DBLookupComboBox4Click();
    void DBLookupComboBox3KeyDown();
    void DBLookupComboBox4KeyDown();
    void DBLookupComboBox6KeyDown();
    // Warns when the credit note before this number, in the date's year, has a later date.
    void VerificaDataPrecedente();
    // "Trova Fattura": the invoice the credit note corrects, among its customer's.
    void Button3Click();
    // "Importa Righe": the referenced invoice's rows copied into the credit note.
    void btnImportaClick();
    void SpeedButton8Click();
    void spdPrimaNotaClick();
    // "Esporta xml": the checks, the save, the FatturaPA file of the stored credit note (EsportazioneXml.cpp).
    void spdFatturaElettronicaClick();
    void PageControl1Change() override;

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void creaBarra();
    void creaTestata();
    void creaAltro();
    void eccezioniEditing();
    // Stores the header as it is (no checks), so that a service reads what the form shows.
    bool postaTestata();
    // Rebuilds the schedule from the stored credit note, asking before paid instalments go.
    void ricostruisciScadenze();

    // ---------------------------------------------------------------- rows, totals, side pages
public:
    QGroupBox *GroupBox2 = nullptr;                // the rows group of page "Righe"
    QToolBar *ToolBar1 = nullptr;
    QToolButton *spdEliminaDett = nullptr;         // Elimina
    QToolButton *spdInserisciDett = nullptr;       // Aggiungi
    QToolButton *SpeedButton11 = nullptr;          // Spese di Trasporto
    QToolButton *SpeedButton25 = nullptr;          // Spese di Incasso
    QToolButton *spdArticoloNonArchivio = nullptr; // Articolo non in archivio
    QToolButton *spdAvantiDett = nullptr;          // Modifica
    ui::DBGrid *DBGrid1 = nullptr;                 // the rows, on TableNCRighe
    ui::DBText *DBText4 = nullptr;                 // Totale nota di Credito
    QMenu *PopupMenu1 = nullptr;
    // Instalments ("Pagamenti" group).
    ui::DBGrid *DBGrid3 = nullptr;
    QToolButton *spdEliminaPiccolo = nullptr;
    QToolButton *spdInserisciPiccolo = nullptr;
    QToolButton *spdModificaPiccolo = nullptr;
    QMenu *PopupMenu2 = nullptr;
    // Page "Accompagnatoria".
    QGroupBox *GroupBox4 = nullptr;
    ui::DBLookupComboBox *DBLookupComboBox7 = nullptr;  // Porto
    ui::DBLookupComboBox *DBLookupComboBox9 = nullptr;  // Aspetto esteriore
    ui::DBLookupComboBox *DBLookupComboBox11 = nullptr; // Tipo di trasporto
    ui::DBLookupComboBox *DBLookupComboBox10 = nullptr; // Vettore
    QToolButton *SpeedButton9 = nullptr;  // "+" Porto
    QToolButton *SpeedButton19 = nullptr; // open Porto
    QToolButton *SpeedButton21 = nullptr; // "+" Aspetto
    QToolButton *SpeedButton22 = nullptr; // open Aspetto
    QToolButton *SpeedButton23 = nullptr; // "+" Vettore
    QToolButton *SpeedButton24 = nullptr; // open Vettore
    ui::DBEdit *DBEdit11 = nullptr;       // N° Colli
    ui::DBEdit *DBEdit10 = nullptr;       // Data e ora trasporto
    ui::DBCheckBox *DBCheckBox5 = nullptr; // Includi in xml
    // Page "Allegati".
    QGroupBox *GroupBox8 = nullptr;
    QToolButton *spdEliminaAllegato = nullptr;
    QToolButton *spdInserisciAllegato = nullptr;
    QToolButton *spdModificaAllegato = nullptr;
    ui::DBGrid *DBGrid13 = nullptr;

public Q_SLOTS:
    // The totals from the stored rows, stored (no checks) with the instalments updated; the
    // credit note is then marked modified. Every change of the rows ends with it.
    void SpeedButton10Click();
    void spdInserisciDettClick();
    void SpeedButton11Click();
    void SpeedButton25Click();
    void spdArticoloNonArchivioClick();
    void spdAvantiDettClick();
    void spdEliminaDettClick();
    void DBGrid1TitleClick(const QString &campo);
    void DBGrid3TitleClick(const QString &campo);
    void DBGrid13TitleClick(const QString &campo);
    void spdInserisciPiccoloClick();
    void spdModificaPiccoloClick();
    void spdEliminaPiccoloClick();
    void spdInserisciAllegatoClick();
    void spdModificaAllegatoClick();
    void spdEliminaAllegatoClick();
    void SpeedButton9Click();
    void SpeedButton19Click();
    void SpeedButton21Click();
    void SpeedButton22Click();
    void SpeedButton23Click();
    void SpeedButton24Click();

private:
    void creaPaginaRighe();
    QWidget *creaGrigliaScadenze();
    void creaPaginaAccompagnatoria();
    void creaPaginaAllegati();
    void abilitaPulsantiPagine();
    void aggiungiRigaSpeciale(int tipo);
    void mostraScadenza(bool nuova);

protected:
    // After any change of the rows "Indietro" saves with the checks.
    void dopoAggiornamento(bool salvato) override;
};

inline TfrmNotaCredito *frmNotaCredito = nullptr;
