#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

class QComboBox;

// Provinces: a two-letter code (what towns, customers and the company keep) and the name.
class TfrmGrigliaProvince : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaProvince(QWidget *parent = nullptr);

    // The region the search is limited to; not bound to any row.
    QComboBox *DBLookupComboBox2;
    // The region shown by the lookup, by IDRegione; 0 shows none. Setting it does not filter.
    void impostaRegione(qint64 idRegione);

    QString filtroRicerca() const override;

protected:
    void impostaNuovo() override;
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void caricaRegioni();
};

class TfrmProvinceDettaglio : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmProvinceDettaglio(QWidget *parent = nullptr);

    ui::DBEdit *DBEdit1; // the code ("Sigla")
};

inline TfrmGrigliaProvince *frmGrigliaProvince = nullptr;
inline TfrmProvinceDettaglio *frmProvinceDettaglio = nullptr;
