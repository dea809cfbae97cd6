#pragma once
#include <QDateTime>
#include <QString>
#include <functional>

struct sqlite3;

namespace db {

// The collation every text column of the schema uses: Unicode, case-insensitive.
inline constexpr const char *kTextCollation = "UNOCASE";

// Case-insensitive comparison with the collation's rules (exposed for the in-memory sort).
int compareNoCase(const QString &a, const QString &b);

// LIKE with % and _ wildcards, Unicode case-insensitive, optional escape character.
bool likeMatch(const QString &text, const QString &pattern, QChar escape = QChar());

// Registers the collation, the LIKE override and the Access functions the program's SQL
// uses. `now` answers Date() and Now() (null: the system clock); it must outlive the handle.
// The same registration serves the program's connection and the loadable extension
// (SqliteExtension.cpp) that gives them to the stock sqlite3 tool. Returns the engine's code.
int registerAccessFunctions(sqlite3 *handle, const std::function<QDateTime()> *now);

} // namespace db
