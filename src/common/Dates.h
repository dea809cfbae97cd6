#pragma once
#include <QString>

namespace common {

// Date texts are the workstation's (Italian) short dates, day first: "05/01/2024", optionally
// followed by a time. A text that is not a date throws std::invalid_argument.

// The body of an Access date literal, month first without leading zeros: "05/01/2024" gives
// "1/5/2024". Any time part is dropped.
QString DataSql(const QString &data);

// The due date of one instalment from the payment method's rules, as "dd/mm/yyyy".
// Commercial year: every 30 days count as one calendar month. End of month: the due date moves
// to the last day of its month; with from-end-of-start-month the last day of the month is taken
// first (after the whole months of a commercial year) and the remaining days are added to it.
QString CalcolaScadenza(const QString &dataInizio, int giorni, bool fineMese, bool annoCommerciale,
                        bool daFineMeseInizio);

} // namespace common
