#include "ResultModel.h"
#include "ui/TDataGrid.h"
#include "ui/TGridFooter.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace dbfquery::ui {
namespace {

using testing::ResultModel;
using Rows = std::vector<std::vector<QVariant>>;

const QVariant Null;

ResultModel people(int rows) {
    Rows data;
    for (int i = 0; i < rows; ++i)
        data.push_back({QStringLiteral("Имя %1").arg(i), i, 0.5 * i});
    return ResultModel({ResultModel::field(QStringLiteral("NAME"), TFieldKind::Other),
                        ResultModel::field(QStringLiteral("AGE"), TFieldKind::Integer),
                        ResultModel::field(QStringLiteral("PAY"), TFieldKind::Float, 15)},
                       std::move(data));
}

// What the workbench does on a title click: sum list off, sum, on.
void askForSum(TDataGrid& grid, int column) {
    grid.setSumListActive(false);
    grid.setFooterValueType(column, fvtSum);
    grid.setSumListActive(true);
}

TEST(DataGrid, MakesOneColumnPerFieldWithCentredTitles) {
    ResultModel model = people(3);
    TDataGrid grid;
    grid.setModel(&model);
    ASSERT_EQ(grid.columnCount(), 3);
    EXPECT_EQ(grid.view()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("AGE"));
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(grid.titleAlignment(column), Qt::AlignCenter);
        EXPECT_EQ(grid.footerValueType(column), fvtNon);
        EXPECT_EQ(grid.footerText(column), QString());
    }
    const QTableView* view = grid.view();
    EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(view->verticalHeader()->isHidden());
    EXPECT_EQ(view->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_EQ(view->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    EXPECT_EQ(view->palette().color(QPalette::Inactive, QPalette::Highlight),
              view->palette().color(QPalette::Active, QPalette::Highlight));
}

TEST(DataGrid, CountsRowsUnderTheFirstColumn) {
    for (const int rows : {0, 1, 125}) {
        ResultModel model = people(rows);
        TDataGrid grid;
        grid.setModel(&model);
        grid.setFooterValueType(0, fvtCount);
        EXPECT_EQ(grid.footerText(0), QString::number(rows));
    }
}

struct SumCase {
    const char* name;
    TFieldKind kind;
    int precision;
    std::vector<QVariant> values;
    const char* expected;
    friend void PrintTo(const SumCase& c, std::ostream* os) { *os << c.name; }
};

class DataGridSum : public ::testing::TestWithParam<SumCase> {};

TEST_P(DataGridSum, SumsTheNonNullValuesAndShowsThemByType) {
    const SumCase& c = GetParam();
    Rows rows;
    for (const QVariant& value : c.values)
        rows.push_back({QStringLiteral("x"), value});
    ResultModel model({ResultModel::field(QStringLiteral("NAME"), TFieldKind::Other),
                       ResultModel::field(QStringLiteral("V"), c.kind, c.precision)},
                      std::move(rows));
    TDataGrid grid;
    grid.setModel(&model);
    askForSum(grid, 1);
    EXPECT_EQ(grid.footerText(1), QString::fromUtf8(c.expected));
    EXPECT_GT(grid.view()->columnWidth(1), QFontMetrics(grid.footer()->font()).horizontalAdvance(grid.footerText(1)))
        << "the total is not cut off";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataGridSum,
    ::testing::Values(
        SumCase{"Integers", TFieldKind::Integer, 0, {1, 2, 3, Null}, "6"},
        SumCase{"NoRows", TFieldKind::Integer, 0, {}, "0"},
        SumCase{"OnlyNulls", TFieldKind::Float, 15, {Null, Null}, "0"},
        SumCase{"FloatsExactInFixedPoint", TFieldKind::Float, 15, {0.1, 0.2, Null}, "0,3"},
        SumCase{"EachAdditionRoundsHalfToEven", TFieldKind::Float, 15, {0.00025, 0.00025}, "0,0004"},
        SumCase{"BelowATenThousandthIsLost", TFieldKind::Float, 15, {0.00005, 0.00005, 0.00005}, "0"},
        SumCase{"FieldPrecision", TFieldKind::Float, 3, {1000.0, 234.5}, "1,23E3"},
        SumCase{"Decimals", TFieldKind::Decimal, 10, {1.25, 2.5005, -0.5}, "3,2505"},
        SumCase{"Currency", TFieldKind::Currency, 0, {1000.5, 234.25}, "1\u00a0234,75\u00a0₽"},
        SumCase{"TextColumnShowsZero", TFieldKind::Other, 0, {1, 2}, "0"},
        SumCase{"HugeFloatsDoNotWrap", TFieldKind::Float, 15, {1e300, 1e300}, "2E300"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DataGrid, SumListOffThenOnRecomputesAndMakesTheFirstRowCurrent) {
    ResultModel model = people(5);
    TDataGrid grid;
    grid.setModel(&model);
    grid.setFooterValueType(0, fvtCount);
    grid.view()->setCurrentIndex(model.index(3, 2));

    grid.setSumListActive(false);
    grid.setFooterValueType(2, fvtSum);
    EXPECT_EQ(grid.footerText(2), QString()) << "nothing is computed while off";
    grid.setSumListActive(true);
    EXPECT_EQ(grid.footerText(2), QStringLiteral("5"));
    EXPECT_EQ(grid.footerText(0), QStringLiteral("5"));
    EXPECT_EQ(grid.view()->currentIndex().row(), 0);

    askForSum(grid, 1);
    askForSum(grid, 1); // a second request changes nothing
    EXPECT_EQ(grid.footerText(1), QStringLiteral("10"));
    EXPECT_EQ(grid.footerText(2), QStringLiteral("5")) << "several sums at once";
}

TEST(DataGrid, ANewResultDropsColumnsAndFooterSettings) {
    ResultModel model = people(4);
    TDataGrid grid;
    grid.setModel(&model);
    grid.setFooterValueType(0, fvtCount);
    askForSum(grid, 2);
    grid.setTitleAlignment(1, Qt::AlignLeft);

    model.reopen({ResultModel::field(QStringLiteral("AMOUNT"), TFieldKind::Decimal),
                  ResultModel::field(QStringLiteral("NOTE"), TFieldKind::Other)},
                 {{1.5, QStringLiteral("a")}});
    ASSERT_EQ(grid.columnCount(), 2);
    for (int column = 0; column < 2; ++column) {
        EXPECT_EQ(grid.footerValueType(column), fvtNon);
        EXPECT_EQ(grid.footerText(column), QString());
        EXPECT_EQ(grid.titleAlignment(column), Qt::AlignCenter);
    }
    EXPECT_EQ(grid.footer()->cells().size(), 2u);

    grid.setModel(nullptr);
    EXPECT_EQ(grid.columnCount(), 0);

    std::unique_ptr<ResultModel> gone(new ResultModel(people(2)));
    grid.setModel(gone.get());
    gone.reset();
    EXPECT_EQ(grid.model(), nullptr);
    EXPECT_EQ(grid.columnCount(), 0);
}

TEST(DataGrid, OtherFooterKinds) {
    ResultModel model = people(4);
    TDataGrid grid;
    grid.setModel(&model);
    grid.setFooterValueType(2, fvtAvg);
    EXPECT_EQ(grid.footerText(2), QStringLiteral("0,75"));
    grid.setFooterStaticText(1, QStringLiteral("Итого:"));
    grid.setFooterValueType(1, fvtStaticText);
    EXPECT_EQ(grid.footerText(1), QStringLiteral("Итого:"));
    grid.setFooterValueType(0, fvtFieldValue);
    EXPECT_EQ(grid.footerText(0), QStringLiteral("Имя 0"));
    grid.view()->setCurrentIndex(model.index(2, 0));
    EXPECT_EQ(grid.footerText(0), QStringLiteral("Имя 2"));
}

TEST(DataGrid, ReportsTitleClicksWithTheColumnAndKnowsNumericFields) {
    ResultModel model({ResultModel::field(QStringLiteral("NAME"), TFieldKind::Other),
                       ResultModel::field(QStringLiteral("AGE"), TFieldKind::Integer),
                       {QStringLiteral("EXPR"), QVariant(), 0}},
                      {{QStringLiteral("a"), 1, 2}});
    TDataGrid grid;
    grid.resize(500, 300);
    grid.setModel(&model);
    grid.show();
    QSignalSpy clicks(&grid, &TDataGrid::titleClick);
    QHeaderView* titles = grid.view()->horizontalHeader();
    const QPoint inAge(titles->sectionViewportPosition(1) + 5, titles->height() / 2);
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, inAge);
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.front().front().toInt(), 1);

    EXPECT_FALSE(grid.isNumericColumn(0));
    EXPECT_TRUE(grid.isNumericColumn(1));
    EXPECT_FALSE(grid.hasField(2));
    EXPECT_FALSE(grid.isNumericColumn(2));
}

TEST(DataGrid, FooterCellsStayUnderTheirColumns) {
    ResultModel model = people(3);
    TDataGrid grid;
    grid.resize(300, 200);
    grid.setModel(&model);
    grid.show();
    QTableView* view = grid.view();
    view->setColumnWidth(0, 150);
    view->setColumnWidth(1, 120);
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
    for (int column = 0; column < 3; ++column) {
        const QRect cell = grid.footer()->cellRect(column);
        const QPoint columnLeft =
            view->viewport()->mapTo(&grid, QPoint(view->columnViewportPosition(column), 0));
        EXPECT_EQ(grid.footer()->mapTo(&grid, cell.topLeft()).x(), columnLeft.x()) << column;
        EXPECT_EQ(cell.width(), view->columnWidth(column)) << column;
    }
}

} // namespace
} // namespace dbfquery::ui
