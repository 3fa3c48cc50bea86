#include "support/ApplicationTitle.h"
#include "support/ErrorBox.h"
#include "support/ScriptedDialogs.h"
#include "support/UserError.h"

#include <gtest/gtest.h>

namespace dbfquery::support {
namespace {

struct FullStopCase {
    const char* name;
    QString message;
    QString shown;
    friend void PrintTo(const FullStopCase& c, std::ostream* os) { *os << c.name; }
};

class FullStopRule : public ::testing::TestWithParam<FullStopCase> {};

TEST_P(FullStopRule, AppendsAFullStopOnlyAfterCharactersAboveIt) {
    EXPECT_EQ(standardErrorText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, FullStopRule,
    ::testing::Values(FullStopCase{"Letter", "Файл не найден", "Файл не найден."},
                      FullStopCase{"Digit", "Ошибка 5", "Ошибка 5."},
                      FullStopCase{"FullStop", "Готово.", "Готово."},
                      FullStopCase{"Exclamation", "Стоп!", "Стоп!"},
                      FullStopCase{"Comma", "a,", "a,"},
                      FullStopCase{"Slash", "/tmp/", "/tmp/."},
                      FullStopCase{"Blank", "a ", "a "},
                      FullStopCase{"Empty", "", ""}),
    [](const auto& info) { return info.param.name; });

TEST(RunCommand, ShowsAFailureInTheStandardErrorBoxAndReturns) {
    testing::ScriptedDialogs dialogs;
    runCommand([] { throw UserError(QStringLiteral("Нет доступа к файлу")); });
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const Message shown = dialogs.messages().front();
    EXPECT_EQ(shown.kind, MessageKind::Error);
    EXPECT_EQ(shown.caption, applicationTitle());
    EXPECT_EQ(shown.text, QStringLiteral("Нет доступа к файлу."));
}

TEST(RunCommand, ShowsForeignExceptionsAndStaysQuietOnSilentAbort) {
    testing::ScriptedDialogs dialogs;
    runCommand([] { throw std::runtime_error("disk full"); });
    runCommand([] { throw SilentAbort(); });
    runCommand([] {});
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages().front().text, QStringLiteral("disk full."));
}

TEST(RunCommand, SwallowsAFailureWhenNoBoxCanBeShown) {
    EXPECT_NO_THROW(runCommand([] { throw UserError(QStringLiteral("x")); }));
}

} // namespace
} // namespace dbfquery::support
