#include "StartedIn.h"
#include "app/TfMain.h"
#include "data/DbfBuilder.h"
#include "support/ModalDriver.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

namespace dbfquery::app {
namespace {

struct CommandRow {
    const char* name;
    QString caption;
    QString hint;
    QKeySequence shortcut;
    friend void PrintTo(const CommandRow& c, std::ostream* os) { *os << c.name; }
};

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TfMain>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QAction* action(const char* name) { return window->findChild<QAction*>(QLatin1String(name)); }

    QStringList menuItems(const QString& title) {
        for (QAction* top : window->menuBar()->actions())
            if (top->text() == title) {
                QStringList items;
                for (QAction* item : top->menu()->actions())
                    items << (item->isSeparator() ? QStringLiteral("-") : item->objectName());
                return items;
            }
        return {};
    }

    QTemporaryDir dir;
    StartedIn startedIn{dir.path()};
    testing::ScriptedDialogs dialogs;
    std::unique_ptr<TfMain> window;
};

class CommandTable : public Commands, public ::testing::WithParamInterface<CommandRow> {};

TEST_P(CommandTable, HasItsCaptionHintAndShortCut) {
    QAction* command = action(GetParam().name);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->text(), GetParam().caption);
    EXPECT_EQ(command->toolTip(), GetParam().hint.isEmpty() ? command->text() : GetParam().hint);
    EXPECT_EQ(command->shortcut(), GetParam().shortcut);
    EXPECT_FALSE(command->icon().isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Actions, CommandTable,
    ::testing::Values(
        CommandRow{"actRunSql", "Выполнить запрос", "Выполнить запрос", QKeySequence(Qt::Key_F9)},
        CommandRow{"actPrintSql", "Печать запроса", "Печать запроса", {}},
        CommandRow{"actSaveSqlToFile", "Сохранить запрос в файл", "Сохранить запрос в файл", {}},
        CommandRow{"actLoadSqlOnFile", "Загрузить запрос из файла", "Загрузить запрос из файла", {}},
        CommandRow{"actSaveSqlToDb", "Сохранить запрос в базе", "Сохранить запрос в базе", {}},
        CommandRow{"actLoadSqlOnDb", "Загрузить запрос из базы", "Загрузить запрос из базы", {}},
        CommandRow{"actExit", "actExit", "", {}},
        CommandRow{"actCreateTitle", "actCreateTitle", "", {}},
        CommandRow{"actDelSqlOnDB", "Удалить запрос из базы", "Удалить запрос из базы", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Commands, MenusListTheCommandsInTheirOrder) {
    EXPECT_EQ(menuItems("Файл"),
              (QStringList{"actLoadSqlOnFile", "actSaveSqlToFile", "-", "actLoadSqlOnDb",
                           "actSaveSqlToDb", "actDelSqlOnDB", "-", "actExit"}));
    EXPECT_EQ(menuItems("Запрос"), (QStringList{"actRunSql", "actPrintSql"}));
}

TEST_F(Commands, ToolBarButtonsComeInTheirOrder) {
    auto* bar = window->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    ASSERT_NE(bar, nullptr);
    QStringList buttons;
    for (QAction* item : bar->actions())
        if (!item->objectName().isEmpty())
            buttons << item->objectName();
    EXPECT_EQ(buttons, (QStringList{"actRunSql", "actCreateTitle", "actSaveSqlToFile", "actLoadSqlOnFile",
                                    "actSaveSqlToDb", "actLoadSqlOnDb", "actDelSqlOnDB"}));
}

TEST_F(Commands, PrintingBeforeAnyRunSaysThereIsNothingToPrint) {
    action("actCreateTitle")->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].kind, support::MessageKind::Information);
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Сообщение."));
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("Печатать то нечего !"));
}

TEST_F(Commands, AfterARunThePrintButtonOpensTheTitleDialogKeepingItsTitle) {
    QFile table(dir.filePath("t.dbf"));
    ASSERT_TRUE(table.open(QIODevice::WriteOnly));
    table.write(testing::buildDbf(0x03, {{"A", 'N', 3}}, {QByteArray("  1")}));
    table.close();
    window->setSqlLines({QStringLiteral("select a from t")});
    action("actRunSql")->trigger();
    ASSERT_TRUE(dialogs.messages().empty());

    testing::whenModalShows<QDialog>([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Заголовок отчета"));
        dialog->findChild<QLineEdit*>(QStringLiteral("TitleText"))->setText(QStringLiteral("Отчет"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    action("actCreateTitle")->trigger();
    testing::whenModalShows<QDialog>([](QDialog* dialog) {
        EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("TitleText"))->text(),
                  QStringLiteral("Отчет"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    action("actCreateTitle")->trigger();
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(Commands, F9RunsTheQueryFromTheEditor) {
    window->setSqlLines({QStringLiteral("select * from missing")});
    QWidget* editor = window->findChild<QWidget*>(QStringLiteral("SqlText"));
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_F9);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith(QStringLiteral("Ошибка при выполнении запроса")));
}

} // namespace
} // namespace dbfquery::app
