#include "DateTimeText.h"

namespace db {

namespace {

bool readInt(const QString &s, int &pos, int maxDigits, int &out)
{
    int start = pos;
    out = 0;
    while (pos < s.size() && pos - start < maxDigits && s[pos].isDigit()) {
        out = out * 10 + s[pos].digitValue();
        ++pos;
    }
    return pos > start;
}

// "a/b/yyyy[ hh[.:]mm[[.:]ss]]": returns the two leading numbers, the year and the time.
bool splitSlashed(const QString &text, int &a, int &b, int &year, QTime &time)
{
    const QString s = text.trimmed();
    int pos = 0;
    if (!readInt(s, pos, 2, a) || pos >= s.size() || s[pos] != u'/') return false;
    ++pos;
    if (!readInt(s, pos, 2, b) || pos >= s.size() || s[pos] != u'/') return false;
    ++pos;
    int ys = pos;
    if (!readInt(s, pos, 4, year)) return false;
    if (pos - ys == 2) year += (year < 30 ? 2000 : 1900);
    // "0029" is a slip, not the year 29: written back without its zeros it would read as 2029.
    else if (pos - ys >= 3 && year < 100) return false;
    time = QTime(0, 0, 0);
    while (pos < s.size() && s[pos].isSpace()) ++pos;
    if (pos == s.size()) return true;
    int h = 0, m = 0, sec = 0;
    if (!readInt(s, pos, 2, h)) return false;
    if (pos < s.size() && (s[pos] == u'.' || s[pos] == u':')) {
        ++pos;
        if (!readInt(s, pos, 2, m)) return false;
        if (pos < s.size() && (s[pos] == u'.' || s[pos] == u':')) {
            ++pos;
            if (!readInt(s, pos, 2, sec)) return false;
        }
    }
    while (pos < s.size() && s[pos].isSpace()) ++pos;
    if (pos != s.size()) return false;
    time = QTime(h, m, sec);
    return time.isValid();
}

} // namespace

QString canonicalDateTime(const QDateTime &dt)
{
    return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString canonicalDate(const QDate &d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
}

bool looksCanonical(const QString &t)
{
    return t.size() >= 10 && t[4] == u'-' && t[7] == u'-' && t[0].isDigit() && t[3].isDigit()
        && t[5].isDigit() && t[9].isDigit();
}

QDateTime parseCanonical(const QString &text)
{
    if (!looksCanonical(text)) return {};
    const QDate d(text.mid(0, 4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
    if (!d.isValid()) return {};
    QTime t(0, 0, 0);
    if (text.size() >= 19) {
        t = QTime(text.mid(11, 2).toInt(), text.mid(14, 2).toInt(), text.mid(17, 2).toInt());
        if (!t.isValid()) return {};
    } else if (text.size() >= 16) {
        t = QTime(text.mid(11, 2).toInt(), text.mid(14, 2).toInt(), 0);
        if (!t.isValid()) return {};
    }
    return QDateTime(d, t);
}

QDateTime parseDayFirst(const QString &text)
{
    int a, b, y;
    QTime t;
    if (!splitSlashed(text, a, b, y, t)) return {};
    const QDate d(y, b, a);
    return d.isValid() ? QDateTime(d, t) : QDateTime();
}

QDateTime parseMonthFirst(const QString &text)
{
    int a, b, y;
    QTime t;
    if (!splitSlashed(text, a, b, y, t)) return {};
    const QDate d(y, a, b);
    return d.isValid() ? QDateTime(d, t) : QDateTime();
}

QVariant toCanonicalValue(const QVariant &v, bool *ok)
{
    if (ok) *ok = true;
    if (v.isNull()) return QVariant();
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return canonicalDateTime(v.toDateTime());
    case QMetaType::QDate:
        return canonicalDate(v.toDate());
    default:
        break;
    }
    const QString s = v.toString().trimmed();
    if (s.isEmpty()) return QVariant();
    QDateTime dt = parseCanonical(s);
    if (!dt.isValid()) dt = parseDayFirst(s);
    if (!dt.isValid()) {
        if (ok) *ok = false;
        return QVariant();
    }
    return canonicalDateTime(dt);
}

QString displayDateTime(const QDateTime &dt)
{
    if (!dt.isValid()) return QString();
    if (dt.time() == QTime(0, 0, 0)) return dt.toString(QStringLiteral("dd/MM/yyyy"));
    return dt.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

} // namespace db
