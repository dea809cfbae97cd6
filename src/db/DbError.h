#pragma once
#include <QString>
#include <stdexcept>

namespace db {

// A database failure that the caller did not expect to handle locally.
// Reaches the application's event filter, which shows the text to the user: an Italian sentence
// first, then the engine's own words as a detail. The statement itself is never in the text
// (the engine writes it to the log, category "pella.db").
class DbError : public std::runtime_error {
public:
    enum class Kind {
        Other,
        // The server gave up this transaction because another workstation's one touched the same
        // data at the same moment (serialization failure, deadlock): everything it wrote is gone,
        // and running the whole operation again is safe.
        Conflict,
        // A lock was waited for longer than the bound: nothing was written.
        Busy,
    };
    explicit DbError(const QString &message, Kind kind = Kind::Other)
        : std::runtime_error(message.toStdString()), m_message(message), m_kind(kind) {}
    const QString &message() const { return m_message; }
    Kind kind() const { return m_kind; }

private:
    QString m_message;
    Kind m_kind;
};

} // namespace db
