#include "support/TWaitForm.h"

#include "support/ApplicationTitle.h"
#include "support/DesignFont.h"
#include "support/DialogService.h"
#include "support/QtLineBreaks.h"
#include "support/SearchAnimation.h"
#include "support/UserError.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace dbfquery::support {

namespace {

constexpr int LabelMargin = 20; // 10 pixels on each side of the message
constexpr int StaticLabelDesignWidth = 383;

int halfScreenWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() / 2 : 400;
}

// Long lists and concatenations may break after these characters.
QString withBreakSpaces(const QString& message) {
    QString spaced;
    spaced.reserve(message.size() + 8);
    for (const QChar ch : message) {
        spaced += ch;
        if (ch == u'+' || ch == u',')
            spaced += u' ';
    }
    return spaced;
}

void hideWithNoHeight(QWidget* control) {
    control->hide();
    control->resize(control->width(), 0);
}

} // namespace

TWaitForm::TWaitForm(TWaitOptions options)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_options(options),
      m_waitLabel(new QLabel(this)),
      m_waitAnimate(new SearchAnimation(this)),
      m_waitProgressBar(new QProgressBar(this)),
      m_cancelButton(new QPushButton(QStringLiteral("Отмена (Esc)"), this)),
      m_staticLabel(new QLabel(QStringLiteral("Пожалуйста, подождите"), this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setFont(designFont(11));
    setFixedSize(DesignClientWidth, DesignClientHeight);

    m_waitLabel->setFont(designFont(11));
    m_waitLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_waitLabel->setTextFormat(Qt::PlainText);
    m_waitLabel->setGeometry(0, 1, 48, 13);
    m_waitAnimate->setGeometry(-1, 15, 385, 43);
    m_waitProgressBar->setGeometry(6, 58, 370, 16);
    m_waitProgressBar->setRange(0, 100);
    m_waitProgressBar->setValue(0);
    m_waitProgressBar->setTextVisible(false);
    m_cancelButton->setGeometry(138, 74, 105, 29);
    m_staticLabel->setGeometry(1, 103, 383, 18);
    m_staticLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_staticLabel->setFont(designFont(13, true));
    setTabOrder(m_cancelButton, m_waitProgressBar);
    connect(m_cancelButton, &QPushButton::clicked, this, &TWaitForm::CancelButtonClick);

    if (options & woCancelButton)
        m_cancelButton->show();
    else
        hideWithNoHeight(m_cancelButton);
    if (options & woAnimation) {
        m_waitAnimate->show();
        m_waitAnimate->play();
    } else {
        hideWithNoHeight(m_waitAnimate);
    }
    if (options & woProgressBar)
        m_waitProgressBar->show();
    else
        hideWithNoHeight(m_waitProgressBar);
    if (options & woStaticLabel)
        m_staticLabel->show();
    else
        hideWithNoHeight(m_staticLabel);
    setMessageColour(firstColour());
}

TWaitForm::~TWaitForm() = default;

QColor TWaitForm::firstColour() const { return QApplication::palette().color(QPalette::WindowText); }

QColor TWaitForm::secondColour() const {
    return QApplication::palette().color(QPalette::ToolTipBase);
}

QColor TWaitForm::messageColour() const { return m_waitLabel->palette().color(QPalette::WindowText); }

void TWaitForm::setMessageColour(const QColor& colour) {
    QPalette palette = m_waitLabel->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_waitLabel->setPalette(palette);
}

bool TWaitForm::messageWrapped() const { return m_waitLabel->wordWrap(); }

void TWaitForm::Arrange() {
    const int W = halfScreenWidth();
    const int limit = std::max(1, W - LabelMargin);

    m_shownMessage = withBreakSpaces(m_message);
    const QString text = qtLineBreaks(m_shownMessage);
    m_waitLabel->setText(text);

    // The label sizes itself to its text; wrapped, only its height follows.
    const QFontMetrics metrics(m_waitLabel->font());
    const QSize natural = metrics.size(0, text);
    int labelWidth = natural.width();
    int labelHeight = natural.height();
    bool wrap = false;
    if (labelWidth + LabelMargin >= W) {
        labelWidth = limit;
        wrap = true;
        const QRect wrapped =
            metrics.boundingRect(QRect(0, 0, limit, 1 << 20), Qt::TextWordWrap | Qt::AlignHCenter, text);
        labelHeight = wrapped.height();
        // A word longer than the line: one line, cut off at the limit.
        if (std::max(labelWidth, wrapped.width()) + LabelMargin > W) {
            wrap = false;
            labelWidth = limit;
            labelHeight = natural.height();
        }
    }
    m_waitLabel->setWordWrap(wrap);

    int clientWidth = DesignClientWidth;
    int labelLeft = 10;
    if (labelWidth + LabelMargin < StaticLabelDesignWidth)
        labelLeft = (DesignClientWidth - labelWidth) / 2;
    else
        clientWidth = labelWidth + LabelMargin;

    const int labelTop = 10;
    m_waitLabel->setGeometry(labelLeft, labelTop, labelWidth, labelHeight);
    setMessageColour(firstColour());

    auto placeAt = [](QWidget* control, int top) {
        control->setGeometry(control->x(), top, control->width(), control->height());
    };
    placeAt(m_waitAnimate, labelTop + labelHeight + 10);
    placeAt(m_waitProgressBar, m_waitAnimate->y() + m_waitAnimate->height());
    const int belowBar = m_waitProgressBar->y() + m_waitProgressBar->height();
    if (!m_cancelButton->isHidden()) {
        placeAt(m_cancelButton, belowBar + 5);
        placeAt(m_staticLabel, m_cancelButton->y() + m_cancelButton->height() + 5);
    } else {
        placeAt(m_staticLabel, belowBar);
    }
    setFixedSize(clientWidth, m_staticLabel->y() + m_staticLabel->height());
}

void TWaitForm::Blink() {
    const QColor current = messageColour();
    if (current == firstColour())
        setMessageColour(secondColour());
    else if (current == secondColour())
        setMessageColour(firstColour());
    else
        throw UserError(QStringLiteral("Неверный цвет формы ожидания"));
}

void TWaitForm::CancelButtonClick() {
    const Answer answer = dialogs().showMessage(
        {MessageKind::QuestionDefaultNo, QStringLiteral("Прервать операцию?"), applicationTitle()});
    if (answer == Answer::Yes)
        m_cancelled = true;
}

bool TWaitForm::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // Paint fully as soon as the window becomes active.
    if (event->type() == QEvent::WindowActivate)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return handled;
}

void TWaitForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4 && (event->modifiers() & Qt::AltModifier)) {
        event->accept();
        return;
    }
    // Esc presses the Cancel button, but only one the user can see.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (!m_cancelButton->isHidden() && m_cancelButton->isEnabled())
            m_cancelButton->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TWaitForm::closeEvent(QCloseEvent* event) {
    // Only CloseWaitForm ends the window, and it destroys it without a close.
    event->ignore();
}

TWaitForm* ShowWaitForm(const QString& message, const QString& caption, TWaitOptions options) {
    QWidget* active = QApplication::activeWindow();
    auto* form = new TWaitForm(options);
    form->m_prevActiveForm = active;
    form->setMessage(message);

    QString title = caption;
    if (title.isEmpty()) {
        title = applicationTitle();
        if (active)
            title += QStringLiteral(" (") + active->windowTitle() + u')';
    }
    form->setWindowTitle(title);
    form->Arrange();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        form->move(area.center() - QPoint(form->width() / 2, form->height() / 2));
    }
    form->show();
    form->repaint();

    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        if (window != form)
            window->setEnabled(false);
    return form;
}

void CloseWaitForm(TWaitForm* form) {
    if (!form)
        return;
    QWidget* previous = form->PrevActiveForm();
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        window->setEnabled(true);
        if (window == previous && window->isVisible()) {
            window->activateWindow();
        }
    }
    delete form;
}

} // namespace dbfquery::support
