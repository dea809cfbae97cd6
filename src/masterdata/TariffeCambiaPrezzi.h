#pragma once
// Raises or lowers the unit price of the tariffs selected in the price list, by a percentage or
// by a fixed amount; each final price follows. The change is one transaction: a failure leaves
// every tariff as it was.
#include <QDialog>

class QLineEdit;
class QToolButton;

class TfrmCambiaValoreUnitario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCambiaValoreUnitario(QWidget *parent = nullptr);

    QLineEdit *txtPercentuale; // "Percentuale"
    QLineEdit *txtFisso;       // "Valore Fisso"
    QToolButton *SpeedButton1; // raise
    QToolButton *SpeedButton2; // lower
    QToolButton *spdHelp;
    QToolButton *spdIndietro;

public Q_SLOTS:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void spdHelpClick();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void cambia(bool aumento);
};

inline TfrmCambiaValoreUnitario *frmCambiaValoreUnitario = nullptr;
