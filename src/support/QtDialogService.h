#pragma once

#include "support/DialogService.h"

namespace dbfquery::support {

// The real dialogs: Qt message boxes with Russian buttons and the program's
// own file and folder dialogs. GUI thread only.
class QtDialogService final : public DialogService {
public:
    Answer showMessage(const Message& message) override;
    std::optional<QString> openFileName(const FileDialog& dialog) override;
    std::optional<QString> saveFileName(const FileDialog& dialog) override;
    std::optional<QString> existingFolder(const QString& title, const QString& start) override;
};

// "Текстовые файлы|*.txt" -> "Текстовые файлы (*.txt)", one entry a line of
// the Qt filter; a label that already names its pattern is kept as it is.
QString qtFileFilter(const QString& resourceFilter);

} // namespace dbfquery::support
