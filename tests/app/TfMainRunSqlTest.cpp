#include "StartedIn.h"
#include "app/TfMain.h"
#include "data/DbfBuilder.h"
#include "support/ScriptedDialogs.h"
#include "support/TWaitForm.h"
#include "ui/TDataGrid.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace dbfquery::app {
namespace {

using testing::buildDbf;

QByteArray peopleTable() {
    return buildDbf(0x03, {{"NAME", 'C', 10}, {"AGE", 'N', 3}, {"SALARY", 'N', 8, 2}},
                    {QByteArray(" Ivan       34    1.25"), QByteArray(" Anna       28    2.50"),
                     QByteArray(" Petr       45        "), QByteArray("*Gone       99   99.00")});
}

class RunningAQuery : public ::testing::Test {
protected:
    void SetUp() override {
        QFile table(dir.filePath("People.DBF"));
        ASSERT_TRUE(table.open(QIODevice::WriteOnly));
        table.write(peopleTable());
        table.close();
        window = std::make_unique<TfMain>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        grid = window->findChild<ui::TDataGrid*>(QStringLiteral("Grid"));
        ASSERT_NE(grid, nullptr);
    }

    void run(const QStringList& lines) {
        window->setSqlLines(lines);
        window->actRunSqlExecute();
    }

    bool waitWindowUp() const {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (qobject_cast<support::TWaitForm*>(top) && top->isVisible())
                return true;
        return false;
    }

    QTemporaryDir dir;
    StartedIn startedIn{dir.path()};
    testing::ScriptedDialogs dialogs;
    std::unique_ptr<TfMain> window;
    ui::TDataGrid* grid = nullptr;
};

TEST_F(RunningAQuery, ShowsOneColumnPerFieldAndCountsTheRows) {
    run({"select name, age,", "  salary from people"});
    EXPECT_TRUE(dialogs.messages().empty());
    ASSERT_NE(window->openResult(), nullptr);
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->footerValueType(0), ui::fvtCount);
    EXPECT_EQ(grid->footerText(0), QStringLiteral("3"));
    EXPECT_FALSE(waitWindowUp());
}

TEST_F(RunningAQuery, ANumericTitleClickSumsItsColumnAndTheNextRunDropsTheSums) {
    run({"select name, salary from people"});
    window->GridTitleClick(0);
    EXPECT_EQ(grid->footerValueType(0), ui::fvtCount) << "a text column has no sum";
    window->GridTitleClick(1);
    EXPECT_EQ(grid->footerValueType(1), ui::fvtSum);
    EXPECT_EQ(grid->footerText(1).replace(u',', u'.'), QStringLiteral("3.75"));

    run({"select name, salary from people where age > 30"});
    EXPECT_EQ(grid->footerValueType(1), ui::fvtNon);
    EXPECT_EQ(grid->footerText(0), QStringLiteral("2"));
}

TEST_F(RunningAQuery, AnEmptyResultCountsZero) {
    run({"select * from people where age > 1000"});
    EXPECT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->footerText(0), QStringLiteral("0"));
}

TEST_F(RunningAQuery, ClosingTheWindowIsRefusedWhileAQueryRuns) {
    bool closeTried = false;
    QTimer probe;
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!waitWindowUp() || closeTried)
            return;
        closeTried = true;
        EXPECT_FALSE(window->close());
    });
    probe.start();
    run({"with recursive c(x) as (select 1 union all select x + 1 from c where x < 300000)",
         "select count(*) from c"});
    EXPECT_TRUE(closeTried);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->close());
}

struct FailureCase {
    const char* name;
    QString folder; // empty: the fixture's
    QStringList lines;
    QString messagePart;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class FailedRun : public RunningAQuery, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailedRun, IsReportedInOneBoxAndLeavesNoResult) {
    run({"select name from people"});
    if (!GetParam().folder.isEmpty())
        window->findChild<QLineEdit*>(QStringLiteral("Path"))->setText(GetParam().folder);
    run(GetParam().lines);
    const auto shown = dialogs.messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, support::MessageKind::Information);
    EXPECT_EQ(shown[0].caption, QString());
    EXPECT_TRUE(shown[0].text.startsWith(QStringLiteral("Ошибка при выполнении запроса\r")))
        << shown[0].text.toStdString();
    EXPECT_TRUE(shown[0].text.contains(GetParam().messagePart)) << shown[0].text.toStdString();
    EXPECT_EQ(window->openResult(), nullptr);
    EXPECT_EQ(grid->columnCount(), 0);
    EXPECT_FALSE(waitWindowUp());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailedRun,
    ::testing::Values(
        FailureCase{"MissingTable", "", {"select * from nowhere"}, "NOWHERE"},
        FailureCase{"SyntaxError", "", {"select from from"}, "FROM"},
        FailureCase{"MissingFolder", "/no/such/folder", {"select * from people"}, "/no/such/folder"},
        FailureCase{"NoRowSet", "", {"create temp table scratch (a)"},
                    "Sql: CommandText does not return a result set"}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace dbfquery::app
