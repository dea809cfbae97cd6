#include "Program.h"

#include <QApplication>

int main(int argc, char **argv)
{
    const bool display = stampa::chooseHeadlessPlatform();
    QApplication app(argc, argv);
    stampa::setupApplication();
    return stampa::run(QApplication::arguments(), display);
}
