#pragma once

#include <cstdint>

namespace dbfquery::support {

// The clock and the sleep of the wait-and-retry helper. Elapsed time is
// measured on a monotonic clock, so a wait that runs over midnight (or over
// a change of the system time) never goes negative. Tests install a clock of
// their own with ScopedWaitClock.
class WaitClock {
public:
    virtual ~WaitClock() = default;
    // Milliseconds from an arbitrary fixed origin; never goes back.
    virtual std::int64_t nowMs() = 0;
    // Blocks the calling thread for `ms` milliseconds.
    virtual void sleepMs(int ms) = 0;
};

// The installed clock: the steady system clock unless a test installed one.
WaitClock& waitClock();

// Installs a clock for the guard's lifetime and restores the previous one.
class ScopedWaitClock {
public:
    explicit ScopedWaitClock(WaitClock& clock);
    ~ScopedWaitClock();
    ScopedWaitClock(const ScopedWaitClock&) = delete;
    ScopedWaitClock& operator=(const ScopedWaitClock&) = delete;

private:
    WaitClock* m_previous;
};

} // namespace dbfquery::support
