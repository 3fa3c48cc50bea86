#include "support/QtDialogService.h"

#include "support/QtLineBreaks.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace dbfquery::support {

namespace {

// A Yes/No box has no Cancel: neither Esc nor the close box may end it.
class AnswerRequiredBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape)
            return;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (!clickedButton()) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Question:
    case MessageKind::QuestionDefaultNo:
        return QMessageBox::Question;
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

bool isQuestion(MessageKind kind) {
    return kind == MessageKind::Question || kind == MessageKind::QuestionDefaultNo;
}

QWidget* ownerWindow() {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* top : tops)
        if (top->isVisible() && top->isWindow())
            return top;
    return nullptr;
}

} // namespace

Answer QtDialogService::showMessage(const Message& message) {
    QPointer<QWidget> previouslyActive = QApplication::activeWindow();
    const bool question = isQuestion(message.kind);
    AnswerRequiredBox box(ownerWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setIcon(iconOf(message.kind));
    // An empty title must stay empty; a single blank keeps the platform from
    // putting the program's name there.
    box.setWindowTitle(message.caption.isEmpty() ? QStringLiteral(" ") : message.caption);
    box.setText(qtLineBreaks(message.text));
    box.setTextFormat(Qt::PlainText);

    QPushButton* yes = nullptr;
    if (question) {
        yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        box.setDefaultButton(message.kind == MessageKind::Question ? yes : no);
        box.setWindowFlag(Qt::WindowCloseButtonHint, false);
    } else {
        box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    }
    box.exec();

    if (previouslyActive)
        previouslyActive->activateWindow();
    if (!question)
        return Answer::Ok;
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

QString qtFileFilter(const QString& resourceFilter) {
    const QStringList parts = resourceFilter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts[i];
        const QString& pattern = parts[i + 1];
        const QString qtPattern = QString(pattern).replace(u';', u' ');
        entries << (label.contains(u'(') ? label.left(label.indexOf(u'(')).trimmed() : label) +
                       QStringLiteral(" (") + qtPattern + u')';
    }
    return entries.join(QStringLiteral(";;"));
}

namespace {
std::optional<QString> runFileDialog(const FileDialog& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(ownerWindow(), request.title, request.directory, qtFileFilter(request.filter));
    dialog.setAcceptMode(mode);
    // The design's dialogs neither ask about overwriting nor insist that an
    // opened file exists: the commands decide.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
} // namespace

std::optional<QString> QtDialogService::openFileName(const FileDialog& dialog) {
    return runFileDialog(dialog, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogService::saveFileName(const FileDialog& dialog) {
    return runFileDialog(dialog, QFileDialog::AcceptSave);
}

std::optional<QString> QtDialogService::existingFolder(const QString& title, const QString& start) {
    const QString folder = QFileDialog::getExistingDirectory(ownerWindow(), title, start);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

} // namespace dbfquery::support
