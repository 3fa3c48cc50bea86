#pragma once

#include <QApplication>

namespace dbfquery::app {

// The application object. It is the one top-level place that catches a
// failure a command handler lets through: the failure is shown in the
// standard error box and the program goes on.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace dbfquery::app
