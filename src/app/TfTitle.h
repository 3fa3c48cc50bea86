#pragma once

#include "ui/TDialogPanel.h"

class QAction;
class QLineEdit;
class QPushButton;

namespace dbfquery::app {

// The report-title dialog: the title edit and a button that runs the print
// command (its answer is 4) while the dialog is still up. The title stays
// for the next showing.
class TfTitle : public ui::TDialogPanel {
    Q_OBJECT
public:
    static constexpr int mrPrint = 4;

    TfTitle(QAction* printCommand, QWidget* owner);

    QString TitleText() const;

private:
    QLineEdit* m_titleText;
    QPushButton* BitBtn1;
};

} // namespace dbfquery::app
