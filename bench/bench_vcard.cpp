// Measures reading a vCard file of many contacts, as the customers' import does, and writing
// the same cards. Usage: bench_vcard [--schede N]
#include "BestOf.h"
#include "common/TextUtils.h"
#include "common/VCard.h"

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
    return lette == schede ? 0 : 1;
}
