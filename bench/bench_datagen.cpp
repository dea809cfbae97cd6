// Builds (or finds in the cache) the benchmarks' database at a scale and prints its rows and
// the time it took. Usage: bench_datagen [--scala X] [--file PATH]
//   --file writes a new database at PATH instead of the cache (PATH must not exist).
#include "BenchData.h"

#include "db/DbError.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double scala = bench::scalaArg(argc, argv, 1);
    QString file;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--file") == 0) file = QString::fromLocal8Bit(argv[i + 1]);
    try {
        double seconds = 0;
        QString path = file;
        if (file.isEmpty()) {
            path = bench::database(scala, &seconds);
        } else {
            QElapsedTimer t;
            t.start();
            bench::generate(file, scala, QDate::currentDate().year());
            seconds = t.nsecsElapsed() / 1e9;
        }
        const bench::Counts n = bench::countsFor(scala);
        std::printf("%s\n", qPrintable(path));
        std::printf("scale %g: %lld customers, %lld suppliers, %lld tariffs, %lld cash-book rows, %lld documents, "
                    "%lld document rows, %lld instalments\n",
                    scala, (long long)n.clienti, (long long)n.fornitori, (long long)n.tariffe, (long long)n.primaNota,
                    (long long)n.fatture, (long long)n.righe, (long long)n.scadenze);
        if (seconds > 0) std::printf("generated in %.1f s, %.0f MB\n", seconds, QFileInfo(path).size() / 1048576.0);
        else std::printf("cached, %.0f MB\n", QFileInfo(path).size() / 1048576.0);
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
