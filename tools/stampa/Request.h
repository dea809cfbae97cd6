#pragma once
// The print request: this workstation's row of TempStampa, written by the program's print
// dispatcher, and the data it asks for.
#include "Fields.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>

namespace db {
class Connection;
}

namespace stampa {

struct Request {
    QString computer;
    QString report;          // NomeReport: full path of the portrait template
    QString reportLandscape; // NomeReportLandscape
    QString query;
    QString subQuery1;
    QString subQuery2;
    QVariant parametro;
    bool setup = false;  // show the printer dialog before printing
    bool header = true;  // PresenzaTestata: company data and logo on top
    bool exportMode = false;
    QString exportFile;
    int exportType = 0;
};

// The only export format the program writes: PDF, number 1 of the export formats.
constexpr int ExportPdf = 1;

struct ReportData {
    DataSet main;
    DataSet sub1;
    DataSet sub2;
    QHash<QString, QVariant> company; // lower-case column of ditta -> value
    QVariant parametro;
    bool header = true;
    QDate printDate;
};

// "SenzaNome" stands for a machine without a name, as in the program.
QString workstationName();

// Throws ReportError when there is no request for the workstation.
Request readRequest(db::Connection &conn, const QString &computer);
// Runs the request's queries and reads the company row. Throws ReportError naming the query
// that failed and the database's message.
ReportData fetchData(db::Connection &conn, const Request &request);
DataSet runQuery(db::Connection &conn, const QString &accessSql, const QString &what);

// The template file for a path of the request: the path itself when it exists, otherwise the
// file of that name in the reports folder beside the report program. Throws ReportError.
QString findTemplate(const QString &requested, const QString &installFolder);

} // namespace stampa
