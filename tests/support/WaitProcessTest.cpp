#include "FakeWaitClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TWaitForm.h"
#include "support/TWaitProcess.h"

#include <QApplication>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace dbfquery::support {
namespace {

using testing::FakeWaitClock;
using testing::ScriptedDialogs;

TEST(MillisecondsOfDay, CountsFromMidnight) {
    EXPECT_EQ(MillisecondsOfDay(QTime(0, 0)), 0);
    EXPECT_EQ(MillisecondsOfDay(QTime(1, 2, 3, 4)), 3'723'004);
    EXPECT_EQ(MillisecondsOfDay(QTime(23, 59, 59, 999)), 86'399'999);
}

struct StepCase {
    const char* name;
    int showDelay, timeout, callsPerSleep, sleepTime;
    int msPerCall; // time the caller's own attempt takes
    // One letter per Step call: '.' go on without a sleep, 's' slept with no
    // window, 'W' slept and showed the window, 'b' slept and blinked, 'T'
    // the time-out.
    const char* expected;
    friend void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }
};

class StepSequence : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepSequence, SleepsShowsBlinksAndTimesOutAsPlanned) {
    const StepCase& c = GetParam();
    FakeWaitClock clock(5'000);
    TWaitProcess process(c.showDelay, c.timeout, c.callsPerSleep, c.sleepTime, false,
                         QStringLiteral("Ждём"), QStringLiteral("Заголовок"));
    std::string seen;
    QColor lastColour;
    for (const char* p = c.expected; *p; ++p) {
        const std::size_t sleepsBefore = clock.sleeps.size();
        const bool hadWindow = process.form() != nullptr;
        const unsigned char answer = process.Step();
        const bool slept = clock.sleeps.size() > sleepsBefore;
        char letter = '?';
        if (answer == WaitTimedOut)
            letter = slept ? '!' : 'T';
        else if (answer == WaitGoOn && !slept)
            letter = '.';
        else if (answer == WaitGoOn && !hadWindow)
            letter = process.form() ? 'W' : 's';
        else if (answer == WaitGoOn)
            letter = process.form()->messageColour() != lastColour ? 'b' : '=';
        if (process.form())
            lastColour = process.form()->messageColour();
        seen += letter;
        clock.now += c.msPerCall;
    }
    EXPECT_EQ(seen, c.expected);
    for (int ms : clock.sleeps)
        EXPECT_EQ(ms, c.sleepTime);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StepSequence,
    ::testing::Values(StepCase{"WindowAtFirstSleep", 0, 0, 1, 500, 0, "Wbbb"},
                      StepCase{"SleepsEveryThirdCall", 0, 0, 3, 100, 0, "..W..b..b"},
                      StepCase{"ShowDelayCountsFromCreation", 1000, 0, 1, 400, 0, "sssWb"},
                      StepCase{"AttemptTimeCountsTowardsTheDelay", 1000, 0, 2, 100, 300, ".s.W.b"},
                      StepCase{"TimeoutAnswersWithoutCounting", 0, 1000, 1, 400, 0, "WbbTT"},
                      StepCase{"TimeoutBetweenSleeps", 0, 500, 2, 300, 0, ".W.bTT"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TWaitProcess, ShowsTheWindowWithItsTextsAndClosesItWhenDestroyed) {
    FakeWaitClock clock;
    QWidget main;
    main.show();
    auto process = std::make_unique<TWaitProcess>(0, 0, 1, 500, true, QStringLiteral("Подождите ..."),
                                                  QStringLiteral("Удаляем файл"));
    ASSERT_EQ(process->Step(), WaitGoOn);
    const TWaitForm* form = process->form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->message(), QStringLiteral("Подождите ..."));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Удаляем файл"));
    EXPECT_EQ(form->options(), TWaitOptions(woCancelButton));
    EXPECT_FALSE(main.isEnabled());
    process.reset();
    EXPECT_TRUE(main.isEnabled());
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TWaitForm*>(window), nullptr);
}

TEST(TWaitProcess, ConfirmedCancelEndsTheWaitAtTheNextSleep) {
    FakeWaitClock clock;
    ScriptedDialogs dialogs;
    TWaitProcess process(0, 0, 2, 500, true, QStringLiteral("x"), QString());
    EXPECT_EQ(process.Step(), WaitGoOn);
    EXPECT_EQ(process.Step(), WaitGoOn); // shows the window
    dialogs.answer(Answer::No);
    process.form()->CancelButton()->click();
    EXPECT_EQ(process.Step(), WaitGoOn);
    EXPECT_EQ(process.Step(), WaitGoOn);
    dialogs.answer(Answer::Yes);
    process.form()->CancelButton()->click();
    EXPECT_EQ(process.Step(), WaitGoOn) << "the flag is only looked at when sleeping";
    EXPECT_EQ(process.Step(), WaitCancelled);
}

// Regression: elapsed time taken from the time of day went negative over
// midnight, so neither the delay nor the time-out was ever reached.
TEST(TWaitProcess, TimeOutAndDelayAreReachedOverMidnight) {
    FakeWaitClock clock(MillisecondsOfDay(QTime(23, 59, 59, 800)));
    TWaitProcess process(300, 700, 1, 200, false, QStringLiteral("x"), QString());
    EXPECT_EQ(process.Step(), WaitGoOn); // 23:59:59.800, sleeps to 00:00:00.000
    EXPECT_EQ(process.form(), nullptr);
    EXPECT_EQ(process.Step(), WaitGoOn); // 200 ms on
    EXPECT_EQ(process.form(), nullptr);
    EXPECT_EQ(process.Step(), WaitGoOn); // 400 ms on: past the delay
    EXPECT_NE(process.form(), nullptr);
    EXPECT_EQ(process.Step(), WaitGoOn);
    EXPECT_EQ(process.Step(), WaitTimedOut); // 800 ms on
}

} // namespace
} // namespace dbfquery::support
