#pragma once

#include <QString>
#include <optional>

namespace dbfquery::support {

// Every question, notice, error box and file dialog of the program goes
// through one DialogService. The program installs the real one at start;
// tests install a scripted one that records each call and answers as planned.

enum class MessageKind {
    Question,          // Yes/No, question icon, Yes is the default button
    QuestionDefaultNo, // Yes/No, question icon, No is the default button
    Information,       // OK, information icon (notices and reported failures)
    Error,             // OK, error icon: the standard error box
};

enum class Answer { Yes, No, Ok };

// A line break inside `text` is a single carriage return (character 13).
struct Message {
    MessageKind kind = MessageKind::Information;
    QString text;
    QString caption; // an empty caption stays empty, never a default title
};

struct FileDialog {
    QString title;
    // Entries as the window's resources write them: "label|pattern", several
    // joined by "|" (for example "Текстовые файлы|*.txt").
    QString filter;
    QString directory;
    QString fileName;
};

class DialogService {
public:
    virtual ~DialogService() = default;

    // Blocks until the user answers. Yes/No boxes have no Cancel: Esc and the
    // close box do not end them.
    virtual Answer showMessage(const Message& message) = 0;

    // Each returns the chosen path, or nothing when the user cancels.
    virtual std::optional<QString> openFileName(const FileDialog& dialog) = 0;
    virtual std::optional<QString> saveFileName(const FileDialog& dialog) = 0;
    virtual std::optional<QString> existingFolder(const QString& title, const QString& start) = 0;
};

// The installed service; throws std::logic_error when none is.
DialogService& dialogs();

// Installs a service for the guard's lifetime and restores the previous one.
class ScopedDialogService {
public:
    explicit ScopedDialogService(DialogService& service);
    ~ScopedDialogService();
    ScopedDialogService(const ScopedDialogService&) = delete;
    ScopedDialogService& operator=(const ScopedDialogService&) = delete;

private:
    DialogService* m_previous;
};

} // namespace dbfquery::support
