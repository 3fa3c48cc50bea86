// The main window's run command and the result grid's totals.
#include "app/TfMain.h"

#include "app/ResultSetModel.h"
#include "support/ErrorBox.h"
#include "support/MessageDialogs.h"
#include "support/RunWithWaitWindow.h"
#include "support/TWaitForm.h"
#include "ui/TDataGrid.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QScopeGuard>
#include <QLineEdit>

namespace dbfquery::app {

void TfMain::actRunSqlExecute() {
    m_running = true;
    const auto notRunning = qScopeGuard([this] { m_running = false; });
    const auto wait = support::showScopedWaitForm(QStringLiteral("Выполняю Ваш запрос..."),
                                                  QStringLiteral("Ждите!"), support::woAnimation);
    try {
        Con.setConnected(false);
        Con.setDefaultDatabase(Path->text());
        Sql.clearSqlShablon();
        QCoreApplication::processEvents();
        Sql.setSqlShablon(sqlLines());
        m_resultModel->setResult(openResult());
        // Only the open touches the connection; the window stays painted and
        // every other window is disabled meanwhile.
        support::runWhileWaiting<void>([this] { Sql.Open(); });
        m_resultModel->setResult(openResult());
        Grid->setFooterValueType(0, ui::fvtCount);
        for (int column = 0; column < Grid->columnCount(); ++column)
            Grid->setTitleAlignment(column, Qt::AlignCenter);
    } catch (const std::exception& failure) {
        support::Inform(QStringLiteral("Ошибка при выполнении запроса\r") +
                            support::failureMessage(failure),
                        QString());
        Con.setConnected(false);
        m_resultModel->setResult(openResult());
    }
}

void TfMain::closeEvent(QCloseEvent* event) {
    if (m_running)
        event->ignore();
    else
        QMainWindow::closeEvent(event);
}

std::shared_ptr<const data::ResultSet> TfMain::openResult() const {
    return Sql.Active() ? Sql.Result() : nullptr;
}

void TfMain::GridTitleClick(int column) {
    if (!Grid->isNumericColumn(column))
        return;
    Grid->setSumListActive(false);
    Grid->setFooterValueType(column, ui::fvtSum);
    Grid->setSumListActive(true);
}

} // namespace dbfquery::app
