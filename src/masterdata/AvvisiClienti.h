#pragma once
// The customer-notice wizard: the text, the customer filters, the check list of the customers
// found and the print. The text and the chosen customers are this workstation's rows.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QToolButton;
namespace ui {
class MaskedDateEdit;
}

class TfrmAvvisiClienti_Campi : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAvvisiClienti_Campi(QWidget *parent = nullptr);
    QPlainTextEdit *DBMemo1 = nullptr;
    QComboBox *DBLookupComboBox1 = nullptr; // "Importa da un avviso già predisposto"
    QToolButton *SpeedButton6 = nullptr;    // "+": a new stored notice
    QToolButton *spdContinua = nullptr;
    QToolButton *spdIndietro = nullptr;
    QToolButton *spdHelp = nullptr;
    bool DatiModificati = false;
    void DBLookupComboBox1Click();
    void spdContinuaClick();
    void spdIndietroClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void caricaAvvisi();
    bool m_caricando = false;
};

class TfrmAvvisiClienti_Filtri : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAvvisiClienti_Filtri(QWidget *parent = nullptr);
    QComboBox *DBLookupComboBox1 = nullptr; // payment method
    QComboBox *DBLookupComboBox3 = nullptr; // category
    QComboBox *DBLookupComboBox4 = nullptr; // town
    QComboBox *DBLookupComboBox2 = nullptr; // province
    QLineEdit *Edit4 = nullptr;             // notes
    ui::MaskedDateEdit *maskDa = nullptr;
    ui::MaskedDateEdit *maskA = nullptr;
    QCheckBox *CheckBox1 = nullptr; // public administration
    QCheckBox *CheckBox2 = nullptr; // paid instalments
    QToolButton *btnContinua = nullptr;
    QToolButton *spdIndietro = nullptr;
    QToolButton *spdHelp = nullptr;
    // Every filter back to none (the lists re-read).
    void azzera();
    void btnContinuaClick();

protected:
    // Backspace or Delete in a lookup: no filter on it.
    bool eventFilter(QObject *watched, QEvent *e) override;
};

class TfrmAvvisiClienti_Griglia : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAvvisiClienti_Griglia(QWidget *parent = nullptr);
    QListWidget *CheckListBox1 = nullptr; // each item's id in Qt::UserRole
    QToolButton *btnStampa = nullptr;
    QToolButton *spdIndietro = nullptr;
    QToolButton *spdHelp = nullptr;
    void SelezionaTuttiClick();
    void NessunaSelezioneClick();
    void btnStampaClick();
};

inline TfrmAvvisiClienti_Campi *frmAvvisiClienti_Campi = nullptr;
inline TfrmAvvisiClienti_Filtri *frmAvvisiClienti_Filtri = nullptr;
inline TfrmAvvisiClienti_Griglia *frmAvvisiClienti_Griglia = nullptr;
