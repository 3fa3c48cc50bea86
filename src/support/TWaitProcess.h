#pragma once

#include <QString>
#include <QTime>
#include <cstdint>

namespace dbfquery::support {

class TWaitForm;

// Milliseconds since midnight of a time of day: 0 to 86,399,999.
int MillisecondsOfDay(const QTime& time);

// Answers of TWaitProcess::Step.
inline constexpr unsigned char WaitCancelled = 0;
inline constexpr unsigned char WaitGoOn = 1;
inline constexpr unsigned char WaitTimedOut = 2;

// Paces a retry loop: the loop calls Step once per failed attempt. Every
// CallsPerSleep calls it sleeps SleepTime ms (blocking the thread); at the
// first sleep once ShowDelay ms have passed (0: at the first sleep) it shows
// the wait window (with Cancel if WithCancel); at later sleeps the message
// blinks, pending events are handled and a confirmed Cancel ends the wait.
// After Timeout ms (0 or less: never) Step reports a time-out. Times are on
// waitClock(), a monotonic clock. Destroying the object closes its window.
// GUI thread only.
class TWaitProcess {
public:
    TWaitProcess(int ShowDelay, int Timeout, int CallsPerSleep, int SleepTime, bool WithCancel,
                 const QString& Message, const QString& Caption);
    ~TWaitProcess();
    TWaitProcess(const TWaitProcess&) = delete;
    TWaitProcess& operator=(const TWaitProcess&) = delete;

    // WaitGoOn, WaitCancelled (only at a sleep after the window is up) or
    // WaitTimedOut (counts nothing). The call that shows the window always
    // answers WaitGoOn.
    unsigned char Step();

    // The wait window once shown, else null.
    TWaitForm* form() const { return FForm; }

private:
    TWaitForm* FForm = nullptr;
    std::int64_t FStartTime;
    bool FWithCancel;
    int FShowDelay;
    int FTimeout;
    int FSleepTime;
    std::int64_t FCallCount = 0;
    int FCallsPerSleep;
    QString FMessage;
    QString FCaption;
};

} // namespace dbfquery::support
