#pragma once
#include <QDialog>

// Shown while the program loads; ends the program at once on a machine without a printer.
class TSplashForm : public QDialog {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget *parent = nullptr);
    // The printer check of the splash's activation: false (after the message) when the
    // machine has no print destination.
    bool FormActivate();
};

inline TSplashForm *SplashForm = nullptr;
