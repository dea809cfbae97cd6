#pragma once
#include "forms/ListForm.h"

class QLineEdit;

// The staff list: every employee, withdrawn ones included, narrowed by four prefix boxes. It
// opens the staff editor, adds and deletes employees (a delete takes the deadlines, costs and
// salaries with it), mails the selected ones or shows their addresses, and exchanges vCards.
// Its "Aggiungi" is also the "+" beside the staff lookups of other forms.
class TfrmGrigliaPersonale : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaPersonale(QWidget *parent = nullptr);

    QLineEdit *Edit2; // Personale
    QLineEdit *Edit3; // Cellulare
    QLineEdit *Edit4; // Telefono
    QToolButton *SpeedButton2; // "Aiuto" (the family's spdHelp)
    QToolButton *SpeedButton3; // "Indietro" (the family's spdIndietro)
    QToolButton *SpeedButton4; // "Avanti" (the family's spdAvanti)
    QToolButton *btImportaVCard;
    QToolButton *btEsportaVCard;
    QToolButton *spdCopyEmail;
    QToolButton *spdEmail;
    QToolButton *btnRequery; // hidden: loads the current employee's three sub-lists

    // Empties the four boxes without filtering (the main window's opening, "Aggiungi").
    void svuotaRicerca();
    // The id of the current employee, 0 without one.
    qint64 idCorrente() const;

public Q_SLOTS:
    void spdInserisciClick() override;
    void spdAvantiClick() override;
    void spdEliminaClick() override;
    void SpeedButton4Click() { spdAvantiClick(); }
    void spdAggiornaClick();
    void btnRequeryClick();
    void btImportaVCardClick();
    void btEsportaVCardClick();
    void spdCopyEmailClick();
    void spdEmailClick();
    void Edit2Change() { Edit1Change(); }

private:
    bool indirizziSelezionati(QStringList &indirizzi);
};

inline TfrmGrigliaPersonale *frmGrigliaPersonale = nullptr;
