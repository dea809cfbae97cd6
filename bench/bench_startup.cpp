// Time from creating the program's forms to a ready main window (forms created, window shown,
// the whole start-up pass), on the generated database of a scale, median of several runs; the
// resident memory of the process; then where the time goes: each shared query opened again on
// its own, and the default filters. Last, the start-up on a new database for comparison.
// Usage: bench_startup [--scala X] [--runs N]
#include "BenchData.h"
#include "BenchSeams.h"

#include "app/Forms.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "widgets/Seams.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <malloc.h>

namespace {

// A program folder whose percorso.txt names the database (empty: a new one in the folder).
void prepareFolder(const QString &folder, const QString &database)
{
    QDir(folder).mkpath(QStringLiteral("aiuto"));
    QFile(QDir(folder).filePath(QStringLiteral("aiuto/index.html"))).open(QIODevice::WriteOnly);
    QFile::remove(QDir(folder).filePath(QStringLiteral("percorso.txt")));
    if (database.isEmpty()) return;
    QFile f(QDir(folder).filePath(QStringLiteral("percorso.txt")));
    f.open(QIODevice::WriteOnly);
    f.write(database.toUtf8() + '\n');
}

struct StartUp {
    double forms = 0; // creating the forms
    double total = 0; // up to the main window ready
};

// As the program starts: forms created, main window shown, the start-up pass, events handled.
StartUp startUp()
{
    AvvioCompletato = false;
    StartUp s;
    QElapsedTimer t;
    t.start();
    CreaForms();
    s.forms = t.nsecsElapsed() / 1e6;
    Form1->terminaApplicazione = [] {};
    Form1->show();
    Form1->FormActivate();
    QCoreApplication::processEvents();
    s.total = t.nsecsElapsed() / 1e6;
    if (!AvvioCompletato) throw db::DbError(QStringLiteral("the start-up did not complete"));
    return s;
}

// Heap memory in use (what a query frees when closed, unlike the resident size, is seen at once).
double heapMb() { return double(mallinfo2().uordblks) / 1048576.0; }

// Where the time goes, with the forms alive after a start-up: each shared query closed (the
// memory its rows held) and opened again on its own (the time to read them).
void breakdown()
{
    struct Cost {
        double ms, mb;
        db::Query *q;
    };
    std::vector<Cost> costs;
    double sum = 0, sumMb = 0;
    for (db::Query *q : form_DB->queries()) {
        if (!q->isActive()) continue;
        const double before = heapMb();
        q->close();
        const double mb = before - heapMb();
        QElapsedTimer t;
        t.start();
        q->open();
        costs.push_back({t.nsecsElapsed() / 1e6, mb, q});
        sum += costs.back().ms;
        sumMb += mb;
    }
    std::sort(costs.begin(), costs.end(), [](const Cost &a, const Cost &b) { return a.ms > b.ms; });
    std::printf("shared queries opened again, %zu in all: %.1f ms, rows held %.0f MB; the slowest:\n", costs.size(), sum, sumMb);
    for (size_t i = 0; i < 10 && i < costs.size(); ++i)
        std::printf("  %-36s %9.1f ms %7.1f MB %8d rows shown\n", qPrintable(costs[i].q->objectName()), costs[i].ms, costs[i].mb,
                    costs[i].q->recordCount());
    QElapsedTimer t;
    t.start();
    form_DB->cmdFiltriClick();
    std::printf("default filters (each return to the main window): %.1f ms\n", t.nsecsElapsed() / 1e6);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const double scala = bench::scalaArg(argc, argv, 1);
    const int runs = bench::runsArg(argc, argv, 5);
    BenchWorkstation ws;
    BenchDialogs dialogs;
    ui::Workstation::setInstance(&ws);
    ui::Dialogs::setInstance(&dialogs);
    int rc = 0;
    try {
        const QString database = bench::database(scala);
        QTemporaryDir dir;
        ws.folder = dir.path();
        prepareFolder(dir.path(), database);
        const double rssBefore = bench::memoryMb("VmRSS");
        std::vector<double> totals, forms;
        double rssAfter = 0;
        for (int i = 0; i < runs; ++i) {
            const StartUp s = startUp();
            totals.push_back(s.total);
            forms.push_back(s.forms);
            if (i == 0) rssAfter = bench::memoryMb("VmRSS");
            if (i == runs - 1) {
                std::printf("Scale %g (%s), median of %d runs\n", scala, qPrintable(database), runs);
                std::printf("start-up to the ready main window: %8.1f ms (forms created: %.1f ms; fastest %.1f, slowest %.1f)\n",
                            bench::median(totals), bench::median(forms), *std::min_element(totals.begin(), totals.end()),
                            *std::max_element(totals.begin(), totals.end()));
                std::printf("resident memory: %.0f MB before, %.0f MB after the first start-up, peak %.0f MB\n", rssBefore,
                            rssAfter, bench::memoryMb("VmHWM"));
                breakdown();
            }
            DistruggiForms();
        }
        QTemporaryDir fresh;
        ws.folder = fresh.path();
        prepareFolder(fresh.path(), QString());
        std::printf("start-up, new database (created from the schema): %.1f ms\n", startUp().total);
        DistruggiForms();
        if (dialogs.shown) rc = 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        rc = 1;
    }
    ui::Dialogs::setInstance(nullptr);
    ui::Workstation::setInstance(nullptr);
    return rc;
}
