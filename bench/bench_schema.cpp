// Time to create a new database (every table and the reference rows), beside plain sqlite3
// running the same schema scripts and inserting the same rows with prepared statements.
#include "db/Connection.h"
#include "db/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    double ours = 1e99, raw = 1e99;
    for (int run = 0; run < 3; ++run) {
        QTemporaryDir dir;
        db::Connection c;
        c.open(dir.filePath("nuovo.db"));
        QElapsedTimer t;
        t.start();
        db::schema::createNew(c);
        ours = std::min(ours, t.nsecsElapsed() / 1e6);
    }
    for (int run = 0; run < 3; ++run) {
        QTemporaryDir dir;
        sqlite3 *h = nullptr;
        sqlite3_open(dir.filePath("raw.db").toUtf8().constData(), &h);
        // Plain SQLite has no UNOCASE collation: the baseline uses its own NOCASE.
        QElapsedTimer t;
        t.start();
        sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
        for (const QString &f : QDir(":/schema").entryList({"*.sql"}, QDir::Files, QDir::Name)) {
            QFile file(":/schema/" + f);
            file.open(QIODevice::ReadOnly);
            QByteArray sql = file.readAll().replace("UNOCASE", "NOCASE");
            sqlite3_exec(h, sql.constData(), nullptr, nullptr, nullptr);
        }
        for (const QString &f : QDir(":/schema/data").entryList({"*.tsv"}, QDir::Files, QDir::Name)) {
            QFile file(":/schema/data/" + f);
            file.open(QIODevice::ReadOnly);
            const QList<QByteArray> lines = file.readAll().split('\n');
            const QList<QByteArray> cols = lines.first().split('\t');
            QByteArray sql = "INSERT INTO \"" + f.chopped(4).toUtf8() + "\" VALUES (NULL";
            sqlite3_stmt *st = nullptr;
            QByteArray insert = "INSERT INTO \"" + f.chopped(4).toUtf8() + "\" (\"" + cols.join("\",\"") + "\") VALUES (?";
            for (int i = 1; i < cols.size(); ++i) insert += ",?";
            insert += ")";
            sqlite3_prepare_v2(h, insert.constData(), -1, &st, nullptr);
            for (int i = 1; i < lines.size(); ++i) {
                if (lines[i].isEmpty()) continue;
                const QList<QByteArray> cells = lines[i].split('\t');
                for (int k = 0; k < cells.size(); ++k) sqlite3_bind_text(st, k + 1, cells[k].constData(), int(cells[k].size()), SQLITE_TRANSIENT);
                sqlite3_step(st);
                sqlite3_reset(st);
            }
            sqlite3_finalize(st);
        }
        sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
        raw = std::min(raw, t.nsecsElapsed() / 1e6);
        sqlite3_close(h);
    }
    std::printf("%-28s %10.2f ms   sqlite3 %10.2f ms   ratio %6.2f\n", "new database", ours, raw, ours / raw);
    return 0;
}
