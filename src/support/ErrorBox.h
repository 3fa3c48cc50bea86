#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace dbfquery::support {

// The text of the standard error box: the message with a full stop appended
// when its last character's code is above that of the full stop.
QString standardErrorText(const QString& message);

// The user-facing message of a caught failure.
QString failureMessage(const std::exception& failure);

// The standard error box: caption the application title, error icon, OK.
void showStandardError(const QString& message);

// Runs a command handler. A failure it lets through is shown in the standard
// error box; a SilentAbort ends it quietly. Nothing escapes, so handlers can
// run inside Qt's event delivery.
void runCommand(const std::function<void()>& command) noexcept;

} // namespace dbfquery::support
