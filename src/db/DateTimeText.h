#pragma once
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace db {

// Every date in the database is text in one canonical form, "YYYY-MM-DD HH:MM:SS",
// midnight written out, so that text comparison orders dates correctly.
QString canonicalDateTime(const QDateTime &dt);
QString canonicalDate(const QDate &d);

// Reads the canonical form (also a bare "YYYY-MM-DD" and the "T" separator). Invalid on failure.
QDateTime parseCanonical(const QString &text);
bool looksCanonical(const QString &text);

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
