#pragma once
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace db {

// Every date in the database is text in one canonical form, "YYYY-MM-DD HH:MM:SS",
// midnight written out, so that text comparison orders dates correctly.

// A date and time of day as the database stores it: no time zone, so reading, comparing and
// showing one costs no conversion (a QDateTime in local time consults the system's zone rules,
// which is far too slow for every row of a list).
struct DateTimeValue {
    QDate date;
    QTime time = QTime(0, 0, 0);
    bool isValid() const { return date.isValid(); }
    QDateTime toDateTime() const { return isValid() ? QDateTime(date, time) : QDateTime(); }
    qint64 seconds() const { return date.toJulianDay() * 86400 + time.msecsSinceStartOfDay() / 1000; }
    friend bool operator==(const DateTimeValue &a, const DateTimeValue &b) { return a.date == b.date && a.time == b.time; }
    friend bool operator<(const DateTimeValue &a, const DateTimeValue &b) { return a.seconds() < b.seconds(); }
};
// Reads the canonical form (also a bare "YYYY-MM-DD" and the "T" separator). Invalid on failure.
DateTimeValue readCanonical(QStringView text);
// As parseDayFirst and parseMonthFirst below.
DateTimeValue readDayFirst(QStringView text);
DateTimeValue readMonthFirst(QStringView text);
QString canonicalText(const DateTimeValue &v);
// "dd/mm/yyyy", with " hh:mm:ss" when the time is not midnight.
QString displayText(const DateTimeValue &v);
QString canonicalDateTime(const QDateTime &dt);
QString canonicalDate(const QDate &d);

// Reads the canonical form (also a bare "YYYY-MM-DD" and the "T" separator). Invalid on failure.
QDateTime parseCanonical(const QString &text);
bool looksCanonical(QStringView text);

// Reads what a user or an Access literal writes: day first ("dd/mm/yyyy") or month first
// ("m/d/yyyy"), with an optional time "hh.mm.ss" or "hh:mm:ss". Invalid on failure. A two-digit
// year is 1930..2029; a year of three or four digits below 100 ("0029") is refused.
QDateTime parseDayFirst(const QString &text);
QDateTime parseMonthFirst(const QString &text);

// Any value a caller may hand for a date column, to the canonical text (null stays null).
// Strings are read canonical first, then day first. Returns an invalid QVariant when unreadable.
QVariant toCanonicalValue(const QVariant &v, bool *ok = nullptr);

// Italian display: "dd/mm/yyyy", with " hh:mm:ss" when the time is not midnight.
QString displayDateTime(const QDateTime &dt);

} // namespace db
