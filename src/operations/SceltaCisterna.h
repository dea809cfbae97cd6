#pragma once
#include <QDialog>

class QToolButton;
namespace ui {
class DBLookupComboBox;
}

// The tank a new refuelling is drawn from: a lookup bound to Cisterna_ID of the current row
// of TableVettureCarburante, which also copies the tank's name into Cisterna. "Avanti" closes.
class TfrmSceltaCisterna : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSceltaCisterna(QWidget *parent = nullptr);

    ui::DBLookupComboBox *DBLookupComboBox1;
    QToolButton *SpeedButton1; // "+": a new tank through the tank list
    QToolButton *SpeedButton2; // open the tank
    QToolButton *spdAvanti;

public Q_SLOTS:
    void DBLookupComboBox1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void spdAvantiClick();

protected:
    void showEvent(QShowEvent *e) override;
};

inline TfrmSceltaCisterna *frmSceltaCisterna = nullptr;
