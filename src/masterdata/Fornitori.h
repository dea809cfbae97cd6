#pragma once
#include "ListaAnagrafica.h"

// The suppliers' list: Table9 searched by name, town, mobile, province, notes and category,
// with the e-mail and vCard buttons of the selected suppliers. The purchase documents and the
// cash book pick a supplier through it (ListForm::scegli, with "Annullato = 0") and add one on
// the fly through its "Aggiungi".
class TFornitori : public masterdata::ListaAnagrafica {
    Q_OBJECT
public:
    explicit TFornitori(QWidget *parent = nullptr);

    // The search group under the grid.
    QLineEdit *Edit1; // Ricerca per Fornitore
    QLineEdit *Edit2; // Città
    QLineEdit *Edit4; // Cellulare
    QLineEdit *Edit3; // Prov.
    QLineEdit *Edit5; // Per Note
    QComboBox *cboCategorie; // Categoria

protected:
    void impostaNuovo() override;
};

inline TFornitori *Fornitori = nullptr;

// The suppliers' vCard exchange (the dialogs of scambio_vcard with the suppliers' side).
void esportaVCardFornitori(QWidget *finestra, const QList<qint64> &idSelezionati);
void importaVCardFornitori(QWidget *finestra);
