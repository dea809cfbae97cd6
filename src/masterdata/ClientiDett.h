#pragma once
#include "forms/DetailForm.h"
#include "masterdata/services/Clienti.h"

class QFormLayout;
class QPushButton;

namespace ui {
class ColorBox;
class DBMemo;
} // namespace ui

// The customer's detail on the current row of Table7: the Generale page and the data an
// electronic invoice needs of its addressee. "Indietro" checks the addressee before it saves;
// a save brings the customer's name into its documents, calendar entries, quotes and tariffs,
// and its public-administration flag into the format of its documents not yet sent, in one
// transaction with the customer's row.
class TfrmClientiDett : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmClientiDett(QWidget *parent = nullptr);

    QToolButton *spdTrovaPa;
    QToolButton *spdStampa;
    QWidget *TabSheet1; // "  Generale "
    QWidget *TabSheet2; // "  Fatturazione Elettronica"
    // Generale
    ui::DBLookupComboBox *DBLookupComboBox1; // Categoria
    QToolButton *SpeedButton3;               // new category
    QToolButton *SpeedButton5;               // edit the category
    ui::DBCheckBox *DBCheckBox1;             // Annullato
    ui::DBCheckBox *DBCheckBox2;             // Consenso Privacy
    ui::DBEdit *DBEdit1;                     // Ragione soci.
    ui::DBEdit *DBEdit2;                     // Cognome (the family's description edit is unused here)
    ui::DBEdit *DBEdit3;                     // Nome
    ui::DBLookupComboBox *DBLookupComboBox2; // Nazione (IdPaese)
    ui::DBEdit *DBEdit9;                     // Partita iva
    ui::DBEdit *DBEdit11;                    // Codice Fiscale
    ui::DBLookupComboBox *DBLookupComboBox3; // Modalità di Pagamento
    QToolButton *SpeedButton9;               // new payment method
    QToolButton *SpeedButton8;               // edit the payment method
    ui::DBEdit *DBEdit19;                    // Sconto
    ui::DBMemo *DBMemo1;                     // Destinazione Merce
    QPushButton *btnAssegnoFornitori;        // "Paga fatture"
    ui::ColorBox *ColorBox1;                 // Colore visualizzazione
    // Fatturazione Elettronica
    ui::DBEdit *DBEdit22;                    // Codice sdi
    ui::DBEdit *DBEdit23;                    // Codice Univoco Pubblica Amm.
    ui::DBCheckBox *DBCheckBox4;             // Pubblica Amministrazione
    ui::DBLookupComboBox *DBLookupComboBox4; // Sede: Nazione
    ui::DBEdit *DBEdit25;                    // Sede: Indirizzo
    ui::DBLookupComboBox *DBLookupComboBox5; // Sede: Comune
    QToolButton *SpeedButton2;               // new town
    QToolButton *SpeedButton4;               // edit the town
    ui::DBEdit *DBEdit27;                    // Sede: Cap
    QToolButton *SpeedButton23;              // postcode finder
    ui::DBCheckBox *DBCheckBox5;             // Stabile organizzazione: Includi
    ui::DBEdit *DBEdit29;
    ui::DBLookupComboBox *DBLookupComboBox6; // its Comune
    ui::DBEdit *DBEdit31;                    // its CAP
    ui::DBLookupComboBox *DBLookupComboBox7; // its Provincia
    ui::DBLookupComboBox *DBLookupComboBox8; // its Nazione
    ui::DBCheckBox *DBCheckBox6;             // Rappresentante fiscale: Includi
    ui::DBLookupComboBox *DBLookupComboBox9; // its Nazione
    ui::DBEdit *DBEdit32, *DBEdit33, *DBEdit34, *DBEdit35; // Rag. Sociale, Cognome, Nome, P.Iva

    // The name boxes were typed into since the last save: the save computes the two names and
    // copies them into the rows that carry them.
    bool NominativoModificato = false;

    // What the boxes show, as the checks read them.
    clienti::DatiMostrati datiMostrati() const;

public Q_SLOTS:
    // Saves without checks (run by "Indietro" after the checks and by "Stampa").
    void spdSalvaClick();
    void spdIndietroClick() override;
    void PageControl1Change() override;
    void spdStampaClick();
    void spdTrovaPaClick();
    void btnAssegnoFornitoriClick();
    void SpeedButton23Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void DBEdit9Exit();
    void DBEdit11Exit();
    void DBLookupComboBox1Click();
    void DBLookupComboBox5Click();
    void DBLookupComboBox6Click();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    ui::DBEdit *edit(QFormLayout *f, const char *nome, const QString &etichetta, const char *campo);
    ui::DBCheckBox *check(QFormLayout *f, const char *nome, const QString &etichetta, const char *campo);
    ui::DBLookupComboBox *lookup(QFormLayout *f, const char *nome, const QString &etichetta, const char *campo,
                                 db::DataSource *lista, const char *chiave, const char *mostrato);
    // Moves the row just declared on a page into `f`.
    void sposta(QWidget *pagina, QFormLayout *f);
    void mostraRegola(const clienti::Regola &r);
    void coloreDaArchivio();
    // The colour and the withdrawn mark, which their boxes do not write, into the row.
    void scriviColore();
    qint64 idCorrente();
};

inline TfrmClientiDett *frmClientiDett = nullptr;
