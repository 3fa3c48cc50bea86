#pragma once

#include "support/WaitClock.h"

#include <functional>
#include <vector>

namespace dbfquery::testing {

// A clock that sleeps by moving its time on at once. `onSleep` runs inside
// every sleep (with the sleep's number, from 1), where a test can act as the
// user or another program would while the helper waits.
class FakeWaitClock final : public support::WaitClock {
public:
    explicit FakeWaitClock(std::int64_t startMs = 0) : now(startMs), m_installed(*this) {}

    std::int64_t nowMs() override { return now; }
    void sleepMs(int ms) override {
        sleeps.push_back(ms);
        now += ms;
        if (onSleep)
            onSleep(static_cast<int>(sleeps.size()));
    }

    std::int64_t now;
    std::vector<int> sleeps;
    std::function<void(int)> onSleep;

private:
    support::ScopedWaitClock m_installed;
};

} // namespace dbfquery::testing
