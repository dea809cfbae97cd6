#pragma once
// The benchmarks' database: the program's schema filled with ten years of a towing company's
// work at a chosen scale, generated once and kept by scale in the build folder.
#include <QString>
#include <cstdint>
#include <vector>

struct sqlite3;

namespace bench {

// Rows of the large tables at one scale (1 = 20,000 customers, 200,000 cash-book rows,
// 100,000 documents, 400,000 document rows, 50,000 instalments).
struct Counts {
    std::int64_t clienti = 0;
    std::int64_t fornitori = 0;
    std::int64_t tariffe = 0;
    std::int64_t primaNota = 0;
    std::int64_t fatture = 0;
    std::int64_t righe = 0;
    std::int64_t scadenze = 0;
};
Counts countsFor(double scala);

// Writes a new database at `path` (which must not exist): the schema, the reference rows and
// the generated rows, dated over the nine years before `year` (in history) and `year` itself.
// Same scale and year, same rows. Throws db::DbError.
void generate(const QString &path, double scala, int year);

// The cached database of this scale for the current year, generated when missing or made by
// another version of the generator or in another year. `seconds` gets the time spent
// generating (0 when the cached file was used).
QString database(double scala, double *seconds = nullptr);

// A plain sqlite3 connection on the file, without the per-call mutex, with the program's
// collation and functions registered: without them the schema's columns and the SQL would not
// work. Throws db::DbError.
sqlite3 *openPlain(const QString &path);

// Folder of the cached databases (build/bench-data).
QString dataFolder();

// "--scala X" (a positive number) and "--runs N" of a benchmark's command line.
double scalaArg(int argc, char **argv, double byDefault);
int runsArg(int argc, char **argv, int byDefault);

double median(std::vector<double> values);

// Resident memory of this process, from /proc/self/status: "VmRSS" now, "VmHWM" at the peak.
double memoryMb(const char *field);

} // namespace bench
