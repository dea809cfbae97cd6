#pragma once
// The date and time the program works with: the system's, or a fixed one in tests.
#include <QDate>
#include <QDateTime>

namespace core {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }

    static Clock &instance();
    static void setInstance(Clock *c); // nullptr restores the system clock
};

} // namespace core
