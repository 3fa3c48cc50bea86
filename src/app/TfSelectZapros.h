#pragma once

#include "ui/TDialogPanel.h"

class QComboBox;
class QLineEdit;

namespace dbfquery::app {

class TQueryBase;

// Completes the edit's text to the first entry, in the base's order, whose
// name begins with it (ignoring case): that entry becomes current, the edit
// shows its name without surrounding blanks, with the completed tail
// selected. False, and nothing changed, when no entry matches.
bool LocateAndComplete(TQueryBase& base, QLineEdit& edit);

// The query-name dialog shared by saving and loading: the base's names in a
// drop-down list and a name edit with type-ahead. Its caption is set by the
// calling command before each showing; the name typed stays for the next.
class TfSelectZapros : public ui::TDialogPanel {
    Q_OBJECT
public:
    TfSelectZapros(TQueryBase& base, QWidget* owner);

    // Refreshes the list from the base and shows the dialog modally.
    int ShowFor(const QString& caption);

    QString NameText() const;
    void setNameText(const QString& name);

    // After every key released in the name edit.
    void NameSqlKeyUp();
    // The drop-down list closed; accepted when the user chose a name.
    void lCmbNameCloseUp(bool accepted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCurrentInList();

    TQueryBase& m_base;
    QLineEdit* NameSql;
    QComboBox* lCmbName;
};

} // namespace dbfquery::app
