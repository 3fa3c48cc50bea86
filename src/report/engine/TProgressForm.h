#pragma once

#include "report/engine/ProgressHost.h"

#include <QDialog>
#include <exception>

class QLabel;
class QPushButton;

namespace dbfquery::report {

// The progress window: centred, no close box, two centred lines (the second
// stays blank) and "Отмена", which Esc also presses. Shown modally; the work
// starts once it is on screen and closes it when done. GUI thread only.
class TProgressForm final : public QDialog, public ProgressHost {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget* parent = nullptr);

    void run(const QString& caption, const QString& firstLine, const std::function<void()>& work,
             const std::function<void()>& cancel) override;
    void setLine(const QString& text) override;

    QString line() const;
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    void reject() override; // Esc presses "Отмена"; the work closes the window

private:
    QLabel* m_line1;
    QLabel* m_line2;
    QPushButton* m_cancel;
    std::function<void()> m_onCancel;
};

} // namespace dbfquery::report
