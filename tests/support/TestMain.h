#pragma once
// The main of a test executable that drives windows.
#include "TestMainCore.h"
#include "widgets/Seams.h"

#include <QApplication>

#define PELLA_TEST_MAIN(...)                                                                                          \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        ui::installaTastoGuida();                                                                                      \
        return runTests<__VA_ARGS__>(argc, argv);                                                                      \
    }
