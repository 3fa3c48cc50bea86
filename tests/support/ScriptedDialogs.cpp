#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace dbfquery::testing {

using support::Answer;
using support::MessageKind;

ScriptedDialogs::ScriptedDialogs() : m_installed(*this) {}

ScriptedDialogs::~ScriptedDialogs() {
    EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " planned answers were not asked for";
    EXPECT_TRUE(m_paths.empty()) << m_paths.size() << " planned paths were not asked for";
}

std::vector<support::Message> ScriptedDialogs::messages() const {
    std::vector<support::Message> shown;
    for (const Call& call : m_calls)
        if (call.kind == Call::Kind::Message)
            shown.push_back({call.messageKind, call.text, call.caption});
    return shown;
}

Answer ScriptedDialogs::showMessage(const support::Message& message) {
    m_calls.push_back({Call::Kind::Message, message.kind, message.text, message.caption});
    const bool question =
        message.kind == MessageKind::Question || message.kind == MessageKind::QuestionDefaultNo;
    if (!question)
        return Answer::Ok;
    if (m_answers.empty()) {
        ADD_FAILURE() << "unplanned question: " << message.text.toStdString();
        return Answer::No;
    }
    const Answer planned = m_answers.front();
    m_answers.pop_front();
    return planned;
}

std::optional<QString> ScriptedDialogs::nextPath(const Call& call) {
    m_calls.push_back(call);
    if (m_paths.empty()) {
        ADD_FAILURE() << "unplanned dialog: " << call.text.toStdString();
        return std::nullopt;
    }
    const PlannedPath planned = m_paths.front();
    m_paths.pop_front();
    if (!planned.chosen)
        return std::nullopt;
    return planned.path;
}

std::optional<QString> ScriptedDialogs::openFileName(const support::FileDialog& dialog) {
    return nextPath({Call::Kind::OpenFile, MessageKind::Information, dialog.title, dialog.filter});
}

std::optional<QString> ScriptedDialogs::saveFileName(const support::FileDialog& dialog) {
    return nextPath({Call::Kind::SaveFile, MessageKind::Information, dialog.title, dialog.filter});
}

std::optional<QString> ScriptedDialogs::existingFolder(const QString& title, const QString& start) {
    return nextPath({Call::Kind::Folder, MessageKind::Information, title, start});
}

} // namespace dbfquery::testing
