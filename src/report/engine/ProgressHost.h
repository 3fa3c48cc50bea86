#pragma once

#include <QString>
#include <functional>

namespace dbfquery::report {

// The progress window as the engine sees it. GUI thread only.
class ProgressHost {
public:
    virtual ~ProgressHost() = default;
    // Shows the window with its caption and first line, runs `work` once it
    // is on screen and closes the window when `work` returns or throws (the
    // failure then leaves run). "Отмена" or Esc call `cancel`; the work
    // goes on until it looks at its stop mark.
    virtual void run(const QString& caption, const QString& firstLine,
                     const std::function<void()>& work, const std::function<void()>& cancel) = 0;
    // Changes the first line and lets pending window messages through.
    virtual void setLine(const QString& text) = 0;
};

// No window: runs the work at once (tests, benchmarks, batch use).
class DirectProgress final : public ProgressHost {
public:
    void run(const QString&, const QString&, const std::function<void()>& work,
             const std::function<void()>&) override {
        work();
    }
    void setLine(const QString&) override {}
};

} // namespace dbfquery::report
