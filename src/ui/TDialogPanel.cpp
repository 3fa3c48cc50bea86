#include "ui/TDialogPanel.h"

#include <QPushButton>
#include <QShowEvent>

namespace dbfquery::ui {

TDialogPanel::TDialogPanel(const QString& caption, QSize clientSize, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(caption);
    setFixedSize(clientSize);
    setModal(true);
}

int TDialogPanel::ShowModal() {
    if (QWidget* owner = parentWidget())
        move(owner->frameGeometry().center() - rect().center());
    return exec();
}

QPushButton* TDialogPanel::addOkButton(QPoint at, QSize size) {
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(QRect(at, size));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(mrOk); });
    return ok;
}

QPushButton* TDialogPanel::addCancelButton(QPoint at, QSize size) {
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setGeometry(QRect(at, size));
    connect(cancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    return cancel;
}

// Esc and the window manager's close answer Cancel.
void TDialogPanel::reject() { done(mrCancel); }

void TDialogPanel::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_firstFocus)
        m_firstFocus->setFocus(Qt::OtherFocusReason);
}

} // namespace dbfquery::ui
