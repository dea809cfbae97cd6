#include "Copy.h"
#include "Connection.h"
#include "DbError.h"
#include "Schema.h"
#include "Transaction.h"

#include <QHash>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <vector>

namespace db {

namespace {

qint64 countRows(Connection &c, const QString &table)
{
    const auto st = c.engine().prepare(QStringLiteral("SELECT count(*) FROM %1").arg(c.engine().quoteName(table)));
    return st->step() ? st->value(0).toLongLong() : 0;
}

DbError refused(const QString &why)
{
    return DbError(QStringLiteral("Il database di destinazione non è vuoto: %1.\n"
                                  "La copia si fa solo in un database nuovo (vuoto, o appena preparato dal programma); "
                                  "nulla è stato copiato.")
                       .arg(why));
}

// The rows of each table in a new database, made once in a temporary file.
QHash<QString, qint64> newDatabaseRows()
{
    QTemporaryDir dir;
    if (!dir.isValid()) throw DbError(QStringLiteral("Impossibile creare una cartella temporanea"));
    Connection fresh;
    if (!fresh.open(dir.filePath(QStringLiteral("nuovo.db")))) throw DbError(fresh.error());
    schema::createNew(fresh);
    QHash<QString, qint64> rows;
    for (const QString &t : fresh.tableNames()) rows.insert(t.toLower(), countRows(fresh, t));
    return rows;
}

// A target that already holds our schema must hold nothing beyond a new database's rows.
void checkTargetIsNew(Connection &target)
{
    const int version = schema::version(target);
    if (version != schema::currentVersion())
        throw refused(version == 0 ? QStringLiteral("contiene tabelle che non sono dell'archivio del programma")
                                   : QStringLiteral("contiene un archivio di un'altra versione (%1)").arg(version));
    const QHash<QString, qint64> expected = newDatabaseRows();
    for (const QString &t : target.tableNames()) {
        const auto it = expected.constFind(t.toLower());
        if (it == expected.constEnd()) throw refused(QStringLiteral("contiene la tabella %1, che non è dell'archivio").arg(t));
        const qint64 n = countRows(target, t);
        if (n != *it)
            throw refused(QStringLiteral("la tabella %1 ha %2 righe invece delle %3 di un archivio nuovo").arg(t).arg(n).arg(*it));
    }
}

// A column's definition in the schema's dialect (the server engine turns it into its own), from
// the type the source declares.
QString columnDefinition(const QString &declared)
{
    const QString t = declared.trimmed().toUpper();
    if (t.isEmpty() || t.contains(QLatin1String("TEXT")) || t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")))
        return QStringLiteral("TEXT COLLATE UNOCASE");
    if (t == QLatin1String("BOOLEAN")) return QStringLiteral("BOOLEAN NOT NULL DEFAULT 0");
    return t;
}

// Tables and columns an update script added to the source are made on the target the same way.
void addMissing(Connection &source, Connection &target)
{
    for (const QString &t : source.tableNames()) {
        const QStringList columns = source.columnNames(t);
        const QStringList types = source.columnTypes(t);
        const QString key = source.primaryKey(t);
        const QString table = target.engine().quoteName(t);
        if (!target.hasTable(t)) {
            QStringList defs;
            for (int i = 0; i < columns.size(); ++i)
                defs << target.engine().quoteName(columns[i]) + u' '
                            + (columns[i] == key && types.value(i).toUpper() == QLatin1String("INTEGER")
                                   ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                                   : columnDefinition(types.value(i)) + (columns[i] == key ? QStringLiteral(" PRIMARY KEY") : QString()));
            target.executeNative(QStringLiteral("CREATE TABLE %1 (%2)").arg(table, defs.join(QStringLiteral(", "))));
            continue;
        }
        QStringList have = target.columnNames(t);
        for (QString &c : have) c = c.toLower();
        for (int i = 0; i < columns.size(); ++i)
            if (!have.contains(columns[i].toLower()))
                target.executeNative(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                         .arg(table, target.engine().quoteName(columns[i]), columnDefinition(types.value(i))));
    }
}

qint64 copyTable(Connection &source, Connection &target, const QString &table)
{
    Engine &from = source.engine();
    Engine &to = target.engine();
    const auto read = from.prepare(QStringLiteral("SELECT * FROM %1").arg(from.quoteName(table)));
    const int n = read->columnCount();
    QStringList columns;
    for (int i = 0; i < n; ++i) columns << to.quoteName(read->columnName(i));
    // Many rows per statement: one round trip to the server for each batch, not for each row.
    const int perBatch = std::max(1, 4000 / std::max(1, n));
    const QString head = QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(to.quoteName(table), columns.join(u','));
    QStringList oneRowMarks;
    for (int i = 0; i < n; ++i) oneRowMarks << QStringLiteral("?");
    const QString oneRow = u'(' + oneRowMarks.join(u',') + u')';
    auto statementFor = [&](int rows) {
        QStringList all;
        for (int r = 0; r < rows; ++r) all << oneRow;
        return to.prepare(head + all.join(u','));
    };
    std::unique_ptr<EngineStatement> full;
    std::vector<QVariant> pending;
    pending.reserve(size_t(perBatch) * n);
    qint64 copied = 0;
    auto flush = [&] {
        const int rows = int(pending.size() / size_t(n));
        if (rows == 0) return;
        std::unique_ptr<EngineStatement> partial;
        EngineStatement *st;
        if (rows == perBatch) {
            if (!full) full = statementFor(perBatch);
            st = full.get();
        } else {
            partial = statementFor(rows);
            st = partial.get();
        }
        for (size_t i = 0; i < pending.size(); ++i) st->bind(int(i) + 1, pending[i]);
        try {
            st->step();
        } catch (const DbError &e) {
            throw DbError(QStringLiteral("Copia della tabella %1 non riuscita: %2").arg(table, e.message()));
        }
        st->reset();
        copied += rows;
        pending.clear();
    };
    std::vector<QVariant> row(static_cast<size_t>(n));
    while (read->step()) {
        read->readRow(row.data());
        pending.insert(pending.end(), row.begin(), row.end());
        if (pending.size() == size_t(perBatch) * n) flush();
    }
    flush();
    return copied;
}

} // namespace

CopyReport copyDatabase(Connection &source, Connection &target)
{
    if (schema::isEmpty(source)) throw DbError(QStringLiteral("Il database da copiare non contiene l'archivio: non ha tabelle."));
    schema::ensureCurrent(source);

    CopyReport report;
    Transaction t(target);
    if (schema::isEmpty(target)) {
        schema::createNew(target);
        report.schemaCreated = true;
    } else {
        checkTargetIsNew(target);
    }
    addMissing(source, target);
    // The reference rows of the new schema make way for the source's own.
    for (const QString &table : target.tableNames())
        target.engine().executeScript(QStringLiteral("DELETE FROM %1").arg(target.engine().quoteName(table)));
    for (const QString &table : source.tableNames()) {
        const qint64 rows = copyTable(source, target, table);
        report.tables.append({table, rows});
        report.rows += rows;
    }
    target.engine().keysFollowRows();
    t.commit();
    return report;
}

} // namespace db
