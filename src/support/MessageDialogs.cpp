#include "support/MessageDialogs.h"

#include "support/DialogService.h"

namespace dbfquery::support {

namespace {
constexpr int IDOK = 1;

bool askYesNo(MessageKind kind, const QString& text, const QString& caption) {
    return dialogs().showMessage({kind, text, caption}) == Answer::Yes;
}
} // namespace

bool Confirm(const QString& text, const QString& caption) {
    return askYesNo(MessageKind::Question, text, caption);
}

bool ConfirmDefaultNo(const QString& text, const QString& caption) {
    return askYesNo(MessageKind::QuestionDefaultNo, text, caption);
}

int Inform(const QString& text, const QString& caption) {
    dialogs().showMessage({MessageKind::Information, text, caption});
    return IDOK;
}

} // namespace dbfquery::support
