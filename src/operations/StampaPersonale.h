#pragma once
#include <QDialog>

class QToolButton;

// The staff print menu: the reports over all staff (the staff, the costs, the salaries in three
// layouts and the deadlines), each button printing at once through the print dispatcher.
class TfrmStampaPersonale : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaPersonale(QWidget *parent = nullptr);

    QToolButton *btnStampePersonale;        // "Personale" (25)
    QToolButton *BitBtn2;                   // "Costi" (19)
    QToolButton *btnStampaPersonaleStipendi; // "Stipendi" (65)
    QToolButton *BitBtn1;                   // "Stipendi x mese" (66)
    QToolButton *BitBtn3;                   // "Stipendi x Descrizioni" (67)
    QToolButton *BitBtn4;                   // "Scadenze" (55)
    QToolButton *spdHelp;
    QToolButton *spdIndietro;

public Q_SLOTS:
    void btnStampePersonaleClick();
    void BitBtn2Click();
    void btnStampaPersonaleStipendiClick();
    void BitBtn1Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void spdHelpClick();
    void spdIndietroClick();
};

inline TfrmStampaPersonale *frmStampaPersonale = nullptr;
