#pragma once
// The seams the benchmarks that start the whole program install: a workstation with a printer
// in a folder of the bench's own, and dialogs that never wait for a click.
#include "widgets/Seams.h"

#include <QMessageBox>
#include <cstdio>

class BenchWorkstation : public ui::Workstation {
public:
    QString folder;
    QString computerName() const override { return QStringLiteral("BENCH"); }
    bool hasPrinter() const override { return true; }
    QString programFolder() const override { return folder; }
    QString installFolder() const override { return folder; }
};

// A message during start-up would wait for a click: it is printed and answered at once.
class BenchDialogs : public ui::Dialogs {
public:
    int shown = 0;
    QMessageBox::StandardButton message(QWidget *, const QString &text, const QString &caption, QMessageBox::Icon,
                                        QMessageBox::StandardButtons, QMessageBox::StandardButton defaultButton) override
    {
        ++shown;
        std::fprintf(stderr, "message \"%s\": %s\n", qPrintable(caption), qPrintable(text));
        return defaultButton == QMessageBox::NoButton ? QMessageBox::Ok : defaultButton;
    }
    QString openFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString folder(QWidget *, const QString &, const QString &) override { return {}; }
    bool inputText(QWidget *, const QString &, const QString &, QString &, bool) override { return false; }
};
