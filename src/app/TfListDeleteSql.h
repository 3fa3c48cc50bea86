#pragma once

#include "ui/TDialogPanel.h"

class QListWidget;

namespace dbfquery::app {

class TQueryBase;

// The dialog that picks the query to delete: the base's names in one
// read-only column; moving in it makes that entry current.
class TfListDeleteSql : public ui::TDialogPanel {
    Q_OBJECT
public:
    TfListDeleteSql(TQueryBase& base, QWidget* owner);

    // Refreshes the list from the base and shows the dialog modally.
    int ShowForBase();

private:
    TQueryBase& m_base;
    QListWidget* DeleteGrid;
};

} // namespace dbfquery::app
