#pragma once

#include "support/TWaitForm.h"

#include <QEventLoop>
#include <QMetaObject>
#include <functional>
#include <future>
#include <thread>
#include <utility>

namespace dbfquery::support {

// Runs `work` on a worker thread while the GUI thread keeps handling events
// in a local loop, so the wait window's animation moves and the screen is
// repainted. Returns the work's result, or rethrows its exception, on the
// GUI thread. Call it only while a wait window is up: the other windows are
// then disabled, so no other command can start meanwhile. `work` must not
// touch widgets. GUI thread only.
template <class R>
R runWhileWaiting(std::function<R()> work) {
    std::packaged_task<R()> task(std::move(work));
    std::future<R> result = task.get_future();
    QEventLoop loop;
    std::thread worker([&task, &loop] {
        task();
        // Queued: delivered once the loop runs, even if the work was quicker.
        QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return result.get();
}

// Shows the wait window, runs `work` as runWhileWaiting does, and always
// closes the window, before the work's exception (if any) reaches the
// caller. A caller that must report a failure while its window is still up
// shows its own window and calls runWhileWaiting inside it.
template <class R>
R runWithWaitWindow(const QString& message, const QString& caption, TWaitOptions options,
                    std::function<R()> work) {
    const ScopedWaitForm form = showScopedWaitForm(message, caption, options);
    return runWhileWaiting<R>(std::move(work));
}

} // namespace dbfquery::support
