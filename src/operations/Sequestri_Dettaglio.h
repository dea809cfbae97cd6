#pragma once
#include "forms/DetailForm.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
namespace ui {
class DBText;
}

// The seizure editor: one seizure of the register with its authority, kind, vehicle, release
// and documents folder, and the two rows of buttons that make, find, unlink and print its quote
// and its invoice. It works on the current row of TableSequestri.
class TfrmSequestri_Dettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmSequestri_Dettaglio(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit21; // Numero
    ui::DBEdit *DBEdit4;  // Lettera
    ui::DBEdit *DBEdit20; // Data
    // Proprietario is the family's DBEdit2.
    ui::DBLookupComboBox *DBLookupComboBox4; // Ente Sequestr.
    QToolButton *SpeedButton3;               // a new authority
    QToolButton *SpeedButton5;               // opens the authority
    ui::DBLookupComboBox *DBLookupComboBox1; // Tipo Sequestro
    ui::DBEdit *DBEdit17; // Modello Veic.
    ui::DBEdit *DBEdit3;  // Matricola
    ui::DBEdit *DBEdit6;  // Targa
    ui::DBCheckBox *DBCheckBox1; // Confisca
    ui::DBEdit *DBEdit18; // Data Dissequ.
    QPushButton *Button1; // "Oggi"
    ui::DBEdit *DBEdit5;  // Cartella Dati
    QToolButton *SpeedButton11; // choose the folder
    QToolButton *SpeedButton12; // open the folder
    ui::DBEdit *DBEdit1;  // Note

    QGroupBox *GroupBox1; // "Preventivo"
    QToolButton *SpeedButton7, *SpeedButton4, *SpeedButton9, *SpeedButton1;
    ui::DBText *DBText1;  // Preventivo_Descrizione
    QGroupBox *GroupBox2; // "Fattura"
    QToolButton *SpeedButton8, *SpeedButton6, *SpeedButton10, *SpeedButton2;
    ui::DBText *DBText2;  // Fattura_Descrizione
    QCheckBox *chkFiltroTarga; // " filtra targa"

public Q_SLOTS:
    void DBLookupComboBox4Click();
    void DBLookupComboBox1Click();
    void SpeedButton3Click();
    void SpeedButton5Click();
    void Button1Click();
    void SpeedButton11Click();
    void SpeedButton12Click();
    // Quote: remove the link, make or link, find, print.
    void SpeedButton7Click();
    void SpeedButton4Click();
    void SpeedButton9Click();
    void SpeedButton1Click();
    // Invoice: remove the link, make or link, find, print.
    void SpeedButton8Click();
    void SpeedButton6Click();
    void SpeedButton10Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent *e) override;

private:
    qint64 idSequestro() const;
    // The plate typed; false after the message when it is empty.
    bool controllaTarga();
    // Puts the current seizure back under the editor after a list re-read TableSequestri.
    void ritrova(qint64 id);
    // The finder on TableTrovaFattura: true when a row was taken (the current row).
    bool trova(const QString &sql, bool conSerie);
};

inline TfrmSequestri_Dettaglio *frmSequestri_Dettaglio = nullptr;
