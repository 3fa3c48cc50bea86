#pragma once

#include <QColor>
#include <QFlags>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace dbfquery::support {

class SearchAnimation;

// What the wait window shows besides its message.
enum TWaitOption : unsigned char {
    woCancelButton = 1, // "Отмена (Esc)": asks "Прервать операцию?", sets Cancelled
    woAnimation = 2,    // the search animation, playing in a loop
    woProgressBar = 4,  // a bar at 0 that nothing advances
    woStaticLabel = 8,  // "Пожалуйста, подождите"
};
Q_DECLARE_FLAGS(TWaitOptions, TWaitOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TWaitOptions)

// The small window in front of the program while a long operation runs. It
// is not modal: every other window of the program is disabled while it is
// up. The user cannot close it (no close box, Alt+F4 and the window
// manager's close are refused); Cancel only sets Cancelled, the caller stops.
// Created by ShowWaitForm, destroyed by CloseWaitForm. GUI thread only.
// Geometry in pixels, client coordinates.
class TWaitForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int DesignClientWidth = 384;
    static constexpr int DesignClientHeight = 123;

    // Use ShowWaitForm; the window built here is hidden and not arranged.
    explicit TWaitForm(TWaitOptions options);
    ~TWaitForm() override;

    // Lays the window out for its message and options (see ShowWaitForm).
    void Arrange();
    // Switches the message between its two colours (window text, tooltip
    // background). Throws UserError "Неверный цвет формы ожидания" when the
    // message has neither.
    void Blink();
    // The Cancel button and Esc: asks "Прервать операцию?" (default No); Yes
    // sets Cancelled. The window stays open either way.
    void CancelButtonClick();

    // True once the user confirmed the cancel question.
    bool Cancelled() const { return m_cancelled; }
    // The window that was active when this one was shown; may be empty.
    QWidget* PrevActiveForm() const { return m_prevActiveForm; }

    void setMessage(const QString& message) { m_message = message; }
    // The message as laid out: a space after every "+" and ",".
    QString message() const { return m_shownMessage; }
    bool messageWrapped() const;
    QColor messageColour() const;
    TWaitOptions options() const { return m_options; }

    QLabel* WaitLabel() const { return m_waitLabel; }
    SearchAnimation* WaitAnimate() const { return m_waitAnimate; }
    QProgressBar* WaitProgressBar() const { return m_waitProgressBar; }
    QPushButton* CancelButton() const { return m_cancelButton; }
    QLabel* StaticLabel() const { return m_staticLabel; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend TWaitForm* ShowWaitForm(const QString&, const QString&, TWaitOptions);

    void setMessageColour(const QColor& colour);
    QColor firstColour() const;
    QColor secondColour() const;

    TWaitOptions m_options;
    bool m_cancelled = false;
    QPointer<QWidget> m_prevActiveForm;
    QString m_message;
    QString m_shownMessage;
    QLabel* m_waitLabel;
    SearchAnimation* m_waitAnimate;
    QProgressBar* m_waitProgressBar;
    QPushButton* m_cancelButton;
    QLabel* m_staticLabel;
};

// Shows the wait window with `message` (a carriage return breaks the line)
// and returns it; the caller must pass it to CloseWaitForm, also on failure.
// An empty caption gives the application title, followed by " (" + the
// active window's caption + ")" when a window was active. Every other window
// of the program is disabled. GUI thread only.
TWaitForm* ShowWaitForm(const QString& message, const QString& caption, TWaitOptions options);

// Enables every window of the program again (also ones disabled before the
// wait window came), gives the focus back to the window that was active
// when it was shown, and destroys it. Null does nothing. GUI thread only.
void CloseWaitForm(TWaitForm* form);

// Owns a shown wait window and closes it with CloseWaitForm when it goes.
struct WaitFormCloser {
    void operator()(TWaitForm* form) const { CloseWaitForm(form); }
};
using ScopedWaitForm = std::unique_ptr<TWaitForm, WaitFormCloser>;

inline ScopedWaitForm showScopedWaitForm(const QString& message, const QString& caption,
                                         TWaitOptions options) {
    return ScopedWaitForm(ShowWaitForm(message, caption, options));
}

} // namespace dbfquery::support
