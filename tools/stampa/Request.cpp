#include "Request.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "core/Clock.h"
#include "core/Workstation.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace stampa {

QString workstationName()
{
    const QString name = core::Workstation::instance().computerName();
    return name.isEmpty() ? QStringLiteral("SenzaNome") : name;
}

DataSet runQuery(db::Connection &conn, const QString &accessSql, const QString &what)
{
    DataSet set;
    set.present = true;
    db::Query q(&conn);
    try {
        q.setSql(accessSql);
        q.open();
    } catch (const db::DbError &e) {
        throw ReportError(QStringLiteral("La %1 del report non può essere eseguita.\n\n%2").arg(what, e.message()));
    }
    // SQLite 3.40 names a column "Data:1" when a RIGHT JOIN over a nested join also has a
    // "Data" (the quote's query): the template knows it as "Data".
    static const QRegularExpression suffix(QStringLiteral(":\\d+$"));
    for (int c = 0; c < q.fieldCount(); ++c) set.addColumn(q.fieldNameAt(c).remove(suffix), q.fieldTypeAt(c));
    set.rows.reserve(size_t(q.recordCount()));
    for (int r = 0; r < q.recordCount(); ++r) {
        std::vector<QVariant> row(size_t(q.fieldCount()));
        for (int c = 0; c < q.fieldCount(); ++c) row[size_t(c)] = q.valueAt(r, c);
        set.rows.push_back(std::move(row));
    }
    return set;
}

Request readRequest(db::Connection &conn, const QString &computer)
{
    QString literal = computer;
    literal.replace(u'\'', QStringLiteral("''"));
    const DataSet set = runQuery(conn, QStringLiteral("select * from TempStampa where NomeComputer = '%1' order by Id desc").arg(literal),
                                 QStringLiteral("lettura della richiesta"));
    if (set.rows.empty())
        throw ReportError(QStringLiteral("Nessuna richiesta di stampa per la postazione \"%1\".").arg(computer));
    const auto &row = set.rows.front();
    auto text = [&](const char *name) {
        const int c = set.indexOf(QString::fromLatin1(name));
        return c < 0 ? QString() : row[size_t(c)].toString().trimmed();
    };
    auto value = [&](const char *name) {
        const int c = set.indexOf(QString::fromLatin1(name));
        return c < 0 ? QVariant() : row[size_t(c)];
    };
    Request r;
    r.computer = computer;
    r.report = text("NomeReport");
    r.reportLandscape = text("NomeReportLandscape");
    r.query = text("Query");
    r.subQuery1 = text("QuerySottoreport1");
    r.subQuery2 = text("QuerySottoreport2");
    r.parametro = value("Parametro");
    r.setup = toNumber(value("Setup")) != 0;
    r.header = toNumber(value("PresenzaTestata")) != 0;
    r.exportMode = toNumber(value("Esportazione")) != 0;
    r.exportFile = text("FileEsportazione");
    r.exportType = int(toNumber(value("TipoEsportazione")));
    return r;
}

ReportData fetchData(db::Connection &conn, const Request &request)
{
    if (request.query.isEmpty()) throw ReportError(QStringLiteral("La richiesta di stampa non contiene la query del report."));
    ReportData d;
    d.main = runQuery(conn, request.query, QStringLiteral("query"));
    if (!request.subQuery1.isEmpty()) d.sub1 = runQuery(conn, request.subQuery1, QStringLiteral("query del sottoreport 1"));
    if (!request.subQuery2.isEmpty()) d.sub2 = runQuery(conn, request.subQuery2, QStringLiteral("query del sottoreport 2"));
    const DataSet company = runQuery(conn, QStringLiteral("select * from ditta order by Id"), QStringLiteral("lettura dei dati della ditta"));
    for (int c = 0; c < company.columns.size(); ++c)
        d.company.insert(company.columns[c].toLower(), company.rows.empty() ? QVariant() : company.rows.front()[size_t(c)]);
    d.parametro = request.parametro;
    d.header = request.header;
    d.printDate = core::Clock::instance().today();
    return d;
}

QString findTemplate(const QString &requested, const QString &installFolder)
{
    if (requested.isEmpty()) throw ReportError(QStringLiteral("La richiesta di stampa non indica il modello del report."));
    if (QFileInfo(requested).isFile()) return requested;
    // The request names the program's folder; the templates travel in its reports folder.
    const QString name = QFileInfo(QString(requested).replace(u'\\', u'/')).fileName();
    const QString beside = QDir(installFolder).filePath(QStringLiteral("reports/") + name);
    if (QFileInfo(beside).isFile()) return beside;
    throw ReportError(QStringLiteral("Modello di report non trovato: %1\n(cercato in %2 e in %3)")
                          .arg(name, QDir::toNativeSeparators(requested), QDir::toNativeSeparators(beside)));
}

} // namespace stampa
