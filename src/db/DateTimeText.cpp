#include "DateTimeText.h"

namespace db {

namespace {

bool readInt(QStringView s, qsizetype &pos, int maxDigits, int &out)
{
    const qsizetype start = pos;
    out = 0;
    while (pos < s.size() && pos - start < maxDigits && s[pos].isDigit()) {
        out = out * 10 + s[pos].digitValue();
        ++pos;
    }
    return pos > start;
}

// The number written by `count` ASCII digits at `at`, or -1.
int digits(QStringView s, qsizetype at, int count)
{
    int v = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9') return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

// "a/b/yyyy[ hh[.:]mm[[.:]ss]]": returns the two leading numbers, the year and the time.
bool splitSlashed(QStringView text, int &a, int &b, int &year, QTime &time)
{
    const QStringView s = text.trimmed();
    qsizetype pos = 0;
    if (!readInt(s, pos, 2, a) || pos >= s.size() || s[pos] != u'/') return false;
    ++pos;
    if (!readInt(s, pos, 2, b) || pos >= s.size() || s[pos] != u'/') return false;
    ++pos;
    const qsizetype ys = pos;
    if (!readInt(s, pos, 4, year)) return false;
    // A year of one digit or of five is a slip ("1/1/5", "31/12/20255"), not a date.
    if (pos - ys == 1 || (pos < s.size() && s[pos].isDigit())) return false;
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

void appendNumber(QString &out, int value, int width)
{
    char16_t buf[8];
    for (int i = width - 1; i >= 0; --i) {
        buf[i] = char16_t(u'0' + value % 10);
        value /= 10;
    }
    out.append(QStringView(buf, width));
}

// " hh:mm:ss"
void appendTime(QString &out, const QTime &t)
{
    out += u' ';
    appendNumber(out, t.hour(), 2);
    out += u':';
    appendNumber(out, t.minute(), 2);
    out += u':';
    appendNumber(out, t.second(), 2);
}

} // namespace

DateTimeValue readCanonical(QStringView t)
{
    if (!looksCanonical(t)) return {};
    const int y = digits(t, 0, 4), mo = digits(t, 5, 2), d = digits(t, 8, 2);
    if (y < 0 || mo < 0 || d < 0 || !QDate::isValid(y, mo, d)) return {};
    int h = 0, mi = 0, s = 0;
    if (t.size() >= 16) {
        h = digits(t, 11, 2);
        mi = digits(t, 14, 2);
        if (t.size() >= 19) s = digits(t, 17, 2);
        if (h < 0 || mi < 0 || s < 0 || !QTime::isValid(h, mi, s)) return {};
    }
    return DateTimeValue{QDate(y, mo, d), QTime(h, mi, s)};
}

DateTimeValue readDayFirst(QStringView text)
{
    int a, b, y;
    QTime t;
    if (!splitSlashed(text, a, b, y, t) || !QDate::isValid(y, b, a)) return {};
    return DateTimeValue{QDate(y, b, a), t};
}

DateTimeValue readMonthFirst(QStringView text)
{
    int a, b, y;
    QTime t;
    if (!splitSlashed(text, a, b, y, t) || !QDate::isValid(y, a, b)) return {};
    return DateTimeValue{QDate(y, a, b), t};
}

QString canonicalText(const DateTimeValue &v)
{
    if (!v.isValid()) return QString();
    QString out;
    out.reserve(19);
    appendNumber(out, v.date.year(), 4);
    out += u'-';
    appendNumber(out, v.date.month(), 2);
    out += u'-';
    appendNumber(out, v.date.day(), 2);
    appendTime(out, v.time);
    return out;
}

QString displayText(const DateTimeValue &v)
{
    if (!v.isValid()) return QString();
    QString out;
    out.reserve(19);
    appendNumber(out, v.date.day(), 2);
    out += u'/';
    appendNumber(out, v.date.month(), 2);
    out += u'/';
    appendNumber(out, v.date.year(), 4);
    if (v.time != QTime(0, 0, 0)) appendTime(out, v.time);
    return out;
}

QString canonicalDateTime(const QDateTime &dt)
{
    return dt.isValid() ? canonicalText(DateTimeValue{dt.date(), dt.time()}) : QString();
}

QString canonicalDate(const QDate &d)
{
    return d.isValid() ? canonicalText(DateTimeValue{d, QTime(0, 0, 0)}) : QString();
}

bool looksCanonical(QStringView t)
{
    return t.size() >= 10 && t[4] == u'-' && t[7] == u'-' && t[0].isDigit() && t[3].isDigit()
        && t[5].isDigit() && t[9].isDigit();
}

QDateTime parseCanonical(const QString &text) { return readCanonical(text).toDateTime(); }
QDateTime parseDayFirst(const QString &text) { return readDayFirst(text).toDateTime(); }
QDateTime parseMonthFirst(const QString &text) { return readMonthFirst(text).toDateTime(); }

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
    DateTimeValue dt = readCanonical(s);
    if (!dt.isValid()) dt = readDayFirst(s);
    if (!dt.isValid()) {
        if (ok) *ok = false;
        return QVariant();
    }
    return canonicalText(dt);
}

QString displayDateTime(const QDateTime &dt) { return dt.isValid() ? displayText(DateTimeValue{dt.date(), dt.time()}) : QString(); }

} // namespace db
