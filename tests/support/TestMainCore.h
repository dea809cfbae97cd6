#pragma once
// One executable runs several QtTest classes: fewer binaries keep the build short.
#include <QByteArray>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

// CTest runs each class as its own entry, naming it in PELLA_TEST_CLASSE; without it all run.
template <typename T> int runOneTest(int argc, char **argv)
{
    const QByteArray only = qgetenv("PELLA_TEST_CLASSE");
    if (!only.isEmpty() && only != T::staticMetaObject.className()) return 0;
    T t;
    return QTest::qExec(&t, argc, argv);
}

template <typename... Tests> int runTests(int argc, char **argv)
{
    // Tests never write the user's own configuration (saved passwords, layouts), and two test
    // runs at once never share one.
    QTemporaryDir configurazione;
    qputenv("XDG_CONFIG_HOME", configurazione.path().toLocal8Bit());
    int status = 0;
    ((status |= runOneTest<Tests>(argc, argv)), ...);
    return status;
}

// A test executable without windows (services): a core application only.
#define PELLA_TEST_MAIN_CORE(...)                                                                                     \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        QCoreApplication app(argc, argv);                                                                              \
        return runTests<__VA_ARGS__>(argc, argv);                                                                      \
    }
