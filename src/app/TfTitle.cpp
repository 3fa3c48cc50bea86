#include "app/TfTitle.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace dbfquery::app {

TfTitle::TfTitle(QAction* printCommand, QWidget* owner)
    : TDialogPanel(QStringLiteral("Заголовок отчета"), QSize(541, 77), owner) {
    BitBtn1 = new QPushButton(printCommand->icon(), printCommand->text(), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(80, 44, 213, 26);
    BitBtn1->setEnabled(printCommand->isEnabled());
    connect(printCommand, &QAction::changed, BitBtn1,
            [this, printCommand] { BitBtn1->setEnabled(printCommand->isEnabled()); });
    // The answer is set first; the dialog closes when the command returns.
    connect(BitBtn1, &QPushButton::clicked, this, [this, printCommand] {
        setResult(mrPrint);
        printCommand->trigger();
        done(mrPrint);
    });
    QPushButton* cancel = addCancelButton({404, 46});

    m_titleText = new QLineEdit(this);
    m_titleText->setObjectName(QStringLiteral("TitleText"));
    m_titleText->setGeometry(8, 12, 525, 21);

    setTabOrder(BitBtn1, cancel);
    setTabOrder(cancel, m_titleText);
    setFirstFocus(BitBtn1);
}

QString TfTitle::TitleText() const { return m_titleText->text(); }

} // namespace dbfquery::app
