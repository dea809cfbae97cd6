#pragma once
// What the fiscal-representative and intermediary editors share: both keep part of the company
// row (the data module's Table12) that only the e-invoice header needs, with the same controls
// and "Indietro" that saves; they differ in their columns and in which fields they require.
#include "forms/DetailForm.h"

class QLabel;

class ModificaSoggettoTerzo : public forms::DetailForm {
    Q_OBJECT
public:
    ui::DBCheckBox *DBCheckBox2;             // "Includi"
    ui::DBLookupComboBox *DBLookupComboBox3; // "Nazione"
    ui::DBEdit *DBEdit1;                     // "P.Iva"
    ui::DBEdit *DBEdit2;                     // "Codice Fiscale"
    ui::DBEdit *DBEdit5;                     // "Rag. Sociale"
    ui::DBEdit *DBEdit11;                    // "Cognome"
    ui::DBEdit *DBEdit3;                     // "Nome"
    ui::DBEdit *DBEdit4;                     // "Titolo"
    ui::DBEdit *DBEdit6;                     // "Cod. Eori"

protected:
    struct Colonne {
        const char *nome, *titolo, *includi, *prefisso; // prefisso: the columns' common start
        bool partitaIvaRichiesta;                       // the fiscal representative needs it
    };
    ModificaSoggettoTerzo(const Colonne &colonne, QWidget *parent);
    // The checks of a switched-on block; nothing is checked while "Includi" is off.
    bool controllaSalvataggio() override;

private:
    QLabel *etichettaDi(QWidget *campo) const;
    bool partitaIvaRichiesta;
};
