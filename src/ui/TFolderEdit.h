#pragma once

#include <QLineEdit>

namespace dbfquery::ui {

// A folder path edit with a browse button at its right end. The button opens
// the folder picker at the typed folder (at the root when the edit is empty
// or names no existing folder); a chosen folder replaces the text. The text
// keeps the case typed: folder names are case-sensitive here.
class TFolderEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TFolderEdit(QWidget* parent = nullptr);

    // What the browse button does; a failure reaches the standard error box.
    void Browse();

    QAction* browseAction() const { return m_browse; }

private:
    QAction* m_browse;
};

} // namespace dbfquery::ui
