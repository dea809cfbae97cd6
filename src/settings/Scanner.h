#pragma once
// Scanning through SANE, behind a seam of our own: the two operations the program needs (make
// the scanner library ready, acquire one picture). Tests install a double or point SANE at its
// "test" backend.
#include <QImage>

class QWidget;

namespace scansione {

class Scanner {
public:
    virtual ~Scanner() = default;
    // Makes the scanner library ready; false when there is none to use.
    virtual bool CaricaGestore() = 0;
    // Acquires one picture from the first scanner found; a null picture when there is no
    // scanner, the scan was cancelled or failed.
    virtual QImage AcquisisciImmagine(QWidget *finestra) = 0;

    static Scanner &instance();
    static void setInstance(Scanner *s); // nullptr restores SANE
};

} // namespace scansione
