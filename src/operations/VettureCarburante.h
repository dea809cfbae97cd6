#pragma once
#include "forms/DetailForm.h"

#include <optional>

namespace ui {
class DBText;
}

// One refuelling of a company vehicle. Its save and the stock of the tank it was drawn from
// are one transaction (rifornimenti::salva); "Calcola" works out the amount from the litres or
// the litres from the amount at the price of the vehicle's fuel type.
class TfrmVettureCarburante : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmVettureCarburante(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1; // Data
    ui::DBEdit *DBEdit2; // Litri
    ui::DBEdit *DBEdit3; // Importo
    ui::DBLookupComboBox *DBLookupComboBox1; // Scheda
    ui::DBLookupComboBox *DBLookupComboBox2; // Autista
    ui::DBEdit *DBEdit4; // KM arrivo
    ui::DBEdit *DBEdit5; // KM partenza
    ui::DBText *DBText1; // KM Differenza
    ui::DBLookupComboBox *DBLookupComboBox3; // Rifornimento
    ui::DBEdit *DBEdit6; // Note
    QToolButton *Button2; // "Calcola" beside Litri: litres from the amount
    QToolButton *Button1; // "Calcola" beside Importo: amount from the litres
    QList<QToolButton *> pulsantiLookup;

public Q_SLOTS:
    void spdSalvaClick();
    void spdIndietroClick() override;
    void spdAnnullaClick();
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent *e) override;

private:
    QToolButton *calcola(ui::DBEdit *campo, const QString &nome);
    // The price per litre of the vehicle's fuel; said to the user when there is none.
    std::optional<double> prezzoDellaVettura();
};

inline TfrmVettureCarburante *frmVettureCarburante = nullptr;
