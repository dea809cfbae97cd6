#pragma once
#include "forms/DetailForm.h"

#include <QList>

class QGroupBox;
class QPushButton;

namespace ui {
class DBGrid;
} // namespace ui

// The staff editor on the current row of TablePersonale: the employee on three pages
// ("  Generale  ", "  Dati Economici  ", "  Documenti  ") and its deadlines, costs and salaries on
// three more, each a read-only grid with its own toolbar. The sub-pages are reached through a
// save of the employee; a name typed into is copied into the calendar by the save.
class TfrmPersonaleDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmPersonaleDettaglio(QWidget *parent = nullptr);

    bool NominativoModificato = false;

    // Page "  Generale  "
    ui::DBEdit *DBEdit1;  // Cod. Operatore (read-only)
    ui::DBEdit *DBEdit3;  // Codice
    ui::DBEdit *DBEdit4;  // Rag. Sociale Descrizione (Personale)
    ui::DBEdit *DBEdit5, *DBEdit6, *DBEdit7; // Cognome, Nome, Titolo
    ui::DBLookupComboBox *DBLookupComboBox4; // Categoria
    ui::DBEdit *DBEdit8, *DBEdit9; // Indirizzo, N°
    ui::DBLookupComboBox *DBLookupComboBox1; // Comune
    ui::DBEdit *DBEdit10; // Cap
    ui::DBLookupComboBox *DBLookupComboBox2; // Nazione
    ui::DBEdit *DBEdit11, *DBEdit12, *DBEdit13, *DBEdit14, *DBEdit15, *DBEdit16; // phones, e-mail, Skype
    ui::DBEdit *DBEdit17, *DBEdit18, *DBEdit19, *DBEdit20; // Iva, CodFisc, CodEORI, Note
    ui::DBEdit *DBEdit21; // Cartella Dati
    ui::DBCheckBox *DBCheckBox1, *DBCheckBox2; // Annullato, Consenso Privacy
    QToolButton *SpeedButton7, *SpeedButton10; // category: edit, add
    QToolButton *SpeedButton8, *SpeedButton9;  // town: edit, add
    QToolButton *SpeedButton11, *SpeedButton12; // work folder: choose, open
    // Page "  Dati Economici  "
    ui::DBEdit *DBEdit22, *DBEdit23, *DBEdit24; // PagaMensile, TariffaGiornaliera, TariffaOraria
    ui::DBEdit *DBEdit25, *DBEdit26;           // Iban, DescBanca
    QPushButton *Button1, *Button2;            // the two "Calcola"
    // Page "  Documenti  "
    ui::DBEdit *DBEdit27, *DBEdit28; // DataAssunzione, DataFineRapporto
    ui::DBLookupComboBox *DBLookupComboBox3; // Tipo Documento
    QToolButton *SpeedButton4, *SpeedButton5; // document type: edit, add
    ui::DBEdit *DBEdit29, *DBEdit30, *DBEdit31, *DBEdit32, *DBEdit33; // Documento, licence, CQC, Tachigrafo, birth date
    ui::DBLookupComboBox *DBLookupComboBox5, *DBLookupComboBox6, *DBLookupComboBox7; // birthplace, state of birth, citizenship
    QGroupBox *GroupBox5; // "Permesso di soggiorno"
    ui::DBEdit *DBEdit34, *DBEdit35, *DBEdit36, *DBEdit37; // Questura, Numero, Data, Scadenza
    ui::DBEdit *DBEdit38, *DBEdit39; // Passaporto numero, data rilascio
    QToolButton *SpeedButton1; // "Stampa": the privacy sheet

    // The three sub-pages: group box, grid, toolbar buttons.
    QGroupBox *GroupBox2, *GroupBox4, *GroupBox1;
    ui::DBGrid *DBGrid2; // deadlines
    ui::DBGrid *DBGrid4; // costs
    ui::DBGrid *DBGrid1; // salaries
    QToolButton *spdEliminaDett, *spdInserisciDett, *SpeedButton6, *spdAvantiDett; // deadlines
    QToolButton *SpeedButton18, *SpeedButton19, *SpeedButton23, *SpeedButton21;    // costs
    QToolButton *SpeedButton13, *SpeedButton14, *SpeedButton16;                    // salaries

    qint64 idPersonale() const;

public Q_SLOTS:
    void spdSalvaClick();
    void spdIndietroClick() override;
    void PageControl1Change() override;
    void SpeedButton1Click();
    void Button1Click();
    void Button2Click();
    void SpeedButton11Click();
    void SpeedButton12Click();
    void DBLookupComboBox1Click();
    // deadlines
    void spdEliminaDettClick();
    void spdInserisciDettClick();
    void SpeedButton6Click();
    void spdAvantiDettClick();
    void DBGrid2DblClick() { spdAvantiDettClick(); }
    // costs
    void SpeedButton18Click();
    void SpeedButton19Click();
    void SpeedButton23Click();
    void SpeedButton21Click();
    void DBGrid4DblClick() { SpeedButton21Click(); }
    // salaries
    void SpeedButton13Click();
    void SpeedButton14Click();
    void SpeedButton16Click();
    void DBGrid1DblClick() { SpeedButton16Click(); }

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    struct Sotto {
        QGroupBox *gruppo;
        ui::DBGrid *griglia;
        QToolButton *elimina, *aggiungi, *stampa, *modifica;
    };
    Sotto sottoPagina(const QString &pagina, const QString &titolo, const QString &gruppo, const QString &griglia,
                      const QString &nomeGriglia, db::DataSource *source, const QStringList &nomi,
                      const QString &suggerimentoStampa);
    bool fallito(QWidget *campo, const QString &messaggio);
    QList<QGroupBox *> m_gruppi;
    QList<QToolButton *> m_pulsantiLookup;
};

inline TfrmPersonaleDettaglio *frmPersonaleDettaglio = nullptr;
