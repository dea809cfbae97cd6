// The FatturaPA export of 1,000 sales invoices of the generated database (each built from its
// rows, checked against the official schema and the exchange system's rules; written and
// marked together), beside xmllint validating the same files with the same schema; and the
// time of one document exported by itself, as the editor's button does. The export runs on a
// copy of the cached file, so the cache stays as generated.
// Usage: bench_fatturapa [--scala X] [--runs N] [--fatture N]
#include "BenchData.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "einvoice/services/FatturaPA.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
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
        std::vector<qint64> ids;
        for (q.first(); !q.eof(); q.next()) ids.push_back(q.fieldByName(QStringLiteral("ID")).asLargeInt());
        // The schema is read once per run of the program, as the office's first export does.
        fatturapa::verifica(QByteArray("<x/>"), QString());

        std::vector<double> nostri, xmllint, costruzione, controllo, unoAllaVolta;
        int esportate = 0, rifiutate = 0;
        QString primoRifiuto;
        QStringList file;
        // One by one, as the editor's button does it (each its own transaction and flush), on
        // the first documents only: the figure is per document.
        const int singoli = std::min<int>(int(ids.size()), 50);
        for (int run = 0; run < runs; ++run) {
            const QString uscita = cartella.filePath(QStringLiteral("run%1").arg(run));
            QDir().mkpath(uscita);
            file.clear();
            esportate = rifiutate = 0;
            QElapsedTimer t;
            t.start();
            const QList<fatturapa::Esito> esiti = fatturapa::esportaTutti(c, QList<qint64>(ids.begin(), ids.end()), uscita);
            nostri.push_back(t.nsecsElapsed() / 1e6);
            for (const fatturapa::Esito &e : esiti) {
                if (e.riuscito) {
                    ++esportate;
                } else {
                    ++rifiutate;
                    if (primoRifiuto.isEmpty()) primoRifiuto = e.messaggio;
                }
            }
            for (const QString &f : QDir(uscita).entryList({QStringLiteral("*.xml")}, QDir::Files)) file << QDir(uscita).filePath(f);
            const QString uscitaSingoli = cartella.filePath(QStringLiteral("singoli%1").arg(run));
            QDir().mkpath(uscitaSingoli);
            t.restart();
            for (int i = 0; i < singoli; ++i)
                fatturapa::esporta(c, ids[size_t(i)], uscitaSingoli + QStringLiteral("/%1.xml").arg(ids[size_t(i)]));
            unoAllaVolta.push_back(singoli > 0 ? t.nsecsElapsed() / 1e6 / singoli : 0);
            // The same documents built, and built and checked, without writing: where the time goes.
            t.restart();
            std::vector<QByteArray> fatti;
            for (qint64 id : ids) fatti.push_back(fatturapa::costruisci(c, id, nullptr));
            costruzione.push_back(t.nsecsElapsed() / 1e6);
            t.restart();
            for (const QByteArray &x : fatti)
                if (!x.isEmpty()) fatturapa::verifica(x, QString());
            controllo.push_back(t.nsecsElapsed() / 1e6);
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("XML_CATALOG_FILES"), fatturapa::cartellaSchema() + QStringLiteral("/catalog.xml"));
            p.setProcessEnvironment(env);
            p.setStandardOutputFile(QProcess::nullDevice());
            p.setStandardErrorFile(QProcess::nullDevice());
            t.restart();
            p.start(QStringLiteral("xmllint"), QStringList{QStringLiteral("--noout"), QStringLiteral("--nonet"), QStringLiteral("--schema"),
                                                           fatturapa::cartellaSchema() + QStringLiteral("/Schema_del_file_xml_FatturaPA_v1.2.3.xsd")}
                                                   + file);
            p.waitForFinished(-1);
            xmllint.push_back(t.nsecsElapsed() / 1e6);
            if (p.exitCode() != 0) std::printf("xmllint refused some files (exit %d)\n", p.exitCode());
        }
        const double a = bench::median(nostri), b = bench::median(xmllint);
        std::printf("FatturaPA export of %zu invoices (%d written, %d refused), median of %d\n", ids.size(), esportate, rifiutate, runs);
        if (!primoRifiuto.isEmpty()) std::printf("first refusal: %s\n", qPrintable(primoRifiuto));
        std::printf("%-44s %10.1f ms %10.1f ms %6.2f\n", "export of the lot (build, check, write, mark) / xmllint", a, b, b > 0 ? a / b : 0);
        std::printf("%-44s %10.1f ms\n", "  of which building", bench::median(costruzione));
        std::printf("%-44s %10.1f ms\n", "  of which checking", bench::median(controllo));
        std::printf("%-44s %10.2f ms\n", "one document by itself (editor's button), each", bench::median(unoAllaVolta));
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
