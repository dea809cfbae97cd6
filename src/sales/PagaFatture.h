#pragma once
// The payment of several open instalments at once: the selection form (open instalments of one
// customer's sales invoices or one supplier's purchase invoices, and this workstation's choice)
// and the payment form (date, method, bank, details). Both live as long as the program, so the
// method, bank and details of one payment are offered again at the next. The writing is done by
// the pagamenti service; the forms re-read their two datasets after each step.
#include "sales/services/PagamentoScadenze.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;
class QToolButton;

namespace ui {
class DBGrid;
class MaskedDateEdit;
} // namespace ui

class TfrmPagaFatture : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPagaFatture(QWidget *parent = nullptr);

    // The three totals of the open selection; the labels show them.
    double TotaleFatture = 0;
    double TotaleInPagamento = 0;
    double TotaleDaPagare = 0;

    // What a detail does before showing the form: empties this workstation's selection, clears
    // the party's marks and lists its open invoice instalments. False (after the notice) when
    // there is none.
    bool prepara(pagamenti::Parte parte, qint64 idParte);
    // "Paga fatture" of the customer and supplier details (found through the registry):
    // prepares the form for the party and shows it modally, or only the notice when the party
    // has no open invoice instalment.
    Q_INVOKABLE void apri(bool fornitore, qlonglong idParte);
    // After a payment: the datasets read again, the totals of what is left.
    void pagamentoRegistrato();

    QToolBar *ToolBar1;
    QToolButton *spdHelp;
    QToolButton *spdIndietro;
    ui::DBGrid *DBGrid1; // "Scadenze fatture"
    ui::DBGrid *DBGrid2; // "Scadenze in pagamento"
    QLabel *lblTotaleFatture;
    QLabel *lblTotaleInPagamento;
    QLabel *lblTotaleDaPagare;
    QPushButton *SpeedButton2; // "Aggiungi"
    QPushButton *SpeedButton5; // "Aggiungi Tutte"
    QPushButton *SpeedButton3; // "Togli"
    QPushButton *SpeedButton4; // "Togli tutte"
    QPushButton *SpeedButton1; // "Paga fatture"

public Q_SLOTS:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void DBGrid1DblClick();
    void DBGrid2DblClick();
    void DBGrid1TitleClick(const QString &campo);
    void DBGrid2TitleClick(const QString &campo);
    void spdIndietroClick();
    void spdHelpClick();

private:
    void rileggi();
    void mostraTotali();
    void totaleDellaSelezione();
    bool esegui(const std::function<void()> &passo);
};

class TfrmPagaFattureModPagamento : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPagaFattureModPagamento(QWidget *parent = nullptr);

    QToolBar *ToolBar1;
    QToolButton *spdHelp;
    QToolButton *spdIndietro;
    ui::MaskedDateEdit *maskData; // "Data Pagamento effettuato"
    QPushButton *Button1;         // "Oggi"
    QComboBox *DBLookupComboBox1; // "Modalità di pagamento", Id of TableModPaga
    QComboBox *DBLookupComboBox2; // "Banca", Id of Table5
    QLineEdit *Edit1;             // "Dettagli pagamento"
    QPushButton *SpeedButton1;    // "Paga fatture"

    // Fills the two lists again from their datasets, keeping what was chosen.
    void riempiListe();

public Q_SLOTS:
    void Button1Click();
    void SpeedButton1Click();
    void spdIndietroClick();
    void spdHelpClick();

protected:
    void showEvent(QShowEvent *e) override;
};

inline TfrmPagaFatture *frmPagaFatture = nullptr;
inline TfrmPagaFattureModPagamento *frmPagaFattureModPagamento = nullptr;

