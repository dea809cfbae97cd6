#include "Fields.h"

#include "common/Decimale.h"

#include <cmath>

#include "db/DateTimeText.h"

#include <QDateTime>
#include <QLocale>

namespace stampa {

namespace {

const QLocale &italian()
{
    static const QLocale l(QLocale::Italian, QLocale::Italy);
    return l;
}

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool: return true;
    default: return false;
    }
}

bool truthy(const QVariant &v)
{
    if (isNumber(v)) return v.toDouble() != 0;
    const QString s = v.toString().trimmed().toLower();
    return s == u"true" || s == u"vero" || s == u"si" || s == u"sì" || (s.toDouble() != 0);
}

QDateTime asDateTime(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime();
    if (v.typeId() == QMetaType::QDate) return v.toDate().startOfDay();
    return db::parseCanonical(v.toString());
}

QString number(double d, int decimals, bool trim)
{
    // Rounded on the value's decimal form, halves away from zero, as the program rounds money:
    // 1.005 prints 1,01 (its binary double lies below the half).
    if (std::isfinite(d) && std::fabs(d) < 1e20) d = common::Decimale::daDouble(d).arrotonda(decimals).toDouble();
    QString s = italian().toString(d, 'f', decimals);
    if (trim && s.contains(italian().decimalPoint())) {
        while (s.endsWith(u'0')) s.chop(1);
        if (s.endsWith(italian().decimalPoint())) s.chop(1);
    }
    if (s == u"-0") s = QStringLiteral("0");
    return s;
}

void expandParts(const std::vector<TextTemplate::Part> &parts, const Scope &scope, const FieldFormat &def, QString &out,
                 bool *anyValue)
{
    for (const TextTemplate::Part &p : parts) {
        switch (p.kind) {
        case TextTemplate::Part::Literal: out += p.text; break;
        case TextTemplate::Part::Field: {
            QVariant v;
            db::FieldType type = db::FieldType::Unknown;
            if (!scope.lookup(p.text, &v, &type))
                throw ReportError(QStringLiteral("Il modello usa il campo \"%1\", che la query non contiene.").arg(p.text));
            out += formatValue(v, type, p.format.kind == Format::Auto ? def : p.format);
            if (!isBlank(v, type)) *anyValue = true;
            break;
        }
        case TextTemplate::Part::Optional: {
            QString inner;
            bool innerValue = false;
            expandParts(p.parts, scope, def, inner, &innerValue);
            if (innerValue) {
                out += inner;
                *anyValue = true;
            }
            break;
        }
        }
    }
}

} // namespace

int DataSet::indexOf(const QString &name) const
{
    return m_index.value(name.toLower(), -1);
}

int DataSet::addColumn(const QString &name, db::FieldType type)
{
    columns << name;
    types.push_back(type);
    const int col = int(columns.size()) - 1;
    if (!m_index.contains(name.toLower())) m_index.insert(name.toLower(), col);
    return col;
}

bool Scope::lookup(const QString &name, QVariant *value, db::FieldType *type) const
{
    *type = db::FieldType::Unknown;
    if (name.startsWith(QStringLiteral("ditta."), Qt::CaseInsensitive)) {
        const QString key = name.mid(6).toLower();
        if (!company || !company->contains(key)) return false;
        *value = company->value(key);
        return true;
    }
    const int col = set ? set->indexOf(name) : -1;
    if (col >= 0) {
        *type = set->types[size_t(col)];
        *value = row >= 0 && row < int(set->rows.size()) ? set->rows[size_t(row)][size_t(col)] : QVariant();
        return true;
    }
    if (name.compare(QStringLiteral("Parametro"), Qt::CaseInsensitive) == 0) {
        *value = parametro;
        *type = db::FieldType::Float;
        return true;
    }
    return false;
}

double toNumber(const QVariant &v)
{
    if (v.isNull()) return 0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok) return d;
    return v.toString().trimmed().replace(u',', u'.').toDouble();
}

bool isBlank(const QVariant &v, db::FieldType type)
{
    if (v.isNull()) return true;
    if (type == db::FieldType::Boolean) return !truthy(v);
    if (type == db::FieldType::Integer || type == db::FieldType::Float || isNumber(v)) return toNumber(v) == 0;
    if (type == db::FieldType::Blob) return v.toByteArray().isEmpty();
    return v.toString().trimmed().isEmpty();
}

QString formatValue(const QVariant &v, db::FieldType type, const FieldFormat &format)
{
    if (v.isNull()) return QString();
    switch (format.kind) {
    case Format::Money: return number(toNumber(v), 2, false);
    case Format::Number: return number(toNumber(v), 3, true);
    case Format::YesNo: return truthy(v) ? format.yes : format.no;
    case Format::Date: {
        const QDateTime dt = asDateTime(v);
        return dt.isValid() ? dt.date().toString(QStringLiteral("dd/MM/yyyy")) : v.toString();
    }
    case Format::Text:
        if (v.typeId() == QMetaType::QString) return v.toString();
        break;
    case Format::Auto: break;
    }
    switch (type) {
    case db::FieldType::Boolean: return truthy(v) ? format.yes : format.no;
    case db::FieldType::Blob: return QString();
    case db::FieldType::Integer: return QString::number(v.toLongLong());
    case db::FieldType::Float: return number(toNumber(v), 3, true);
    default: break;
    }
    if (v.typeId() == QMetaType::Double) return number(v.toDouble(), 3, true);
    if (isNumber(v)) return v.toString();
    const QString s = v.toString();
    if (db::looksCanonical(s) && s.size() == 19) return db::displayDateTime(db::parseCanonical(s));
    return s;
}

QString expand(const TextTemplate &t, const Scope &scope, const FieldFormat &defaultFormat)
{
    QString out;
    bool any = false;
    expandParts(t.parts, scope, defaultFormat, out, &any);
    return out;
}

} // namespace stampa
