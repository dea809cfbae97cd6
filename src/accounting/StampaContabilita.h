#pragma once
// The accounting print form (balance, account statement, VAT settlements) and the account
// statement's account chooser.
#include <QDialog>

class QComboBox;
class QGroupBox;
class QPushButton;
class QToolButton;
namespace ui {
class MaskedDateEdit;
}

class TfrmStampaContabilita : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaContabilita(QWidget *parent = nullptr);

    QGroupBox *GroupBox1;
    ui::MaskedDateEdit *maskDa, *maskA;
    QPushButton *btnContabilita, *btnStampaSituazioneConto, *SpeedButton1;
    QToolButton *spdHelp, *spdIndietro;

    // The main window's opening: the current calendar year, shown without waiting.
    void apri(int anno);
    // Both dates present, else their message; true when the action may go on.
    bool dateIndicate();

public Q_SLOTS:
    void btnContabilitaClick();
    void btnStampaSituazioneContoClick();
    void SpeedButton1Click();
    void maskDaExit();
    void spdHelpClick();
    void spdIndietroClick();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
};

class TfrmStampaSituazioneConto : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaSituazioneConto(QWidget *parent = nullptr);

    QComboBox *DBLookupComboBox2; // the account: its id is the item's data
    QToolButton *SpeedButton14, *spdHelp, *spdIndietro;
    QPushButton *btnStampaSituazioneConto;

public Q_SLOTS:
    void SpeedButton14Click();
    void btnStampaSituazioneContoClick();
    void spdHelpClick();
    void spdIndietroClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void caricaConti();
};

inline TfrmStampaContabilita *frmStampaContabilita = nullptr;
inline TfrmStampaSituazioneConto *frmStampaSituazioneConto = nullptr;
