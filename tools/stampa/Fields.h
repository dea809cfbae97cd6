#pragma once
// The rows a report prints and how a value becomes text: Italian numbers ("1.234,56"),
// dates day first, Sì/No; and the expansion of a template's {Campo} placeholders.
#include "Template.h"
#include "db/FieldType.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace stampa {

// The result of one query, read whole.
struct DataSet {
    QStringList columns;
    std::vector<db::FieldType> types;
    std::vector<std::vector<QVariant>> rows;
    bool present = false; // false when the request carried no query for it

    int indexOf(const QString &name) const; // case-insensitive, as Access names are; -1 when missing
    int addColumn(const QString &name, db::FieldType type);

private:
    QHash<QString, int> m_index; // lower-case name -> first column of that name
};

// What a placeholder can see: one row of a data set, the company row ({ditta.Campo}) and
// the request's parameter ({Parametro}).
struct Scope {
    const DataSet *set = nullptr;
    int row = -1; // -1: no row (an empty report), every field reads empty
    const QHash<QString, QVariant> *company = nullptr;
    QVariant parametro;

    // False when the name is unknown; `type` tells how to format it.
    bool lookup(const QString &name, QVariant *value, db::FieldType *type) const;
};

QString formatValue(const QVariant &v, db::FieldType type, const FieldFormat &format);
// Null, empty text, zero and "no" count as empty: an optional part with only those vanishes.
bool isBlank(const QVariant &v, db::FieldType type);
double toNumber(const QVariant &v);

// Throws ReportError for a field the scope does not know (checked before printing, so this
// only guards against a template and a query that disagree).
QString expand(const TextTemplate &t, const Scope &scope, const FieldFormat &defaultFormat = FieldFormat());

} // namespace stampa
