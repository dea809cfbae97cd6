#pragma once
// The options editor: the single row of table opzioni (TableOpzioni) and, on its Logo page,
// the company logo (ditta.Logo through Table12). Every change is stored by "Indietro", the only
// way out; there is no cancel.
#include <QDialog>
#include <QList>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;
namespace ui {
class DBCheckBox;
class DBEdit;
class DBLookupComboBox;
class DBMemo;
class EditingHelper;
} // namespace ui

class TfrmOpzioni : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOpzioni(QWidget *parent = nullptr);

    QToolButton *spdHelp;
    QToolButton *spdIndietro;
    QTabWidget *PageControl1; // Generale, Logo, Contabilità, Stampa, Email, Fattura Elettronica, Altro
    enum Pagina { pagGenerale, pagLogo, pagContabilita, pagStampa, pagEmail, pagFatturaElettronica, pagAltro };

    // Generale
    QComboBox *ComboBox1; // start tab: one item per tab of the main window
    ui::DBCheckBox *DBCheckBox11, *DBCheckBox2, *DBCheckBox6, *DBCheckBox8, *DBCheckBox16, *DBCheckBox20;
    ui::DBEdit *DBEdit15, *DBEdit16, *DBEdit2;
    QComboBox *cmbAzioneImportazioneVCard;
    ui::DBLookupComboBox *DBLookupComboBox19, *DBLookupComboBox3;
    // Logo
    QLabel *DBImage1;
    QPushButton *btnModificaLogo, *Button9, *Button6, *Button7, *Button8;
    // Contabilità: the default accounts, each a lookup with its search button
    struct ContoPredefinito {
        const char *campo;
        ui::DBLookupComboBox *lookup;
        QToolButton *cerca;
    };
    ui::DBLookupComboBox *DBLookupComboBox11, *DBLookupComboBox8, *DBLookupComboBox9, *DBLookupComboBox1, *DBLookupComboBox4,
        *DBLookupComboBox5, *DBLookupComboBox2, *DBLookupComboBox10, *DBLookupComboBox16, *DBLookupComboBox15,
        *DBLookupComboBox14, *DBLookupComboBox13, *DBLookupComboBox12;
    QToolButton *SpeedButton14, *SpeedButton10, *SpeedButton11, *SpeedButton1, *SpeedButton3, *SpeedButton4, *SpeedButton8,
        *SpeedButton18, *SpeedButton17, *SpeedButton16, *SpeedButton15, *SpeedButton13, *SpeedButton12;
    QList<ContoPredefinito> contiPredefiniti() const;
    ui::DBEdit *DBEdit4;
    ui::DBCheckBox *DBCheckBox13; // ditta.FatturazioneMultipla
    QPushButton *Button3;         // "Serie fatturazioni"
    ui::DBLookupComboBox *DBLookupComboBox21; // default VAT rate
    QPushButton *Button1;                     // "Cambia tutte le tariffe"
    ui::DBLookupComboBox *DBLookupComboBox6;  // default bank
    ui::DBCheckBox *DBCheckBox14, *DBCheckBox7, *DBCheckBox9, *DBCheckBox10;
    // Stampa
    ui::DBCheckBox *DBCheckBox1, *DBCheckBox5, *DBCheckBox4;
    // Email
    ui::DBEdit *DBEdit24, *DBEdit30, *DBEdit26, *DBEdit29, *DBEdit27;
    ui::DBCheckBox *DBCheckBox18, *DBCheckBox30;
    QComboBox *cmbSmtpCriptaggioTipo;
    ui::DBMemo *DBMemo1;
    // Fattura Elettronica
    ui::DBCheckBox *DBCheckBox21;
    ui::DBEdit *DBEdit14;
    QToolButton *SpeedButton9, *SpeedButton21;
    // Altro
    ui::DBLookupComboBox *DBLookupComboBox18;
    ui::DBEdit *DBEdit3, *DBEdit5;
    QToolButton *SpeedButton5, *SpeedButton2, *SpeedButton6, *SpeedButton7;
    ui::DBCheckBox *DBCheckBox3;

    // The main window's "Opzioni": opens on the first page and is left on it.
    int apri();

public Q_SLOTS:
    void FormActivate();
    void spdHelpClick();
    void spdIndietroClick();
    void DBLookupComboBox18Click();
    void DBLookupComboBox18Cancella();
    void SpeedButton9Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton21Click();
    void SpeedButton2Click();
    void SpeedButton7Click();
    // Logo page
    void Button6Click(); // "Carica da File"
    void Button7Click(); // "Acquisisci"
    void Button8Click(); // "Salva come immagine"
    void Button9Click(); // "Cancella"
    void btnModificaLogoClick();
    // Shows the logo the company row holds now.
    void mostraLogo();
    // Contabilità page: one account picker per default account
    void SpeedButton14Click();
    void SpeedButton10Click();
    void SpeedButton11Click();
    void SpeedButton1Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton8Click();
    void SpeedButton18Click();
    void SpeedButton17Click();
    void SpeedButton16Click();
    void SpeedButton15Click();
    void SpeedButton13Click();
    void SpeedButton12Click();
    void DBLookupComboBox21Click();    // the default rate picked
    void DBLookupComboBox21Cancella(); // Backspace or Delete: no default rate
    void Button1Click();               // "Cambia tutte le tariffe"
    void Button3Click();               // "Serie fatturazioni"

protected:
    void showEvent(QShowEvent *e) override;
    void reject() override; // Escape and the close box: as "Indietro"
    void closeEvent(QCloseEvent *e) override;

private:
    void scegliCartella(const QString &campo, const QString &inizio);
    void apriCartella(const QString &campo, const QString &messaggio);
    // The company row, ready to take a new logo (a new row when the table has none).
    void modificaDitta();
    void impostaLogo(const QByteArray &bmp);
    int criptaggioDaSalvare() const;
    // Picks an account from the chart into the options' column `campo`.
    void scegliConto(const char *campo);
    void cancellaCampo(const char *campo);

    ui::EditingHelper *m_editing = nullptr;
    bool m_schedeCaricate = false;
    bool m_chiusuraConsentita = false;
    int m_criptaggioLetto = 0;
};

inline TfrmOpzioni *frmOpzioni = nullptr;
