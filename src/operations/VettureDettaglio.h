#pragma once
#include "forms/DetailForm.h"

#include <QList>

class QGroupBox;
class QMenu;

namespace ui {
class DBGrid;
class DBText;
} // namespace ui

// The vehicle editor: the vehicle on page "  Generale  " and its deadlines, fuel cards, costs
// and refuellings on four further pages, each a read-only grid with its own toolbar. A page
// other than the first is reached through a save of the vehicle.
class TfrmVettureDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmVettureDettaglio(QWidget *parent = nullptr);

    // Page "  Generale  "
    ui::DBEdit *DBEdit1; // Targa
    ui::DBEdit *DBEdit3; // Numero Telaio
    ui::DBLookupComboBox *DBLookupComboBox2; // Marca
    ui::DBLookupComboBox *DBLookupComboBox3; // Veicolo
    ui::DBLookupComboBox *DBLookupComboBox1; // Colore
    ui::DBEdit *DBEdit5; // Cilindrata
    ui::DBLookupComboBox *DBLookupComboBox4; // Trasportatore
    ui::DBLookupComboBox *DBLookupComboBox5; // Carburante
    ui::DBEdit *DBEdit6; // Tot. Chilometri
    ui::DBEdit *DBEdit4; // Data Immatricolazione
    ui::DBEdit *DBEdit7; // Cartella Dati
    ui::DBEdit *DBEdit8; // Tassa circolaz. annua
    ui::DBEdit *DBEdit9; // Assicurazione
    ui::DBEdit *DBEdit10; // Note
    ui::DBText *DBText1, *DBText2, *DBText3; // the three totals
    QToolButton *SpeedButton25; // choose the data folder
    QToolButton *SpeedButton26; // open the data folder
    QToolButton *SpeedButton16; // "Fatture di Acquisto"
    QToolButton *spdStampa;
    QList<QToolButton *> pulsantiLookup; // edit and "+" beside the lookups

    // The four sub-pages: group box, grid, toolbar buttons.
    QGroupBox *GroupBox2, *GroupBox1, *GroupBox4, *GroupBox3;
    ui::DBGrid *DBGrid2; // deadlines
    ui::DBGrid *DBGrid1; // fuel cards
    ui::DBGrid *DBGrid4; // costs
    ui::DBGrid *DBGrid3; // refuellings
    QToolButton *spdEliminaDett, *spdInserisciDett, *SpeedButton1, *spdAvantiDett; // deadlines
    QToolButton *SpeedButton2, *SpeedButton4, *SpeedButton5, *SpeedButton6;        // cards
    QToolButton *SpeedButton18, *SpeedButton19, *SpeedButton23, *SpeedButton21;    // costs
    QToolButton *SpeedButton14, *SpeedButton15, *SpeedButton24, *SpeedButton17;    // refuellings
    QToolButton *btnTotali; // hidden "totali Costi"

    qint64 idVettura() const;

public Q_SLOTS:
    void PageControl1Change() override;
    void DBEdit1Exit();
    void DBLookupComboBox2Click();
    void DBLookupComboBox3Click();
    void SpeedButton25Click();
    void SpeedButton26Click();
    void SpeedButton16Click();
    void spdStampaClick();
    void btnTotaliClick();
    // deadlines
    void spdInserisciDettClick();
    void spdAvantiDettClick();
    void spdEliminaDettClick();
    void SpeedButton1Click();
    // cards
    void SpeedButton4Click();
    void SpeedButton6Click();
    void SpeedButton2Click();
    void SpeedButton5Click();
    // costs
    void SpeedButton19Click();
    void SpeedButton21Click();
    void SpeedButton18Click();
    void SpeedButton23Click();
    // refuellings
    void SpeedButton15Click();
    void SpeedButton17Click();
    void SpeedButton14Click();
    void SpeedButton24Click();

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
    void stampa(db::Query *q, int codice);
    QList<QGroupBox *> m_gruppi;
};

inline TfrmVettureDettaglio *frmVettureDettaglio = nullptr;
