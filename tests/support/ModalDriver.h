#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace dbfquery::testing {

// Runs `act` on the next modal dialog of type T as soon as it is up, from
// inside the dialog's own event loop. Plan it before the call that opens the
// dialog; `act` must end the dialog (a click, a key, done()).
template <class T = QDialog>
void whenModalShows(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start();
}

} // namespace dbfquery::testing
