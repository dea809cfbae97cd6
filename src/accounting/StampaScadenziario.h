#pragma once
// The schedule's print menu: the open and paid instalments of customers and suppliers, the
// customers' and suppliers' situations, the vehicles' and the staff's deadlines. Each button
// hands its report code to the print dispatcher.
#include <QDialog>

class QToolButton;

class TfrmStampaScadenziario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaScadenziario(QWidget *parent = nullptr);

    QToolButton *SpeedButton2;           // "Scadenze Clienti", code 20
    QToolButton *SpeedButton1;           // "Pagamenti Clienti", code 21
    QToolButton *SpeedButton3;           // "Scadenze Fornitori", code 42
    QToolButton *SpeedButton4;           // "Pagamenti Fornitori", code 43
    QToolButton *SpeedButton5;           // "Situazione Clienti", code 12
    QToolButton *SpeedButton6;           // "Situazione Fornitori", code 13
    QToolButton *SpeedButton9;           // "Scadenze Vetture", code 51
    QToolButton *btnStampePersonale;     // "Scadenze Personale", code 55
    QToolButton *spdIndietro;

public Q_SLOTS:
    void SpeedButton2Click();
    void SpeedButton1Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton9Click();
    void btnStampePersonaleClick();
    void spdIndietroClick();
};

inline TfrmStampaScadenziario *frmStampaScadenziario = nullptr;
