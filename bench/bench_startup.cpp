// Time from creating every registered form of the program to a ready main window (forms
// created, window shown, the whole start-up pass), on the generated database of a scale, median
// of several runs; the resident memory of the process; the datasets the start-up read, which
// must be the main window's own (more is a failure: a count, not a time); a return to the main
// window; then where the time goes: each shared query read opened again on its own. Last, the
// start-up on a new database for comparison.
// Usage: bench_startup [--scala X] [--runs N]
#include "BenchData.h"
#include "BenchSeams.h"

#include "app/Forms.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
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
    quint64 reads = 0; // datasets read from the database
};

// As the program starts: forms created, main window shown, the start-up pass, events handled.
StartUp startUp()
{
    AvvioCompletato = false;
    StartUp s;
    const quint64 readsBefore = db::Query::lettureEseguite();
    QElapsedTimer t;
    t.start();
    CreaForms();
    s.forms = t.nsecsElapsed() / 1e6;
    Form1->terminaApplicazione = [] {};
    Form1->show();
    Form1->FormActivate();
    QCoreApplication::processEvents();
    s.total = t.nsecsElapsed() / 1e6;
    s.reads = db::Query::lettureEseguite() - readsBefore;
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
        if (!q->isActive() || q->isArmed()) continue;
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
    std::printf("shared queries read, opened again, %zu in all: %.1f ms, rows held %.0f MB; the slowest:\n", costs.size(), sum, sumMb);
    for (size_t i = 0; i < 10 && i < costs.size(); ++i)
        std::printf("  %-36s %9.1f ms %7.1f MB %8d rows shown\n", qPrintable(costs[i].q->objectName()), costs[i].ms, costs[i].mb,
                    costs[i].q->recordCount());
}

// A return to the main window: its activation (the default filters) and the events it causes.
double returnToMainWindow()
{
    QElapsedTimer t;
    t.start();
    Form1->FormActivate();
    QCoreApplication::processEvents();
    return t.nsecsElapsed() / 1e6;
}

// The datasets a start-up read beyond the main window's own: none may be (the smoke run fails).
bool onlyMainWindowReads(const StartUp &s)
{
    const QList<db::Query *> own = TForm1::queryDellaFinestra();
    QStringList others;
    for (db::Query *q : form_DB->queries())
        if (q->isActive() && !q->isArmed() && !own.contains(q)) others << q->objectName();
    std::printf("datasets read by the start-up: %llu (the main window's own: %lld)\n", (unsigned long long)s.reads,
                (long long)own.size());
    if (others.isEmpty() && s.reads <= quint64(own.size())) return true;
    std::fprintf(stderr, "the start-up read %llu datasets, more than the main window's %lld: %s\n", (unsigned long long)s.reads,
                 (long long)own.size(), qPrintable(others.join(QStringLiteral(", "))));
    return false;
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
        std::vector<double> totals, forms, returns;
        double rssAfter = 0;
        for (int i = 0; i < runs; ++i) {
            const StartUp s = startUp();
            totals.push_back(s.total);
            forms.push_back(s.forms);
            if (i == 0) rssAfter = bench::memoryMb("VmRSS");
            if (!onlyMainWindowReads(s)) rc = 1;
            returnToMainWindow(); // the first return after the start-up
            for (int k = 0; k < 3; ++k) returns.push_back(returnToMainWindow());
            if (i == runs - 1) {
                std::printf("Scale %g (%s), median of %d runs\n", scala, qPrintable(database), runs);
                std::printf("start-up to the ready main window: %8.1f ms (forms created: %.1f ms; fastest %.1f, slowest %.1f)\n",
                            bench::median(totals), bench::median(forms), *std::min_element(totals.begin(), totals.end()),
                            *std::max_element(totals.begin(), totals.end()));
                std::printf("resident memory: %.0f MB before, %.0f MB after the first start-up, peak %.0f MB\n", rssBefore,
                            rssAfter, bench::memoryMb("VmHWM"));
                std::printf("return to the main window: %.2f ms\n", bench::median(returns));
                breakdown();
            }
            DistruggiForms();
        }
        QTemporaryDir fresh;
        ws.folder = fresh.path();
        prepareFolder(fresh.path(), QString());
        const StartUp nuovo = startUp();
        std::printf("start-up, new database (created from the schema): %.1f ms\n", nuovo.total);
        if (!onlyMainWindowReads(nuovo)) rc = 1;
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
