#include "support/RunWithWaitWindow.h"
#include "support/SearchAnimation.h"
#include "support/UserError.h"

#include <QApplication>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace dbfquery::support {
namespace {

TWaitForm* shownWaitForm() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TWaitForm*>(window))
            return form;
    return nullptr;
}

TEST(RunWithWaitWindow, ScreenStaysAliveWhileTheWorkBlocks) {
    QWidget main;
    main.show();
    std::atomic<bool> release{false};
    bool mainWasEnabled = true;
    std::vector<int> frames;
    // Runs on the GUI thread while the work waits for it: proof that events
    // are handled and the animation moves meanwhile.
    QTimer probe;
    probe.setInterval(SearchAnimation::FrameIntervalMs * 2);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (TWaitForm* form = shownWaitForm()) {
            mainWasEnabled = main.isEnabled();
            frames.push_back(form->WaitAnimate()->frame());
        }
        if (frames.size() >= 4)
            release = true;
    });
    probe.start();

    const std::thread::id gui = std::this_thread::get_id();
    const int answer = runWithWaitWindow<int>(QStringLiteral("Выполняю Ваш запрос..."), QStringLiteral("Ждите!"),
                                              woAnimation, [&] {
                                                  EXPECT_NE(std::this_thread::get_id(), gui);
                                                  while (!release)
                                                      std::this_thread::sleep_for(std::chrono::milliseconds(5));
                                                  return 42;
                                              });
    EXPECT_EQ(answer, 42);
    EXPECT_FALSE(mainWasEnabled);
    ASSERT_GE(frames.size(), 4u);
    EXPECT_NE(frames.front(), frames.back());
    EXPECT_EQ(shownWaitForm(), nullptr);
    EXPECT_TRUE(main.isEnabled());
}

TEST(RunWithWaitWindow, FailureReachesTheCallerAfterTheWindowIsGone) {
    QWidget main;
    main.show();
    try {
        runWithWaitWindow<void>(QStringLiteral("x"), QString(), woAnimation,
                                [] { throw UserError(QStringLiteral("Нет такой папки")); });
        ADD_FAILURE() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Нет такой папки"));
        EXPECT_EQ(shownWaitForm(), nullptr);
        EXPECT_TRUE(main.isEnabled());
    }
}

TEST(RunWhileWaiting, ReportsWhileTheCallersWindowIsStillUp) {
    const ScopedWaitForm form = showScopedWaitForm(QStringLiteral("x"), QString(), woAnimation);
    bool windowUpAtFailure = false;
    try {
        runWhileWaiting<QString>([]() -> QString { throw std::runtime_error("boom"); });
    } catch (const std::runtime_error&) {
        windowUpAtFailure = shownWaitForm() == form.get();
    }
    EXPECT_TRUE(windowUpAtFailure);
    EXPECT_EQ(runWhileWaiting<QString>([] { return QStringLiteral("quick"); }), QStringLiteral("quick"));
}

} // namespace
} // namespace dbfquery::support
