#pragma once
// One executable runs several QtTest classes: fewer binaries keep the build short.
#include <QApplication>
#include <QTest>

#include "widgets/Seams.h"

template <typename T> int runOneTest(int argc, char **argv)
{
    T t;
    return QTest::qExec(&t, argc, argv);
}

template <typename... Tests> int runTests(int argc, char **argv)
{
    int status = 0;
    ((status |= runOneTest<Tests>(argc, argv)), ...);
    return status;
}

#define PELLA_TEST_MAIN(...)                                                                                          \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        ui::installaTastoGuida();                                                                                      \
        return runTests<__VA_ARGS__>(argc, argv);                                                                      \
    }
