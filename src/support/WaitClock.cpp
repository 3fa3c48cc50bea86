#include "support/WaitClock.h"

#include <chrono>
#include <thread>

namespace dbfquery::support {

namespace {

class SteadyWaitClock final : public WaitClock {
public:
    std::int64_t nowMs() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void sleepMs(int ms) override {
        if (ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
};

SteadyWaitClock g_steady;
WaitClock* g_installed = nullptr;

} // namespace

WaitClock& waitClock() { return g_installed ? *g_installed : g_steady; }

ScopedWaitClock::ScopedWaitClock(WaitClock& clock) : m_previous(g_installed) { g_installed = &clock; }

ScopedWaitClock::~ScopedWaitClock() { g_installed = m_previous; }

} // namespace dbfquery::support
