#include "app/TApplication.h"

#include "support/ErrorBox.h"

namespace dbfquery::app {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QStringLiteral("dbfquery"));
    setApplicationName(QStringLiteral("dbfquery"));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    support::runCommand([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace dbfquery::app
