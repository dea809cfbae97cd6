#pragma once
// The cash book's prints: the menu, the month and the month-and-bank prints with their opening
// balance, and the customers' and suppliers' situations. Each print hands what is typed to the
// print dispatcher.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QToolButton;

namespace ui {
class MaskedDateEdit;
}

class TfrmStampaPrimNota : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaPrimNota(QWidget *parent = nullptr);
    QToolButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton5, *SpeedButton6, *SpeedButton7;
    QToolButton *spdIndietro;
};

// The month print; with `conBanca` the month-and-bank print.
class StampaPrimaNotaMese : public QDialog {
    Q_OBJECT
public:
    StampaPrimaNotaMese(bool conBanca, QWidget *parent);
    QComboBox *DBLookupComboBox2; // the month, its number as item data
    QComboBox *DBLookupComboBox4 = nullptr; // the bank, its id as item data
    QLineEdit *txtAnno;
    QLineEdit *txtSaldoIniziale;
    QToolButton *Calcola;
    QToolButton *SpeedButton6;
    QToolButton *spdIndietro;

    // The menu opens the form on the current year with an opening balance of 0.
    void prepara(int anno);

public Q_SLOTS:
    void CalcolaClick();
    void SpeedButton6Click();

protected:
    void showEvent(QShowEvent *e) override;

private:
    // The fields' checks in order; false after a message.
    bool controlla(bool saldo);
    bool m_conBanca;
};

class TfrmPrimaNotaStampaMese : public StampaPrimaNotaMese {
    Q_OBJECT
public:
    explicit TfrmPrimaNotaStampaMese(QWidget *parent = nullptr) : StampaPrimaNotaMese(false, parent) {}
};

class TfrmPrimaNotaStampaBanca : public StampaPrimaNotaMese {
    Q_OBJECT
public:
    explicit TfrmPrimaNotaStampaBanca(QWidget *parent = nullptr) : StampaPrimaNotaMese(true, parent) {}
};

// The customers' (or suppliers') documents with their cash-book rows over a range of dates.
class StampaSituazione : public QDialog {
    Q_OBJECT
public:
    StampaSituazione(bool fornitori, QWidget *parent);
    ui::MaskedDateEdit *maskDa;
    ui::MaskedDateEdit *maskA;
    QComboBox *DBLookupComboBox2; // the customer or supplier, its id as item data
    QToolButton *SpeedButton4;
    QToolButton *spdHelp;
    QToolButton *spdIndietro;

public Q_SLOTS:
    void SpeedButton4Click();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    bool m_fornitori;
};

class TfrmStampaPrimaNotaSituazioneClienti : public StampaSituazione {
    Q_OBJECT
public:
    explicit TfrmStampaPrimaNotaSituazioneClienti(QWidget *parent = nullptr) : StampaSituazione(false, parent) {}
};

class TfrmStampaPrimaNotaSituazioneFornitori : public StampaSituazione {
    Q_OBJECT
public:
    explicit TfrmStampaPrimaNotaSituazioneFornitori(QWidget *parent = nullptr) : StampaSituazione(true, parent) {}
};

inline TfrmStampaPrimNota *frmStampaPrimNota = nullptr;
inline TfrmPrimaNotaStampaMese *frmPrimaNotaStampaMese = nullptr;
inline TfrmPrimaNotaStampaBanca *frmPrimaNotaStampaBanca = nullptr;
inline TfrmStampaPrimaNotaSituazioneClienti *frmStampaPrimaNotaSituazioneClienti = nullptr;
inline TfrmStampaPrimaNotaSituazioneFornitori *frmStampaPrimaNotaSituazioneFornitori = nullptr;
