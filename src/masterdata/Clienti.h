#pragma once
#include "forms/ListForm.h"

#include <QList>

class QComboBox;
class QPushButton;

// The customers' list: Table7 searched by name, town, mobile, province, notes and category,
// each row painted in the customer's colour (else its category's), with the e-mail buttons of
// the selected customers. Other forms pick a customer through it (ListForm::scegli, with
// "Annullato = 0") and add one on the fly through its "Aggiungi".
class TfrmClienti : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmClienti(QWidget *parent = nullptr);

    QToolButton *btImportaVCard;
    QToolButton *btEsportaVCard;
    QToolButton *spdCopyEmail;
    QToolButton *spdEmail;
    // The search group under the grid.
    QLineEdit *Edit1; // Ricerca Per Cliente
    QLineEdit *Edit2; // Cellulare
    QLineEdit *Edit3; // Prov.
    QLineEdit *Edit4; // Città
    QLineEdit *Edit5; // Per Note
    QComboBox *ComboBox1; // Categoria
    QPushButton *Filtra;  // "cerca"
    QPushButton *BitBtn3; // "reset"

    // The ids of the customers selected in the grid, in the grid's order.
    QList<qint64> clientiSelezionati() const;

    // The filter the search group gives now.
    QString filtroRicerca() const override;

public Q_SLOTS:
    void FiltraClick();
    void BitBtn3Click() override;
    void spdAggiornaClick();
    void spdEmailClick();
    void spdCopyEmailClick();
    // Wired to the customers' vCard exchange.
    void btImportaVCardClick();
    void btEsportaVCardClick();

protected:
    void primaDiAggiungere() override;
    void impostaNuovo() override;
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void abilitaPulsanti();
    // The e-mail addresses of the selected customers, empty ones left out; false (after the
    // message) when nothing is selected.
    bool indirizziSelezionati(QStringList &indirizzi);
    QList<QLineEdit *> m_caselleClienti;
    bool m_categorieCaricate = false;
};

inline TfrmClienti *frmClienti = nullptr;
