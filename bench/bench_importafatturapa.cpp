// The reading of 1,000 suppliers' FatturaPA files (the program's own export of the latest sales
// invoices of the generated database, so files of real shape) beside xmllint parsing the same
// files in one process; then the booking of the same files as purchase documents, one
// transaction each, on a copy of the cached database.
// Usage: bench_importafatturapa [--scala X] [--runs N] [--fatture N]
#include "BenchData.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "einvoice/services/FatturaPA.h"
#include "einvoice/services/ImportazioneFatturaPA.h"
#include "einvoice/services/RegistrazioneFatturaPA.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double scala = bench::scalaArg(argc, argv, 1);
    const int runs = bench::runsArg(argc, argv, 5);
    int quante = 1000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--fatture") == 0) quante = std::atoi(argv[i + 1]);
    try {
        QTemporaryDir cartella;
        const QString copia = cartella.filePath("archivio.db");
        QFile::copy(bench::database(scala), copia);
        db::Connection c;
        if (!c.open(copia)) throw db::DbError(c.error());
        db::Query q(&c);
        q.setSql(QStringLiteral("select top %1 ID from fattura where Carico = false and FattNota = false and ID in "
                                "(select NumFatt from fattdett) order by ID desc").arg(quante));
        q.open();
        QStringList file;
        for (q.first(); !q.eof(); q.next()) {
            const qint64 id = q.fieldByName(QStringLiteral("ID")).asLargeInt();
            const QByteArray xml = fatturapa::costruisci(c, id, nullptr);
            if (xml.isEmpty()) continue;
            const QString percorso = cartella.filePath(QStringLiteral("%1.xml").arg(id));
            QFile f(percorso);
            if (!f.open(QIODevice::WriteOnly)) throw db::DbError(QStringLiteral("non scrivibile: ") + percorso);
            f.write(xml);
            file << percorso;
        }

        std::vector<double> nostri, xmllint;
        int letti = 0, righe = 0;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer t;
            t.start();
            letti = righe = 0;
            for (const QString &f : file) {
                QString errore;
                const importazione_fatturapa::Documento d = importazione_fatturapa::leggiFile(f, &errore);
                if (errore.isEmpty()) ++letti;
                for (const auto &b : d.corpi) righe += int(b.linee.size());
            }
            nostri.push_back(t.nsecsElapsed() / 1e6);
            QProcess p;
            p.setStandardOutputFile(QProcess::nullDevice());
            p.setStandardErrorFile(QProcess::nullDevice());
            t.restart();
            p.start(QStringLiteral("xmllint"), QStringList{QStringLiteral("--noout"), QStringLiteral("--nonet")} + file);
            p.waitForFinished(-1);
            xmllint.push_back(t.nsecsElapsed() / 1e6);
            if (p.exitCode() != 0) std::printf("xmllint refused some files (exit %d)\n", p.exitCode());
        }
        // The booking, once: each file one transaction, as the office imports them one by one.
        QElapsedTimer t;
        t.start();
        int registrati = 0;
        for (const QString &f : file) {
            const auto r = importazione_fatturapa::importaFile(c, f, [](const QString &) { return true; });
            registrati += r.riuscito;
        }
        const double registrazione = t.nsecsElapsed() / 1e6;

        const double a = bench::median(nostri), b = bench::median(xmllint);
        std::printf("FatturaPA import of %lld files (%d read, %d lines), median of %d\n", static_cast<long long>(file.size()), letti, righe,
                    runs);
        std::printf("%-44s %10.1f ms %10.1f ms %6.2f\n", "reading (envelope test, parse, model) / xmllint", a, b, b > 0 ? a / b : 0);
        std::printf("%-44s %10.1f ms (%d booked)\n", "booking, one transaction per file", registrazione, registrati);
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
