#pragma once
#include "forms/ListForm.h"

class QLineEdit;

// The fleet list: the company's vehicles, narrowed by six search boxes (four prefixes and a
// range of registration dates). Its "Aggiungi" is also the "+" of the vehicle lookups of the
// documents; its delete removes a vehicle with everything it owns.
class TfrmVetture : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmVetture(QWidget *parent = nullptr);

    QLineEdit *Edit2;      // N° Telaio
    QLineEdit *Edit3;      // Tipo Veicolo
    QLineEdit *maskDaData; // Da Data immatricolaz
    QLineEdit *maskAData;  // Alla Data di immatricolaz.
    QLineEdit *Edit4;      // Targa
    QLineEdit *txtModello; // Marca
    QToolButton *btnRequery; // hidden: loads the current vehicle's four sub-lists

    QString filtroRicerca() const override;
    // Empties the six boxes without filtering (the main window's opening).
    void svuotaRicerca();

public Q_SLOTS:
    void spdInserisciClick() override;
    void spdAvantiClick() override;
    void spdEliminaClick() override;
    void spdAggiornaClick();
    void btnRequeryClick();
};

inline TfrmVetture *frmVetture = nullptr;
