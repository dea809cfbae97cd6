#pragma once
#include <QDateTime>
#include <QString>
#include <array>

namespace common {

// One calendar event in 12 text slots, all empty in a new record:
//  0 creation time   1 description   2 start   3 end   4 time stamp   5 last modification
//  6 place   7 priority   8 sequence number   9 summary (title)
//  10 busy-time transparency ("OPAQUE" or "TRANSPARENT")   11 unique identifier
// The date-time slots (0, 2, 3, 4, 5) hold texts made by DataOraICal.
struct iCal {
    static constexpr int NumeroCampi = 12;
    std::array<QString, NumeroCampi> campi;
};

// The VEVENT block of one event as RFC 5545 writes it: CR LF line ends, lines folded at 75
// octets, the description, place, summary and identifier escaped (\\ \; \, \n); a slot's line
// is written only when the slot has text. The calendar around it must end its lines the same way.
QString ScriviEventoICal(const iCal &evento);

// The date-time in UTC, as iCalendar writes it: yyyymmddThhmmssZ (milliseconds dropped).
QString DataOraICal(const QDateTime &dataOra);

} // namespace common
