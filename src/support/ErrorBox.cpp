#include "support/ErrorBox.h"

#include "support/ApplicationTitle.h"
#include "support/DialogService.h"
#include "support/UserError.h"

#include <new>

namespace dbfquery::support {

QString standardErrorText(const QString& message) {
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}

QString failureMessage(const std::exception& failure) {
    if (const auto* userError = dynamic_cast<const UserError*>(&failure))
        return userError->message();
    if (dynamic_cast<const std::bad_alloc*>(&failure))
        return QStringLiteral("Недостаточно памяти");
    return QString::fromLocal8Bit(failure.what());
}

void showStandardError(const QString& message) {
    dialogs().showMessage({MessageKind::Error, standardErrorText(message), applicationTitle()});
}

void runCommand(const std::function<void()>& command) noexcept {
    try {
        try {
            command();
        } catch (const SilentAbort&) {
        } catch (const std::exception& failure) {
            showStandardError(failureMessage(failure));
        } catch (...) {
            showStandardError(QStringLiteral("Неизвестная ошибка"));
        }
    } catch (...) {
        // The box itself failed (no service, no memory): nothing more can be
        // shown, and letting it through would end the program.
    }
}

} // namespace dbfquery::support
