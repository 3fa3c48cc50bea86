#pragma once

#include <QString>
#include <stdexcept>

namespace dbfquery::support {

// A failure with the message the user is shown. Thrown by any layer; it
// unwinds to the command handler, or to the standard error box.
class UserError : public std::runtime_error {
public:
    explicit UserError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}

    const QString& message() const noexcept { return m_message; }

private:
    QString m_message;
};

// Ends an operation without any box: the user has already been told, or has
// chosen to stop.
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "operation aborted"; }
};

} // namespace dbfquery::support
