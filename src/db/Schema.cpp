#include "Schema.h"
#include "Connection.h"
#include "DbError.h"
#include "Transaction.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>

static void initSchemaResources() { Q_INIT_RESOURCE(schema); }

namespace db::schema {

namespace {

QString readResource(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw DbError(QStringLiteral("File dello schema mancante: ") + path);
    return QString::fromUtf8(f.readAll());
}

QStringList resourceFiles(const QString &dir, const QString &pattern)
{
    initSchemaResources();
    QStringList files = QDir(dir).entryList({pattern}, QDir::Files, QDir::Name);
    for (QString &f : files) f = dir + u'/' + f;
    return files;
}

// One tab-separated file: the first line names the columns; an empty cell is null.
void loadTable(Connection &c, const QString &path)
{
    const QString table = QFileInfo(path).completeBaseName();
    const QStringList lines = readResource(path).split(u'\n', Qt::SkipEmptyParts);
    if (lines.isEmpty()) return;
    const QStringList cols = lines.first().split(u'\t');
    QStringList quoted, marks;
    for (const QString &col : cols) {
        marks << QStringLiteral(":c%1").arg(quoted.size());
        quoted << c.engine().quoteName(col);
    }
    const auto st = c.engine().prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                           .arg(c.engine().quoteName(table), quoted.join(u','), marks.join(u',')));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(u'\t');
        if (cells.size() != cols.size())
            throw DbError(QStringLiteral("%1, riga %2: numero di colonne errato").arg(path).arg(i + 1));
        for (int k = 0; k < cells.size(); ++k) st->bind(k + 1, cells[k].isEmpty() ? QVariant() : QVariant(cells[k]));
        st->step();
        st->reset();
    }
}

void setVersion(Connection &c, int v) { c.engine().setUserVersion(v); }

} // namespace

QList<UpgradeStep> builtInUpgrades()
{
    QList<UpgradeStep> steps;
    static const QRegularExpression numbered(QStringLiteral("^(\\d+)"));
    for (const QString &f : resourceFiles(QStringLiteral(":/schema/upgrades"), QStringLiteral("*.sql"))) {
        const auto m = numbered.match(QFileInfo(f).fileName());
        if (m.hasMatch()) steps.append({m.captured(1).toInt(), readResource(f)});
    }
    return steps;
}

int currentVersion()
{
    int v = 1;
    for (const UpgradeStep &s : builtInUpgrades()) v = std::max(v, s.version);
    return v;
}

int version(Connection &c) { return c.engine().userVersion(); }

bool isEmpty(Connection &c)
{
    return !c.engine().hasAnyTable();
}

void createNew(Connection &c)
{
    // Tables first, then the reference rows, all or nothing. The tables are today's, so the
    // upgrade steps are already in them.
    Transaction t(c);
    for (const QString &f : resourceFiles(QStringLiteral(":/schema"), QStringLiteral("*.sql")))
        c.executeNative(readResource(f));
    for (const QString &f : resourceFiles(QStringLiteral(":/schema/data"), QStringLiteral("*.tsv"))) loadTable(c, f);
    c.engine().keysFollowRows();
    setVersion(c, currentVersion());
    t.commit();
}

void upgrade(Connection &c, const QList<UpgradeStep> &steps)
{
    QList<UpgradeStep> ordered = steps;
    std::sort(ordered.begin(), ordered.end(), [](const UpgradeStep &a, const UpgradeStep &b) { return a.version < b.version; });
    for (const UpgradeStep &s : ordered) {
        if (s.version <= version(c)) continue;
        Transaction t(c);
        try {
            c.executeNative(s.sql);
        } catch (const DbError &e) {
            throw DbError(QStringLiteral("Aggiornamento del database alla versione %1 non riuscito: %2").arg(s.version).arg(e.message()));
        }
        c.engine().keysFollowRows();
        setVersion(c, s.version);
        t.commit();
    }
}

void ensureCurrent(Connection &c)
{
    if (isEmpty(c)) createNew(c);
    else upgrade(c, builtInUpgrades());
}

} // namespace db::schema
