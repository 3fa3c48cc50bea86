#include "app/TApplication.h"
#include "app/TfMain.h"
#include "support/QtDialogService.h"

// The program reads no command line: arguments are Qt's own.
int main(int argc, char** argv) {
    dbfquery::app::TApplication application(argc, argv);
    dbfquery::support::QtDialogService dialogs;
    dbfquery::support::ScopedDialogService installed(dialogs);

    dbfquery::app::TfMain fMain;
    fMain.showMaximized();
    return application.exec();
}
