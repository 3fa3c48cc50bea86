#include "ui/TFolderEdit.h"

#include "support/DialogService.h"
#include "support/ErrorBox.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace dbfquery::ui {

TFolderEdit::TFolderEdit(QWidget* parent) : QLineEdit(parent) {
    m_browse = addAction(style()->standardIcon(QStyle::SP_DirOpenIcon), QLineEdit::TrailingPosition);
    m_browse->setToolTip(QStringLiteral("Выбрать папку"));
    connect(m_browse, &QAction::triggered, this, [this] { support::runCommand([this] { Browse(); }); });
}

void TFolderEdit::Browse() {
    const QFileInfo typed(text());
    const QString start = !text().isEmpty() && typed.isDir() ? typed.absoluteFilePath() : QDir::rootPath();
    if (const auto chosen = support::dialogs().existingFolder(QStringLiteral("Выбор папки"), start))
        setText(QDir::toNativeSeparators(*chosen));
}

} // namespace dbfquery::ui
