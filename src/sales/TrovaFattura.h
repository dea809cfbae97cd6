#pragma once
// The invoice finder: a modal search list over the query its caller puts into
// TableTrovaFattura (columns Data, Numero, Cliente, optionally Serie and Cliente_ID, and the
// caller's own). It filters and sorts that query, never changes it. Accepted means a choice,
// which is the current row of TableTrovaFattura; rejected ("Indietro") means none.
#include <QDialog>
#include <QList>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolBar;
class QToolButton;

namespace ui {
class DBGrid;
class MaskedDateEdit;
} // namespace ui

class TfrmTrovaFattura : public QDialog {
    Q_OBJECT
    // Also readable by callers that reach the finder through the registry.
    Q_PROPERTY(bool RicercaAnnullata MEMBER RicercaAnnullata)
public:
    explicit TfrmTrovaFattura(QWidget *parent = nullptr);

    // True when the finder was left with "Indietro", false after a choice; kept between showings.
    bool RicercaAnnullata = true;

    QToolBar *ToolBar1;
    QToolButton *spdHelp;
    QToolButton *spdIndietro;
    QToolButton *spdAvanti;
    ui::DBGrid *DBGrid1;
    QGroupBox *GroupBox1;
    QLineEdit *txtDaNumero;
    QLineEdit *txtANumero;
    QLabel *lblSerie; // hidden with txtSerie by callers whose query has no series
    QLineEdit *txtSerie;
    ui::MaskedDateEdit *maskDaData;
    ui::MaskedDateEdit *maskAData;
    QComboBox *DBLookupComboBox1; // "Cliente": the customers of Table7 (the id as item data)
    QToolButton *BitBtn3;         // reset
    QToolButton *Filtra;          // cerca

public Q_SLOTS:
    // "cerca": the boxes' filter; a box holding no date or no number is said and the filter in
    // force stays.
    void FiltraClick();
    // "reset": no filter, no sort, every box empty. The list is not searched again.
    void BitBtn3Click();
    // A choice: the current row (nothing happens on an empty list).
    void spdAvantiClick();
    void DBGrid1DblClick();
    // No choice.
    void spdIndietroClick();
    void spdHelpClick();
    void DBGrid1TitleClick(const QString &campo);
    // Leaving "Dalla Data" with a whole date proposes 31 December of its year in an empty "alla Data".
    void maskDaDataExit();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void reject() override; // Escape: as "Indietro"

private:
    // The customers' items from Table7, the choice kept.
    void riempiClienti();
    QList<QWidget *> m_caselle;
};

inline TfrmTrovaFattura *frmTrovaFattura = nullptr;
