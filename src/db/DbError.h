#pragma once
#include <QString>
#include <stdexcept>

namespace db {

// A database failure that the caller did not expect to handle locally.
// Reaches the application's event filter, which shows the text to the user.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace db
