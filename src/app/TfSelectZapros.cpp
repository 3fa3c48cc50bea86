#include "app/TfSelectZapros.h"

#include "app/TQueryBase.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dbfquery::app {

bool LocateAndComplete(TQueryBase& base, QLineEdit& edit) {
    const QString typed = edit.text();
    const int found = base.findPrefix(typed);
    if (found < 0)
        return false;
    base.setCurrent(found);
    const QString name = base.entry(found).Name.trimmed();
    edit.setText(name);
    const int start = static_cast<int>(std::min(typed.size(), name.size()));
    if (name.size() > start)
        edit.setSelection(start, static_cast<int>(name.size()) - start);
    else
        edit.setCursorPosition(static_cast<int>(name.size()));
    return true;
}

TfSelectZapros::TfSelectZapros(TQueryBase& base, QWidget* owner)
    : TDialogPanel(QStringLiteral("Вывор (определение) имени запроса"), QSize(548, 129), owner),
      m_base(base) {
    NameSql = new QLineEdit(this);
    NameSql->setObjectName(QStringLiteral("NameSql"));
    NameSql->setGeometry(8, 60, 527, 21);
    NameSql->installEventFilter(this);

    lCmbName = new QComboBox(this);
    lCmbName->setObjectName(QStringLiteral("lCmbName"));
    lCmbName->setGeometry(8, 18, 529, 21);

    QPushButton* ok = addOkButton({356, 94});
    QPushButton* cancel = addCancelButton({448, 94});
    setTabOrder(NameSql, lCmbName);
    setTabOrder(lCmbName, ok);
    setTabOrder(ok, cancel);
    setFirstFocus(NameSql);

    (new QLabel(QStringLiteral("Список запросов"), this))->move(8, 4);
    (new QLabel(QStringLiteral("Наименование запроса"), this))->move(8, 44);

    connect(lCmbName, &QComboBox::activated, this, [this] { lCmbNameCloseUp(true); });
}

int TfSelectZapros::ShowFor(const QString& caption) {
    setWindowTitle(caption);
    lCmbName->clear();
    lCmbName->addItems(m_base.names());
    showCurrentInList();
    return ShowModal();
}

QString TfSelectZapros::NameText() const { return NameSql->text(); }

void TfSelectZapros::setNameText(const QString& name) { NameSql->setText(name); }

void TfSelectZapros::NameSqlKeyUp() {
    if (LocateAndComplete(m_base, *NameSql))
        showCurrentInList();
}

void TfSelectZapros::lCmbNameCloseUp(bool accepted) {
    if (!accepted)
        return;
    m_base.setCurrent(lCmbName->currentIndex());
    NameSql->setText(m_base.currentEntry().Name);
    NameSql->setFocus();
}

void TfSelectZapros::showCurrentInList() {
    const QSignalBlocker quiet(lCmbName);
    lCmbName->setCurrentIndex(m_base.current());
}

bool TfSelectZapros::eventFilter(QObject* watched, QEvent* event) {
    if (watched == NameSql && event->type() == QEvent::KeyRelease)
        NameSqlKeyUp();
    return TDialogPanel::eventFilter(watched, event);
}

} // namespace dbfquery::app
