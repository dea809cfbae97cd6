#pragma once
// The cash book ("prima nota"): the browser of its rows with filters and live totals, and the
// editor of one row.
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace db {
class Query;
}
namespace ui {
class DBCheckBox;
class DBEdit;
class DBLookupComboBox;
} // namespace ui

// The editor of one row of finanzia, shown on the single row the caller put into Table2.
class TCassaDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TCassaDettaglio(QWidget *parent = nullptr);

    ui::DBLookupComboBox *DBLookupComboBox3; // Tipologia
    ui::DBEdit *DBEdit1;                     // Data
    ui::DBEdit *DBEdit3;                     // Entrata
    ui::DBEdit *DBEdit4;                     // Uscita
    ui::DBLookupComboBox *DBLookupComboBox2; // Cliente
    QToolButton *SpeedButton4;               // open the customer
    QToolButton *SpeedButton2;               // "+"
    QToolButton *SpeedButton7;               // pick from the list
    ui::DBLookupComboBox *DBLookupComboBox1; // Fornitore
    QToolButton *SpeedButton3;
    QToolButton *SpeedButton1;
    QToolButton *SpeedButton8;
    ui::DBLookupComboBox *DBLookupComboBox6; // Mod. Pagam.
    ui::DBEdit *DBEdit5;                     // Note
    ui::DBLookupComboBox *DBLookupComboBox4; // Banca
    QToolButton *SpeedButton5;               // open the bank
    QToolButton *SpeedButton6;               // "+"
    ui::DBLookupComboBox *DBLookupComboBox5; // Conto
    QToolButton *SpeedButton14;
    ui::DBLookupComboBox *DBLookupComboBox21; // Aliquota Iva
    ui::DBCheckBox *DBCheckBox16;             // Corrispettivi

    // The fields a row of a document keeps from its document: date, description, amounts,
    // customer and supplier.
    void abilitaCampiDocumento(bool abilita);

public Q_SLOTS:
    // Picks the account from the chart of accounts; a pick not confirmed changes nothing.
    void SpeedButton14Click();
    // Pick the customer, the supplier, from their list; a pick not confirmed changes nothing.
    void SpeedButton7Click();
    void SpeedButton8Click();
    void DBLookupComboBox21Click();
    void DBLookupComboBox21Cleared();

protected:
    bool controllaSalvataggio() override;

private:
    QToolButton *pulsanteScelta(ui::DBLookupComboBox *lookup, const QString &nome);
    void scegliDaLista(const char *lista, db::Query *elenco, const QString &campo);
};

// The browser of the cash book over TableCercaPrimaNota.
class TForm5 : public forms::ListForm {
    Q_OBJECT
public:
    explicit TForm5(QWidget *parent = nullptr);

    QLineEdit *maskDaData;
    QLineEdit *maskAData;
    QLineEdit *txtOperazione;
    QLineEdit *txtNote;
    QLineEdit *Edit2; // Fornitore (Edit1, the customer, is the list's)
    QLineEdit *Edit3;
    QComboBox *DBLookupComboBox4; // the banks by Iban, the bank's id as item data
    QRadioButton *flagCassa;
    QRadioButton *flagBanca;
    QRadioButton *flagFuoriCassa;
    QRadioButton *FlagTutti;
    QToolButton *BitBtn2; // cerca
    QToolButton *BitBtn3; // reset
    QLabel *lblEntrate;
    QLabel *lblUscite;
    QLabel *lblTotale;

    // Puts `sql` into the list's query, with no filter.
    void impostaElenco(const QString &sql);

public Q_SLOTS:
    // "cerca": applies the boxes; a date that is not a date is said and nothing is filtered.
    void BitBtn2Click();
    // "reset": no filter, every box empty, "Tutti".
    void BitBtn3Click();
    void TotalizzaClick();
    void spdAvantiClick() override;
    void spdInserisciClick() override;
    void spdEliminaClick() override;
    void spdRicaricaClick();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    // The banks offered by "Iban", read again from the banks' dataset; the choice is kept.
    void riempiBanche();
    // Loads the row `id` into Table2 and shows the editor on it; then re-reads the list and
    // finds the row again.
    void apri(qint64 id, bool nuovo);
    // Re-reads the list, recomputes the totals and makes the row `id` current.
    void ricarica(qint64 id);
    QList<QWidget *> m_caselle;
};

inline TCassaDettaglio *CassaDettaglio = nullptr;
inline TForm5 *Form5 = nullptr;
