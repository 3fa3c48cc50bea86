#pragma once

#include "support/DialogService.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace dbfquery::testing {

// A dialog service for tests: records every call and gives the answers the
// test planned, in order. A call with no planned answer fails the test and
// answers No (or cancels), so a forgotten question never hangs a run.
class ScriptedDialogs final : public support::DialogService {
public:
    struct Call {
        enum class Kind { Message, OpenFile, SaveFile, Folder } kind;
        support::MessageKind messageKind = support::MessageKind::Information;
        QString text;    // the message text, or the dialog's title
        QString caption; // the message caption, or the dialog's filter
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answer(support::Answer answer) { m_answers.push_back(answer); }
    void choosePath(const QString& path) { m_paths.push_back({true, path}); }
    void cancelDialog() { m_paths.push_back({false, QString()}); }

    const std::vector<Call>& calls() const { return m_calls; }
    // The messages shown so far, in order.
    std::vector<support::Message> messages() const;

    support::Answer showMessage(const support::Message& message) override;
    std::optional<QString> openFileName(const support::FileDialog& dialog) override;
    std::optional<QString> saveFileName(const support::FileDialog& dialog) override;
    std::optional<QString> existingFolder(const QString& title, const QString& start) override;

private:
    std::optional<QString> nextPath(const Call& call);

    std::vector<Call> m_calls;
    std::deque<support::Answer> m_answers;
    struct PlannedPath {
        bool chosen;
        QString path;
    };
    std::deque<PlannedPath> m_paths;
    support::ScopedDialogService m_installed;
};

} // namespace dbfquery::testing
