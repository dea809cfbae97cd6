#pragma once
#include <QApplication>

// The application object. An error that escapes an event handler (a database error most of
// all) is shown to the user with its text instead of ending the program.
class PellaApplication : public QApplication {
public:
    PellaApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
