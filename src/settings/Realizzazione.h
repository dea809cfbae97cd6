#pragma once
#include <QDialog>

class QLabel;
class QToolButton;

// The about box: names the program.
class TfrmRealizzazione : public QDialog {
    Q_OBJECT
public:
    explicit TfrmRealizzazione(QWidget *parent = nullptr);
    QLabel *Label1;
    QLabel *Image1;
    QLabel *Image2;
    QToolButton *spdHelp;
    QToolButton *spdIndietro;

public Q_SLOTS:
    void spdHelpClick();
    void spdIndietroClick();
};

inline TfrmRealizzazione *frmRealizzazione = nullptr;
