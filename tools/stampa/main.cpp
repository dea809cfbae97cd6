#include "Program.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The program's names, so that the user's data folder (percorso.txt when the program's
    // folder is read-only) is the one the program itself uses.
    QApplication::setApplicationName(QStringLiteral("Pellavantoria"));
    QApplication::setOrganizationName(QStringLiteral("Pellavantoria"));
    return stampa::run(QApplication::arguments());
}
