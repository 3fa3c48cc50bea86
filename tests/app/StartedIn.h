#pragma once

#include <QDir>
#include <QString>

namespace dbfquery::app {

// The program takes its folder, and so the query base, from the working
// directory at start: tests start the window in a folder of their own.
class StartedIn {
public:
    explicit StartedIn(const QString& folder) : m_previous(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~StartedIn() { QDir::setCurrent(m_previous); }
    StartedIn(const StartedIn&) = delete;
    StartedIn& operator=(const StartedIn&) = delete;

private:
    QString m_previous;
};

} // namespace dbfquery::app
