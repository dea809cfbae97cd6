#include "SqliteFunctions.h"
#include "DateTimeText.h"

#ifdef PELLA_SQLITE_EXTENSION
// Built into the loadable extension: engine calls go through the table the engine hands over.
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT3
#else
#include <sqlite3.h>
#endif
#include <QLocale>
#include <cmath>
#include <cstring>

namespace db {

namespace {

// ---------------------------------------------------------------- collation

int foldCompareUtf8(const char *a, int na, const char *b, int nb)
{
    // ASCII fast path; the first non-ASCII byte hands the whole pair to QString.
    const int n = na < nb ? na : nb;
    for (int i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if ((ca | cb) & 0x80) {
            return compareNoCase(QString::fromUtf8(a, na), QString::fromUtf8(b, nb));
        }
        if (ca >= 'A' && ca <= 'Z') ca += 32;
        if (cb >= 'A' && cb <= 'Z') cb += 32;
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (na == nb) return 0;
    // One is a prefix of the other; the rest may still be non-ASCII but the order is fixed.
    return na < nb ? -1 : 1;
}

int collationCallback(void *, int na, const void *a, int nb, const void *b)
{
    return foldCompareUtf8(static_cast<const char *>(a), na, static_cast<const char *>(b), nb);
}

// ---------------------------------------------------------------- value helpers

QString textArg(sqlite3_value *v)
{
    const unsigned char *t = sqlite3_value_text(v);
    return t ? QString::fromUtf8(reinterpret_cast<const char *>(t), sqlite3_value_bytes(v)) : QString();
}

bool isNull(sqlite3_value *v) { return sqlite3_value_type(v) == SQLITE_NULL; }

void resultText(sqlite3_context *ctx, const QString &s)
{
    const QByteArray u = s.toUtf8();
    sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

// A stored date is read arithmetically, with no time-zone conversion: these run for every row.
DateTimeValue dateArg(sqlite3_value *v)
{
    if (isNull(v)) return {};
    const QString s = textArg(v);
    DateTimeValue dt = readCanonical(s);
    if (!dt.isValid()) dt = readDayFirst(s);
    return dt;
}

void resultDate(sqlite3_context *ctx, const DateTimeValue &dt)
{
    if (!dt.isValid()) sqlite3_result_null(ctx);
    else resultText(ctx, canonicalText(dt));
}

QDateTime nowOf(sqlite3_context *ctx)
{
    auto *fn = static_cast<const std::function<QDateTime()> *>(sqlite3_user_data(ctx));
    return (fn && *fn) ? (*fn)() : QDateTime::currentDateTime();
}

// The text Access gives a value in a "&" concatenation: null is empty, a date is shown
// day first, a floating number with the Italian decimal comma.
QString accessText(sqlite3_value *v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return QString();
    case SQLITE_INTEGER:
        return QString::number(sqlite3_value_int64(v));
    case SQLITE_FLOAT: {
        const double d = sqlite3_value_double(v);
        if (d == std::floor(d) && std::fabs(d) < 1e15) return QString::number(qint64(d));
        return QLocale(QLocale::Italian).toString(d, 'g', 15).remove(QLocale(QLocale::Italian).groupSeparator());
    }
    default: {
        const QString s = textArg(v);
        if (looksCanonical(s) && s.size() == 19) {
            const DateTimeValue dt = readCanonical(s);
            if (dt.isValid()) return displayText(dt);
        }
        return s;
    }
    }
}

// ---------------------------------------------------------------- functions

void fnLike(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    // SQLite calls like(pattern, text[, escape]).
    if (isNull(argv[0]) || isNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    QChar esc;
    if (argc == 3 && !isNull(argv[2])) {
        const QString e = textArg(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        esc = e[0];
    }
    sqlite3_result_int(ctx, likeMatch(textArg(argv[1]), textArg(argv[0]), esc) ? 1 : 0);
}

// Year(), Month() ... of a date; null for null or a text that is no date.
template <int (*part)(const DateTimeValue &)> void fnDatePart(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const DateTimeValue dt = dateArg(argv[0]);
    if (dt.isValid()) sqlite3_result_int(ctx, part(dt));
    else sqlite3_result_null(ctx);
}
int yearOf(const DateTimeValue &d) { return d.date.year(); }
int monthOf(const DateTimeValue &d) { return d.date.month(); }
int dayOf(const DateTimeValue &d) { return d.date.day(); }
int hourOf(const DateTimeValue &d) { return d.time.hour(); }
int minuteOf(const DateTimeValue &d) { return d.time.minute(); }

void fnIIf(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const bool cond = !isNull(argv[0]) && sqlite3_value_double(argv[0]) != 0.0;
    sqlite3_result_value(ctx, cond ? argv[1] : argv[2]);
}

void fnNz(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (!isNull(argv[0])) sqlite3_result_value(ctx, argv[0]);
    else if (argc > 1) sqlite3_result_value(ctx, argv[1]);
    else sqlite3_result_int(ctx, 0);
}

void fnDate(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultDate(ctx, DateTimeValue{nowOf(ctx).date(), QTime(0, 0, 0)});
}
void fnNow(sqlite3_context *ctx, int, sqlite3_value **)
{
    const QDateTime n = nowOf(ctx);
    resultDate(ctx, DateTimeValue{n.date(), QTime(n.time().hour(), n.time().minute(), n.time().second())});
}

void fnText(sqlite3_context *ctx, int, sqlite3_value **argv) { resultText(ctx, accessText(argv[0])); }

void fnLeft(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    resultText(ctx, accessText(argv[0]).left(qMax(0, sqlite3_value_int(argv[1]))));
}
void fnRight(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    resultText(ctx, accessText(argv[0]).right(qMax(0, sqlite3_value_int(argv[1]))));
}
void fnMid(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    const QString s = accessText(argv[0]);
    const int start = qMax(1, sqlite3_value_int(argv[1])) - 1;
    resultText(ctx, argc > 2 ? s.mid(start, qMax(0, sqlite3_value_int(argv[2]))) : s.mid(start));
}
void fnLen(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, int(accessText(argv[0]).size()));
}
void fnUCase(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    resultText(ctx, accessText(argv[0]).toUpper());
}
void fnLCase(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    resultText(ctx, accessText(argv[0]).toLower());
}
void fnInt(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, qint64(std::floor(sqlite3_value_double(argv[0]))));
}
void fnFix(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, qint64(std::trunc(sqlite3_value_double(argv[0]))));
}
void fnCLng(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    // Access rounds halves to even when converting to an integer.
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, qint64(std::nearbyint(sqlite3_value_double(argv[0]))));
}
void fnCDbl(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT) {
        bool ok = false;
        const double d = QLocale(QLocale::Italian).toDouble(textArg(argv[0]).trimmed(), &ok);
        if (ok) return sqlite3_result_double(ctx, d);
    }
    sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
}
void fnVal(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    // Val reads the leading number with a dot as decimal separator; no number gives 0.
    const QString s = isNull(argv[0]) ? QString() : accessText(argv[0]).trimmed();
    int i = 0;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) ++i;
    while (i < s.size() && (s[i].isDigit() || s[i] == u'.')) ++i;
    sqlite3_result_double(ctx, s.left(i).toDouble());
}
void fnInStr(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    int start = 0;
    int a = 0;
    if (argc == 3) {
        start = qMax(1, sqlite3_value_int(argv[0])) - 1;
        a = 1;
    }
    if (isNull(argv[a]) || isNull(argv[a + 1])) return sqlite3_result_null(ctx);
    const qsizetype pos = accessText(argv[a]).indexOf(accessText(argv[a + 1]), start, Qt::CaseInsensitive);
    sqlite3_result_int(ctx, int(pos + 1));
}
void fnDateSerial(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    // Access lets month and day run over: DateSerial(2024, 13, 1) is 1 January 2025.
    const int y = sqlite3_value_int(argv[0]);
    const int m = sqlite3_value_int(argv[1]);
    const int d = sqlite3_value_int(argv[2]);
    QDate base(y, 1, 1);
    base = base.addMonths(m - 1).addDays(d - 1);
    resultDate(ctx, DateTimeValue{base, QTime(0, 0, 0)});
}
// Calendar arithmetic on the clock's face, as Access does it: no daylight-saving shifts.
DateTimeValue addSeconds(const DateTimeValue &dt, qint64 secs)
{
    const qint64 total = dt.time.msecsSinceStartOfDay() / 1000 + secs;
    qint64 days = total / 86400;
    qint64 rest = total % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    return DateTimeValue{dt.date.addDays(days), QTime::fromMSecsSinceStartOfDay(int(rest * 1000))};
}
DateTimeValue addInterval(const QString &interval, int n, const DateTimeValue &dt)
{
    const QString iv = interval.toLower();
    if (iv == u"yyyy") return DateTimeValue{dt.date.addYears(n), dt.time};
    if (iv == u"q") return DateTimeValue{dt.date.addMonths(3 * n), dt.time};
    if (iv == u"m") return DateTimeValue{dt.date.addMonths(n), dt.time};
    if (iv == u"d" || iv == u"y" || iv == u"w") return DateTimeValue{dt.date.addDays(n), dt.time};
    if (iv == u"ww") return DateTimeValue{dt.date.addDays(7 * qint64(n)), dt.time};
    if (iv == u"h") return addSeconds(dt, 3600LL * n);
    if (iv == u"n") return addSeconds(dt, 60LL * n);
    if (iv == u"s") return addSeconds(dt, n);
    return {};
}
void fnDateAdd(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const DateTimeValue dt = dateArg(argv[2]);
    if (!dt.isValid()) return sqlite3_result_null(ctx);
    resultDate(ctx, addInterval(textArg(argv[0]), sqlite3_value_int(argv[1]), dt));
}
void fnDateDiff(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const DateTimeValue a = dateArg(argv[1]);
    const DateTimeValue b = dateArg(argv[2]);
    if (!a.isValid() || !b.isValid()) return sqlite3_result_null(ctx);
    const QString iv = textArg(argv[0]).toLower();
    qint64 r = 0;
    const qint64 secs = b.seconds() - a.seconds();
    if (iv == u"yyyy") r = b.date.year() - a.date.year();
    else if (iv == u"m") r = (b.date.year() - a.date.year()) * 12 + b.date.month() - a.date.month();
    else if (iv == u"q") r = (b.date.year() - a.date.year()) * 4 + (b.date.month() - 1) / 3 - (a.date.month() - 1) / 3;
    else if (iv == u"ww") r = a.date.daysTo(b.date) / 7;
    else if (iv == u"h") r = secs / 3600;
    else if (iv == u"n") r = secs / 60;
    else if (iv == u"s") r = secs;
    else r = a.date.daysTo(b.date);
    sqlite3_result_int64(ctx, r);
}
void fnDateValue(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const DateTimeValue dt = dateArg(argv[0]);
    resultDate(ctx, DateTimeValue{dt.date, QTime(0, 0, 0)});
}
void fnFormat(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    if (argc < 2) return resultText(ctx, accessText(argv[0]));
    const QString fmt = textArg(argv[1]);
    const DateTimeValue dt = sqlite3_value_type(argv[0]) == SQLITE_TEXT ? readCanonical(textArg(argv[0])) : DateTimeValue();
    if (dt.isValid()) {
        // Access date pictures: d dd m mm mmm mmmm yy yyyy h hh n nn s ss.
        QString qfmt = fmt;
        qfmt.replace(QLatin1String("nn"), QLatin1String("mm"), Qt::CaseInsensitive);
        QString out;
        for (int i = 0; i < qfmt.size();) {
            const QChar c = qfmt[i].toLower();
            int j = i;
            while (j < qfmt.size() && qfmt[j].toLower() == c) ++j;
            const int n = j - i;
            const QLocale it(QLocale::Italian);
            if (c == u'd') out += n == 1 ? QString::number(dt.date.day()) : dt.date.toString(QStringLiteral("dd"));
            else if (c == u'm' && i > 0 && (qfmt[i - 1] == u':' || qfmt[i - 1] == u'.'))
                out += dt.time.toString(QStringLiteral("mm"));
            else if (c == u'm')
                out += n == 1 ? QString::number(dt.date.month())
                     : n == 2 ? dt.date.toString(QStringLiteral("MM"))
                     : n == 3 ? it.monthName(dt.date.month(), QLocale::ShortFormat)
                              : it.monthName(dt.date.month());
            else if (c == u'y') out += n <= 2 ? dt.date.toString(QStringLiteral("yy")) : dt.date.toString(QStringLiteral("yyyy"));
            else if (c == u'h') out += n == 1 ? QString::number(dt.time.hour()) : dt.time.toString(QStringLiteral("HH"));
            else if (c == u's') out += dt.time.toString(QStringLiteral("ss"));
            else out += qfmt.mid(i, n);
            i = j;
        }
        return resultText(ctx, out);
    }
    // Numbers: count the decimals of the picture, use the Italian separators.
    const double d = sqlite3_value_double(argv[0]);
    const qsizetype dot = fmt.indexOf(u'.');
    const int decimals = dot < 0 ? 0 : int(fmt.size() - dot - 1);
    QString out = QLocale(QLocale::Italian).toString(d, 'f', decimals);
    if (!fmt.contains(u',')) out.remove(QLocale(QLocale::Italian).groupSeparator());
    resultText(ctx, out);
}

struct FunctionDef {
    const char *name;
    int args;
    void (*fn)(sqlite3_context *, int, sqlite3_value **);
    bool needsClock;
};

const FunctionDef kFunctions[] = {
    {"like", 2, fnLike, false},      {"like", 3, fnLike, false},
    {"year", 1, fnDatePart<yearOf>, false},     {"month", 1, fnDatePart<monthOf>, false},
    {"day", 1, fnDatePart<dayOf>, false},       {"hour", 1, fnDatePart<hourOf>, false},
    {"minute", 1, fnDatePart<minuteOf>, false}, {"iif", 3, fnIIf, false},
    {"nz", 1, fnNz, false},          {"nz", 2, fnNz, false},
    {"acc_date", 0, fnDate, true},   {"acc_now", 0, fnNow, true},
    {"acc_text", 1, fnText, false},  {"acc_left", 2, fnLeft, false},
    {"acc_right", 2, fnRight, false}, {"mid", 2, fnMid, false},
    {"mid", 3, fnMid, false},        {"len", 1, fnLen, false},
    {"ucase", 1, fnUCase, false},    {"lcase", 1, fnLCase, false},
    {"int", 1, fnInt, false},        {"acc_int", 1, fnInt, false},
    {"fix", 1, fnFix, false},
    {"clng", 1, fnCLng, false},      {"cint", 1, fnCLng, false},
    {"cdbl", 1, fnCDbl, false},      {"cstr", 1, fnText, false},
    {"val", 1, fnVal, false},        {"instr", 2, fnInStr, false},
    {"instr", 3, fnInStr, false},    {"dateserial", 3, fnDateSerial, false},
    {"dateadd", 3, fnDateAdd, false}, {"datediff", 3, fnDateDiff, false},
    {"datevalue", 1, fnDateValue, false}, {"cdate", 1, fnDateValue, false},
    {"format", 1, fnFormat, false},  {"format", 2, fnFormat, false},
    {"acc_format", 1, fnFormat, false}, {"acc_format", 2, fnFormat, false},
};

} // namespace

int compareNoCase(const QString &a, const QString &b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool likeMatch(const QString &textIn, const QString &patternIn, QChar escape)
{
    const QString text = textIn.toCaseFolded();
    const QString pat = patternIn.toCaseFolded();
    const QChar esc = escape.isNull() ? QChar() : escape.toCaseFolded();
    // Iterative matcher with backtracking to the last %.
    qsizetype t = 0, p = 0, starP = -1, starT = 0;
    while (t < text.size()) {
        if (p < pat.size()) {
            QChar pc = pat[p];
            if (!esc.isNull() && pc == esc && p + 1 < pat.size()) {
                if (text[t] == pat[p + 1]) {
                    p += 2;
                    ++t;
                    continue;
                }
            } else if (pc == u'%') {
                starP = p++;
                starT = t;
                continue;
            } else if (pc == u'_' || pc == text[t]) {
                ++p;
                ++t;
                continue;
            }
        }
        if (starP < 0) return false;
        p = starP + 1;
        t = ++starT;
    }
    while (p < pat.size() && pat[p] == u'%') ++p;
    return p == pat.size();
}

int registerAccessFunctions(sqlite3 *handle, const std::function<QDateTime()> *now)
{
    int rc = sqlite3_create_collation(handle, kTextCollation, SQLITE_UTF8, nullptr, collationCallback);
    for (const FunctionDef &f : kFunctions) {
        if (rc != SQLITE_OK) break;
        void *user = f.needsClock ? const_cast<std::function<QDateTime()> *>(now) : nullptr;
        const int flags = SQLITE_UTF8 | (f.needsClock ? 0 : SQLITE_DETERMINISTIC);
        rc = sqlite3_create_function(handle, f.name, f.args, flags, user, f.fn, nullptr, nullptr);
    }
    return rc;
}

} // namespace db
