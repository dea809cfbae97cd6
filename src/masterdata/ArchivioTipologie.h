#pragma once
// The "Tipologie" hub: a window of buttons, shown beside the main menu, each opening the list
// of one code table.
#include <QDialog>

class QToolBar;
class QToolButton;

class TfrmArchivioTipologie : public QDialog {
    Q_OBJECT
public:
    explicit TfrmArchivioTipologie(QWidget *parent = nullptr);

    QToolBar *ToolBar2;
    QToolButton *spdIndietro;
    QToolButton *btnTipoDocumenti;
    QToolButton *btnVeicoli;
    QToolButton *btnTipoCostiVetture;
    QToolButton *btnTipoCostiPersonale;
    QToolButton *btnTipoCalendario;
    QToolButton *btnTipoScadenzePersonale;
    QToolButton *BitBtn3; // tariff types
    QToolButton *btnCategorieClienti;
    QToolButton *btnCategorieFornitori;
    QToolButton *btnCategoriePersonale;

public Q_SLOTS:
    void btnTipoDocumentiClick();
    void btnVeicoliClick();
    void btnTipoCostiVettureClick();
    void btnTipoCostiPersonaleClick();
    void btnTipoCalendarioClick();
    void btnTipoScadenzePersonaleClick();
    void BitBtn3Click();
    void btnCategorieClientiClick();
    void btnCategorieFornitoriClick();
    void btnCategoriePersonaleClick();
    void spdIndietroClick();
};

inline TfrmArchivioTipologie *frmArchivioTipologie = nullptr;
