// Measures reading a vCard file of many contacts, as the customers' import does, and writing
// the same cards; then imports them into the customers of a filled database (updating those
// their UIDs name, adding the others). Usage: bench_vcard [--schede N] [--scala X]
#include "BenchData.h"
#include "BestOf.h"
#include "common/TextUtils.h"
#include "common/VCard.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "masterdata/services/VCardClienti.h"

#include <QElapsedTimer>
#include <QFile>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>

using namespace common;

namespace {

// A customer as the export fills it, with a note long enough to be folded.
Vcard4 cliente(int i)
{
    Vcard4 s;
    auto &c = s.campi;
    c[0] = QStringLiteral("Rossi %1").arg(i);
    c[1] = QStringLiteral("Nicolò");
    c[5] = QStringLiteral("Autotrasporti Forlì %1 s.r.l.").arg(i);
    c[8] = QStringLiteral("0543 %1").arg(100000 + i);
    c[10] = QStringLiteral("0543 %1").arg(200000 + i);
    c[11] = QStringLiteral("0543 %1").arg(300000 + i);
    c[14] = QStringLiteral("333 %1").arg(1000000 + i);
    c[18] = QStringLiteral("cliente%1@esempio.it").arg(i);
    c[26] = QStringLiteral("https://www.cliente%1.it").arg(i);
    c[28] = QStringLiteral("Via Aurelio Saffi");
    c[30] = QStringLiteral("47121");
    c[32] = QStringLiteral("Forlì");
    c[34] = QString::number(i % 200);
    c[38] = QStringLiteral("Magazzino di via Emilia, 12");
    c[39] = QStringLiteral("PellavantoriaC%1").arg(i);
    c[41] = QStringLiteral("Cliente dal 2019; pagamento a 30 giorni, fine mese.\nChiamare prima delle 12.");
    c[47] = QStringLiteral("Officine");
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int schede = 50000;
    for (int i = 1; i + 1 < argc; ++i)
        if (QByteArray(argv[i]) == "--schede") schede = QByteArray(argv[i + 1]).toInt();

    QString testo;
    const double scrittura = bestOf(3, [&] {
        testo.clear();
        for (int i = 0; i < schede; ++i) testo += ScriviVCard(cliente(i));
    });
    QTemporaryDir dir;
    const QString percorso = dir.filePath("contatti.vcf");
    ScriviFileTesto(percorso, testo, false);

    qsizetype lette = 0;
    const double lettura = bestOf(3, [&] { lette = LeggiVCard(percorso).size(); });
    std::printf("%d cards, %.1f MB\n", schede, testo.toUtf8().size() / 1e6);
    std::printf("write %10.1f ms\n", scrittura);
    std::printf("read  %10.1f ms (%lld cards)\n", lettura, static_cast<long long>(lette));

    // The import into a copy of the generated database, once: it writes.
    try {
        const double scala = bench::scalaArg(argc, argv, 1);
        const QString copia = dir.filePath("archivio.sqlite");
        if (!QFile::copy(bench::database(scala), copia)) throw db::DbError(QStringLiteral("copia non riuscita"));
        db::Connection conn;
        if (!conn.open(copia)) throw db::DbError(conn.error());
        const qint64 prima = conn.scalar(QStringLiteral("select count(*) from Clienti")).toLongLong();
        const QList<Vcard4> carte = LeggiVCard(percorso);
        QElapsedTimer t;
        t.start();
        const scambio_vcard::Esito e = vcard_clienti::importa(conn, carte, scambio_vcard::Aggiorna, {});
        const double importazione = t.nsecsElapsed() / 1e6;
        std::printf("import %9.1f ms (%lld customers before: %lld updated, %lld added)\n", importazione,
                    static_cast<long long>(prima), static_cast<long long>(e.aggiornati.size()),
                    static_cast<long long>(e.creati.size()));
        if (e.aggiornati.size() + e.creati.size() != schede) return 1;
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return lette == schede ? 0 : 1;
}
