#pragma once
// The accounting hub: a window of buttons, shown beside the main menu, opening the lists of the
// chart of accounts.
#include <QDialog>

class QToolBar;
class QToolButton;

class TfrmArchivioContabilita : public QDialog {
    Q_OBJECT
public:
    explicit TfrmArchivioContabilita(QWidget *parent = nullptr);

    QToolBar *ToolBar2;
    QToolButton *spdHelp;
    QToolButton *spdIndietro;
    QToolButton *btnContabilitaClassi;
    QToolButton *btnContabilitaRaggruppamenti;
    QToolButton *btnContabilitaConti;

public Q_SLOTS:
    void btnContabilitaClassiClick();
    void btnContabilitaRaggruppamentiClick();
    void btnContabilitaContiClick();
    void spdIndietroClick();
    void spdHelpClick();
};

inline TfrmArchivioContabilita *frmArchivioContabilita = nullptr;
