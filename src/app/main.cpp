#include "app/TApplication.h"
#include "app/TfMain.h"
#include "support/QtDialogService.h"

#include <QScreen>

// The program reads no command line: arguments are Qt's own.
int main(int argc, char** argv) {
    dbfquery::app::TApplication application(argc, argv);
    dbfquery::support::QtDialogService dialogs;
    dbfquery::support::ScopedDialogService installed(dialogs);

    dbfquery::app::TfMain fMain;
    // Without a window manager (a bare X server) maximising does nothing:
    // fill the screen first, so the window is as large either way.
    fMain.setGeometry(fMain.screen()->availableGeometry());
    fMain.showMaximized();
    return application.exec();
}
