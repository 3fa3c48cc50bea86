#include "support/TWaitProcess.h"

#include "support/TWaitForm.h"
#include "support/WaitClock.h"

#include <QCoreApplication>

namespace dbfquery::support {

int MillisecondsOfDay(const QTime& time) {
    return ((time.hour() * 3600) + (time.minute() * 60) + time.second()) * 1000 + time.msec();
}

TWaitProcess::TWaitProcess(int ShowDelay, int Timeout, int CallsPerSleep, int SleepTime, bool WithCancel,
                           const QString& Message, const QString& Caption)
    : FStartTime(waitClock().nowMs()),
      FWithCancel(WithCancel),
      FShowDelay(ShowDelay),
      FTimeout(Timeout),
      FSleepTime(SleepTime),
      FCallsPerSleep(CallsPerSleep),
      FMessage(Message),
      FCaption(Caption) {}

TWaitProcess::~TWaitProcess() { CloseWaitForm(FForm); }

unsigned char TWaitProcess::Step() {
    const std::int64_t elapsed = waitClock().nowMs() - FStartTime;
    if (FTimeout > 0 && elapsed >= FTimeout)
        return WaitTimedOut;

    ++FCallCount;
    if (FCallCount != FCallsPerSleep)
        return WaitGoOn;
    FCallCount = 0;
    waitClock().sleepMs(FSleepTime);

    if (FForm) {
        FForm->Blink();
        QCoreApplication::processEvents();
        return FForm->Cancelled() ? WaitCancelled : WaitGoOn;
    }
    if (FShowDelay == 0 || elapsed >= FShowDelay)
        FForm = ShowWaitForm(FMessage, FCaption, FWithCancel ? TWaitOptions(woCancelButton) : TWaitOptions());
    return WaitGoOn;
}

} // namespace dbfquery::support
