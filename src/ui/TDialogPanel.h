#pragma once

#include <QDialog>

class QPushButton;

namespace dbfquery::ui {

// A dialog the main window keeps for the whole run: shown modally as a
// window of its own, centred on its owner, a fixed client size, no close box
// or system menu. Its controls keep their contents between showings.
// Answers: OK gives 1 (the default button, Enter), Cancel gives 2 (Esc).
class TDialogPanel : public QDialog {
    Q_OBJECT
public:
    static constexpr int mrOk = 1;
    static constexpr int mrCancel = 2;

    TDialogPanel(const QString& caption, QSize clientSize, QWidget* owner);

    // Shows the dialog modally and returns its answer.
    int ShowModal();

    // Adds the OK or Cancel button at a design position (pixels).
    QPushButton* addOkButton(QPoint at, QSize size = QSize(75, 25));
    QPushButton* addCancelButton(QPoint at, QSize size = QSize(75, 25));

    // The control that has the focus when the dialog opens.
    void setFirstFocus(QWidget* control) { m_firstFocus = control; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* m_firstFocus = nullptr;
};

} // namespace dbfquery::ui
