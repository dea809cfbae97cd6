#pragma once
#include <QString>

namespace common {

// A text to place between two apostrophes in SQL: every apostrophe doubled.
QString RaddoppiaApici(const QString &testo);

// A LIKE pattern typed by the user: apostrophes doubled, the "*" wildcard turned into "%".
QString FiltroLike(const QString &testo);

} // namespace common
