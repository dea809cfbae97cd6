#pragma once
#include <QDialog>

class QLineEdit;

// Asks the administrator password at start-up; the caller reads Edit1 after it closes.
class TfrmPass : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPass(QWidget *parent = nullptr);
    QLineEdit *Edit1;
};

inline TfrmPass *frmPass = nullptr;
