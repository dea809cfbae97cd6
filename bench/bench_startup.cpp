// Time from creating the program's forms to the main window being ready (the whole start-up
// pass), on a new database and on a large one: 20,000 customers and 200,000 cash-book rows of
// the current year. Prints where the time goes: the slowest shared queries to open.
#include "app/Forms.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/Schema.h"
#include "db/Transaction.h"
#include "widgets/Seams.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

class BenchWorkstation : public ui::Workstation {
public:
    QString folder;
    QString computerName() const override { return QStringLiteral("BENCH"); }
    bool hasPrinter() const override { return true; }
    QString programFolder() const override { return folder; }
    QString installFolder() const override { return folder; }
};

void fill(const QString &path, int customers, int cashRows)
{
    db::Connection c;
    c.open(path);
    db::schema::ensureCurrent(c);
    db::Transaction t(c);
    db::Command cliente(&c, "INSERT INTO Clienti (NominativoVisualizzato, NominativoDocumenti, Citta, Annullato)"
                            " VALUES (:nome, :nome, :citta, :annullato)");
    for (int i = 0; i < customers; ++i) {
        const QString n = QStringLiteral("Cliente %1 S.r.l.").arg(i * 7919 % customers, 6, 10, QLatin1Char('0'));
        cliente.bind(":nome", n).bind(":citta", QStringLiteral("Forlì")).bind(":annullato", i % 50 == 0).execute();
    }
    const int year = QDate::currentDate().year();
    db::Command movimento(&c, "INSERT INTO finanzia (Data, Operazione, Entrata, Uscita, Tipo, Tipologia_ID, Cliente_id)"
                              " VALUES (:data, :operazione, :entrata, :uscita, :tipo, :tipologia, :cliente)");
    for (int i = 0; i < cashRows; ++i) {
        movimento.bind(":data", QDate(year, 1, 1).addDays(i % 340))
            .bind(":operazione", QStringLiteral("Incasso fattura"))
            .bind(":entrata", (i % 997) * 1.5)
            .bind(":uscita", 0.0)
            .bind(":tipo", QStringLiteral("A"))
            .bind(":tipologia", 1 + i % 3)
            .bind(":cliente", 1 + i % customers)
            .execute();
    }
    t.commit();
}

double startUp(const QString &folder)
{
    AvvioCompletato = false;
    QElapsedTimer t;
    t.start();
    CreaForms();
    Form1->terminaApplicazione = [] {};
    Form1->FormActivate();
    const double ms = t.nsecsElapsed() / 1e6;
    if (!AvvioCompletato) std::fprintf(stderr, "start-up did not complete in %s\n", qPrintable(folder));
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int customers = 20000, cashRows = 200000;
    for (int i = 1; i + 1 < argc; ++i) {
        if (QByteArray(argv[i]) == "--clienti") customers = QByteArray(argv[i + 1]).toInt();
        if (QByteArray(argv[i]) == "--primanota") cashRows = QByteArray(argv[i + 1]).toInt();
    }
    BenchWorkstation ws;
    ui::Workstation::setInstance(&ws);

    for (int large = 0; large < 2; ++large) {
        QTemporaryDir dir;
        ws.folder = dir.path();
        QDir(dir.path()).mkpath("aiuto");
        QFile(QDir(dir.path()).filePath("aiuto/index.html")).open(QIODevice::WriteOnly);
        const QString db = QDir(dir.path()).filePath("archivio.db");
        if (large) fill(db, customers, cashRows);
        const double ms = startUp(dir.path());
        std::printf("start-up, %s: %8.1f ms\n",
                    large ? qPrintable(QStringLiteral("%1 customers, %2 cash-book rows").arg(customers).arg(cashRows))
                          : "new database", ms);
        if (large) {
            // Where the time goes: each shared query read again on its own.
            std::vector<std::pair<double, QString>> costs;
            for (db::Query *q : form_DB->queries()) {
                if (!q->isActive()) continue;
                QElapsedTimer t;
                t.start();
                q->requery();
                costs.emplace_back(t.nsecsElapsed() / 1e6, q->objectName());
            }
            std::sort(costs.rbegin(), costs.rend());
            for (size_t i = 0; i < 5 && i < costs.size(); ++i)
                std::printf("  %-32s %8.1f ms\n", qPrintable(costs[i].second), costs[i].first);
        }
        DistruggiForms();
    }
    ui::Workstation::setInstance(nullptr);
    return 0;
}
