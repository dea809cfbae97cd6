#pragma once
#include <QObject>

// A quote through the real forms: the quote list, the editor and its rows page, the price
// list, the row editor, the print, and the seizures (the list in pick mode, the detail).
class TestPreventivoIntero : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void preventivoIntero();
    void annullaDelNuovo();
    void targaEDateDaUnSequestro();
    void preventivoDalSequestro();
};
