#include "app/TfListDeleteSql.h"

#include "app/TQueryBase.h"

#include <QListWidget>
#include <QPushButton>

namespace dbfquery::app {

TfListDeleteSql::TfListDeleteSql(TQueryBase& base, QWidget* owner)
    : TDialogPanel(QStringLiteral("Выбор запроса для удаления"), QSize(298, 138), owner),
      m_base(base) {
    DeleteGrid = new QListWidget(this);
    DeleteGrid->setObjectName(QStringLiteral("DeleteGrid"));
    DeleteGrid->setGeometry(0, 0, 298, 105);
    DeleteGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    DeleteGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);

    QPushButton* ok = addOkButton({52, 108});
    QPushButton* cancel = addCancelButton({182, 108});
    setTabOrder(ok, cancel);
    setTabOrder(cancel, DeleteGrid);
    setFirstFocus(ok);

    connect(DeleteGrid, &QListWidget::currentRowChanged, this,
            [this](int row) { m_base.setCurrent(row); });
}

int TfListDeleteSql::ShowForBase() {
    {
        const QSignalBlocker quiet(DeleteGrid);
        DeleteGrid->clear();
        DeleteGrid->addItems(m_base.names());
        DeleteGrid->setCurrentRow(m_base.current());
    }
    return ShowModal();
}

} // namespace dbfquery::app
