#pragma once
// The main window: the program's only menu. Its first activation opens the database and runs
// the start-up; later activations only put back the default filters of the shared queries.
#include "db/Query.h"

#include <QDate>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <optional>

class QDialog;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;
namespace ui {
class MaskedDateEdit;
}

// Globals of the main window's unit.
inline bool AvvioCompletato = false; // the start-up ran to its end
inline QString PercorsoArchivio;     // the database in use: a file path or a server address
inline QString StringaConnessione;   // what the connection was last opened with (the file's path)
inline QString FileHelp;             // the help's start page

// The WHERE clause of a date range for the history lists ("WHERE Data >= #m/d/yyyy# AND Data <=
// #m/d/yyyy 23.59.59#"); `anniDiversi` tells whether the two dates lie in different years.
// Throws DbError when a date cannot be read.
QString FiltroDate(const QString &daData, const QString &aData, bool &anniDiversi, bool dataRegistrazione);

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);

    QLabel *Label1;          // company name
    QPushButton *Button2;    // "Carica ditta"
    QTabWidget *pgcBarra;    // the tabs of functions
    QToolButton *btnHelp;
    QToolButton *btnLavoraRete;
    QPlainTextEdit *Memo1;   // the path of the database in use (percorso.txt)
    QToolButton *btnEsci;
    QPushButton *Button1;    // maintenance "totale Imponibile", shown with F2 in Memo1
    QPushButton *Button3;    // maintenance: seizures linked to the quotes and invoices of their plate (F2 too)
    QLabel *Image1;
    ui::MaskedDateEdit *maskDa; // "Storico": start of the range
    ui::MaskedDateEdit *maskA;  // "Storico": end of the range

    enum Tab { tabArchivio, tabAttivita, tabDocClienti, tabDocFornitori, tabStampe, tabStorico, tabScadenziario,
               tabUtility, tabVideo };
    // The menu button with this caption on this tab (nullptr when there is none).
    QToolButton *menuButton(int tab, const QString &caption) const;

    // What ends the program; tests replace it.
    std::function<void()> terminaApplicazione;

    void CaricaTutteLeGriglie();

public Q_SLOTS:
    // Runs the start-up at the first activation, the default filters afterwards.
    void FormActivate();
    void cmdConnessioneClick();
    // The shared queries the start-up reads for this window itself (company name, options,
    // this workstation's rows and grid layouts); every other one is read at its first use.
    static QList<db::Query *> queryDellaFinestra();
    void btnLavoraReteClick();
    void btnUtilityRealizzazioneClick();
    void btnErroriFatturaElettronicaClick();
    void btnEsciClick();
    // Leaving the start of the history range proposes the end of its year as the range's end.
    void maskDaExit();
    // Lists of the code tables and of the places.
    void btnColoriClick();
    void btnBancheClick();           // the company's own bank accounts
    void Button2Click();             // "Carica ditta": the company editor
    void btnAttivitaOpzioniClick();  // the options editor
    void btnModalitaPagamentoClick(); // the payment methods
    void btnArchivioAvvisiClick(); // the stored notice texts
    void btnAttivitaAvvisiClientiClick(); // the customer-notice wizard
    void btnComuniClick();
    void btnClientiClick(); // the customers' list
    void btnFornitoriClick(); // the suppliers' list
    void btnCarburantiClick(); // fuel types
    void btnCisterneClick(); // the company's own fuel tanks
    void btnRifornimentiClick(); // refuelling points
    void btnFattureClientiClick(); // the sales invoices' list
    void btnNoteCreditoClientiClick(); // the sales credit notes' list
    void btnTariffeClick(); // the price list and its tariffs
    void spdImportaXmlClick(); // a supplier's FatturaPA file booked (ImportaXml.cpp)
    void btnIvaClick();
    void btnArchivioContabilitaClick();
    // The VAT settlements, monthly or quarterly as the options say.
    void btnAttivitaChiusuraIvaClick();
    // The cash book: this year's rows; the history tab's rows of a range within one year.
    void btnAttivitaPrimaNotaClick();
    void BitBtn1Click();
    void BitBtn5Click(); // "Enti Sequestratori"
    void btnMarcheClick();
    void btnProvinceClick();
    void btnRepartiClick();
    void btnTipologieClick();
    void btnUnitaMisuraClick();
    void btnVettureClick(); // the fleet list
    void btnSequestriClick(); // the seizure register, for management
    void Button3Click();      // the plate matching of the seizures
    // The appointments calendar: the current entries; the history tab's entries of a range
    // within one year, new entries there going into the history.
    void BitBtn3Click();
    void btnStoricoArchivioClick();
    void btnStoricoFattureClientiClick();
    void btnStoricoNoteCreditoClientiClick();
    void btnStoricoPreventiviClientiClick();
    void btnPersonaleClick(); // the staff list
    void btnStampePersonaleClick(); // the staff print menu
    void btnPreventiviClick(); // the quotes' list
    // The "Scadenziario" tab: open and paid instalments of customers and suppliers.
    void btnScadenziarioScadenzeClientiClick();
    void btnScadenziarioPagamentiClientiClick();
    void btnScadenziarioScadenzeFornitoriClick();
    void btnScadenziarioPagamentiFornitoriClick();

protected:
    void changeEvent(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    // The range of the history boxes as a WHERE clause, or nothing when it was refused (said).
    std::optional<QString> filtroStorico();
    // Shows `lista` modally over `q` read again for the range (`inizio` + clause + `fine`), with
    // ModalitaStorico set; the dataset gets its own query back afterwards.
    void mostraStorico(db::Query *q, const QString &inizio, const QString &fine, QDialog *lista,
                       const std::function<void()> &prepara = {});
    void buildMenu();
    bool AvvioCompleto();
    QString individuaArchivio();
    // "Lavora in Rete": a database file, or the address of a server database; empty when cancelled.
    QString scegliArchivio();
    // The folder of a database file; beside the program for a database on a server.
    static QString cartellaArchivio(const QString &archivio);
    bool apriArchivio(const QString &path, bool creaSeManca);
    void eseguiSQLAggio();
    void cancellaTemporanei();
    void AggiornaStorico();
    void mostraRagioneSociale();
    bool chiediPassword();
    // The start-up reminders: fills the reminder window and shows it when something is due.
    void PromemoriaScadenze();
    void scriviPercorso(const QString &path);
    void termina();
    // Enables the menu's functions that need a database, or disables them after a failed start.
    void impostaFunzioniArchivio(bool abilita);

    bool m_inActivate = false;
    // The start-up failed and was reported: it waits for a database chosen with "Lavora in Rete"
    // instead of running (and failing) again at every activation.
    bool m_avvioFallito = false;
};

inline TForm1 *Form1 = nullptr;
