#pragma once
#include "forms/ListForm.h"

#include <QColor>

class QGroupBox;
class QRadioButton;
class QToolButton;
namespace ui {
class MaskedDateEdit;
}

// The register of seized vehicles: every seizure of every year, searched by twelve criteria,
// invoiced rows aqua and rows with a quote magenta. "Avanti" opens the seizure editor; in pick
// mode (the invoice and quote editors' seizure buttons) it hands back the current seizure.
class TfrmGrigliaSequestri : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaSequestri(QWidget *parent = nullptr);

    QGroupBox *GroupBox1;          // the search panel
    QLineEdit *txtDaNumero;        // "Numero"
    QLineEdit *txtANumero;         // "al Numero"
    ui::MaskedDateEdit *maskDaData; // "Dalla Data"
    ui::MaskedDateEdit *maskAData;  // "alla Data"
    QLineEdit *Edit2;              // "Targa"
    QLineEdit *Edit3;              // "Modello Veic."
    QLineEdit *txtEnte;            // "Ente Sequestr."
    QLineEdit *Edit4;              // "Tipo Sequestro"
    QLineEdit *Edit5;              // "Note"
    QLineEdit *Edit6;              // "Matricola"; "Proprietario" is the family's Edit1
    QRadioButton *RadioButton1;    // "Dissequestrati": "Si"
    QRadioButton *RadioButton2;    // "No"
    QRadioButton *RadioButton3;    // "Tutti"
    QToolButton *BitBtn3;          // "reset"
    QToolButton *BitBtn2;          // "cerca"

    // The background of a row of the grid: aqua when invoiced, else magenta with a quote, else white.
    QColor coloreRiga(int riga) const;

public Q_SLOTS:
    void spdInserisciClick() override;
    void spdEliminaClick() override;
    void spdAggiornaClick();
    void BitBtn2Click(); // "cerca"
    void BitBtn3Click() override; // "reset"

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QList<QWidget *> m_ricerca; // the boxes in the panel's order
};

inline TfrmGrigliaSequestri *frmGrigliaSequestri = nullptr;
