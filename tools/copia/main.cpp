// pellavantoria-copia: copies the archive file into a new database on a PostgreSQL server.
#include "Copia.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const copia::Esito e = copia::esegui(app.arguments());
    std::FILE *out = e.codice == 0 ? stdout : stderr;
    for (const QString &riga : e.righe) std::fprintf(out, "%s\n", riga.toUtf8().constData());
    return e.codice;
}
