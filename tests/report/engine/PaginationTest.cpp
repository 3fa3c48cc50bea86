#include "FakePrinter.h"
#include "TableLikeDesign.h"

#include "report/engine/FixedTextMeasurer.h"
#include "report/engine/TPreparedPages.h"

#include <gtest/gtest.h>

namespace dbfquery::report {
namespace {

using testing::TableLikeDesign;

const FixedTextMeasurer kMetrics(6.0);
const QDateTime kStarted(QDate(2026, 12, 10), QTime(11, 5, 0));

// The printed objects of one prepared page.
struct Printed {
    QString name;
    QString text;
    int left, top, width, height;
};

std::vector<Printed> printed(const TPreparedPages& pages, int index) {
    std::vector<Printed> out;
    forEachStoredObject(pages.Item(index).ObjectStream, [&](std::unique_ptr<TReportView> v) {
        out.push_back({v->Name, v->Memo.value(0), v->Left, v->Top, v->Width, v->Height});
    });
    return out;
}

std::vector<Printed> named(const std::vector<Printed>& all, const char* name) {
    std::vector<Printed> out;
    for (const Printed& p : all)
        if (p.name == QLatin1String(name))
            out.push_back(p);
    return out;
}

// Distinct tops of the cells named `name`, in order.
std::vector<int> tops(const std::vector<Printed>& all, const char* name) {
    std::vector<int> out;
    for (const Printed& p : named(all, name))
        if (out.empty() || out.back() != p.top)
            out.push_back(p.top);
    return out;
}

std::vector<int> rowTops(int first, int count, int step = 18) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(first + i * step);
    return out;
}

class Pagination : public ::testing::Test {
protected:
    Pagination() {
        report.setMeasurer(kMetrics);
        report.Name = QStringLiteral("Отчет1");
    }
    TableLikeDesign design(int rows, std::vector<int> widths = {60, 60},
                           QString title = QStringLiteral("Заголовок")) {
        return TableLikeDesign(
            report, rows, std::move(widths),
            [](int r, int c) { return QStringLiteral("%1,%2").arg(r).arg(c); }, std::move(title));
    }
    TReport report;
};

TEST_F(Pagination, TitleThenHeaderThen54RowsOnPageOneAnd55After) {
    auto d = design(54 + 55 + 10);
    ASSERT_TRUE(report.Prepare(kStarted));
    const TPreparedPages& pages = report.PreparedPages();
    ASSERT_EQ(pages.Count(), 3);

    const auto first = printed(pages, 0);
    const auto title = named(first, "Title");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].text, "Заголовок");
    EXPECT_EQ(std::tie(title[0].left, title[0].top, title[0].width, title[0].height),
              std::tuple(36, 18, 703, 30)); // from the left limit to the right limit, band tall
    EXPECT_EQ(tops(first, "Header"), std::vector<int>{48});
    EXPECT_EQ(named(first, "Header")[1].left, 96); // the second column follows the first
    EXPECT_EQ(tops(first, "Cell"), rowTops(78, 54));
    EXPECT_EQ(named(first, "Cell").back().text, "53,1");

    const auto second = printed(pages, 1);
    EXPECT_TRUE(named(second, "Title").empty());
    EXPECT_EQ(tops(second, "Header"), std::vector<int>{18});
    EXPECT_EQ(tops(second, "Cell"), rowTops(48, 55));
    EXPECT_EQ(named(second, "Cell").front().text, "54,0");

    const auto third = printed(pages, 2);
    EXPECT_EQ(tops(third, "Cell"), rowTops(48, 10));
    EXPECT_EQ(tops(third, "Footer"), std::vector<int>{228});
    EXPECT_EQ(named(third, "Footer")[0].height, 30);
}

TEST_F(Pagination, ClosingRowThatDoesNotFitGoesAloneToANewPage) {
    auto d = design(54 + 55);
    ASSERT_TRUE(report.Prepare(kStarted));
    ASSERT_EQ(report.PreparedPages().Count(), 3);
    const auto last = printed(report.PreparedPages(), 2);
    ASSERT_EQ(last.size(), 2u); // the closing row's two cells, nothing else
    EXPECT_EQ(tops(last, "Footer"), std::vector<int>{18});
}

TEST_F(Pagination, WithoutTitleThePageOneHeaderStartsAtTheTopLimit) {
    auto d = design(56, {60}, QString());
    ASSERT_TRUE(report.Prepare(kStarted));
    const auto first = printed(report.PreparedPages(), 0);
    EXPECT_EQ(tops(first, "Header"), std::vector<int>{18});
    EXPECT_EQ(tops(first, "Cell"), rowTops(48, 55));
    EXPECT_EQ(tops(printed(report.PreparedPages(), 1), "Cell"), std::vector<int>{48});
}

TEST_F(Pagination, EmptyDataPrintsTheTitleOnly) {
    auto d = design(0);
    ASSERT_TRUE(report.Prepare(kStarted));
    ASSERT_EQ(report.PreparedPages().Count(), 1);
    const auto only = printed(report.PreparedPages(), 0);
    ASSERT_EQ(only.size(), 1u);
    EXPECT_EQ(only[0].name, "Title");
}

TEST_F(Pagination, ATwoLineCellMakesItsWholeRowTwoLinesTall) {
    TableLikeDesign d(report, 3, {60, 60}, [](int r, int c) {
        return r == 1 && c == 0 ? QStringLiteral("a\r\nb") : QStringLiteral("x");
    });
    ASSERT_TRUE(report.Prepare(kStarted));
    const auto cells = named(printed(report.PreparedPages(), 0), "Cell");
    ASSERT_EQ(cells.size(), 6u);
    // 7-point body font: line height 2 + 9; two lines + 2 x inset = 24.
    const std::vector<std::pair<int, int>> expected = {{48, 18}, {48, 18}, {66, 24},
                                                       {66, 24}, {90, 18}, {90, 18}};
    for (std::size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(std::pair(cells[i].top, cells[i].height), expected[i]) << i;
    EXPECT_EQ(cells[2].text, "a\r\nb");
}

TEST_F(Pagination, WideTablesContinueOnFollowingPagesAtTheSameHeights) {
    auto d = design(60, {300, 300, 300}); // the third column passes the right limit 740
    ASSERT_TRUE(report.Prepare(kStarted));
    const TPreparedPages& pages = report.PreparedPages();
    ASSERT_EQ(pages.Count(), 4);
    const auto p1 = printed(pages, 0);
    const auto p2 = printed(pages, 1);
    EXPECT_EQ(named(p1, "Cell").size(), 2u * 54);
    EXPECT_EQ(named(p2, "Cell").size(), 54u);
    EXPECT_EQ(tops(p2, "Cell"), tops(p1, "Cell"));
    EXPECT_EQ(tops(p2, "Header"), std::vector<int>{48});
    for (const Printed& c : named(p2, "Cell"))
        ASSERT_EQ(c.left, 36);
    EXPECT_EQ(named(p2, "Cell").front().text, "0,2");
    // The next block of rows: first columns on page 3, the rest on page 4.
    EXPECT_EQ(named(printed(pages, 2), "Cell").front().text, "54,0");
    EXPECT_EQ(named(printed(pages, 3), "Cell").front().text, "54,2");
    EXPECT_EQ(tops(printed(pages, 3), "Footer"), tops(printed(pages, 2), "Footer"));
}

TEST_F(Pagination, PageHeaderAndFooterGoOnEveryPageIncludingContinuations) {
    auto d = design(60, {300, 300, 300});
    TReportPage& page = report.Pages.front();
    TBandView header(BandKind::PageHeader);
    header.Top = 160;
    header.Width = 1000;
    header.Height = 30;
    page.add(header);
    TBandView footer(BandKind::PageFooter);
    footer.Top = 260;
    footer.Width = 1000;
    footer.Height = 30;
    page.add(footer);
    for (const auto& [name, top] : {std::pair("PageHeader", 160), std::pair("PageFooter", 270)}) {
        TMemoView m;
        m.Name = QString::fromLatin1(name);
        m.Top = top;
        m.Width = 20;
        m.Height = 20;
        m.BandAlign = baWidth;
        m.Memo = {QStringLiteral("Стр. [PAGE#]")};
        page.add(m);
    }
    ASSERT_TRUE(report.Prepare(kStarted));
    const TPreparedPages& pages = report.PreparedPages();
    ASSERT_EQ(pages.Count(), 4);
    // Bands end at 1053 - 30: title 18, page header 48, header row 78, 50 rows from 108.
    const auto p1 = printed(pages, 0);
    EXPECT_EQ(tops(p1, "PageHeader"), std::vector<int>{48});
    EXPECT_EQ(tops(p1, "Header"), std::vector<int>{78});
    EXPECT_EQ(tops(p1, "Cell"), rowTops(108, 50));
    for (int i = 0; i < pages.Count(); ++i) {
        const auto all = printed(pages, i);
        const auto footers = named(all, "PageFooter");
        ASSERT_EQ(footers.size(), 1u) << "page " << i + 1;
        EXPECT_EQ(footers[0].top, 1033);
        EXPECT_EQ(footers[0].text, QStringLiteral("Стр. %1").arg(i + 1));
        EXPECT_EQ(named(all, "PageHeader").size(), 1u) << "page " << i + 1;
    }
    // The continuation of page 1 has its page header at the top limit, cells at the same heights.
    EXPECT_EQ(tops(printed(pages, 1), "PageHeader"), std::vector<int>{18});
    EXPECT_EQ(tops(printed(pages, 1), "Cell"), rowTops(108, 50));
    EXPECT_EQ(tops(printed(pages, 2), "Header"), std::vector<int>{48});
}

TEST_F(Pagination, AColumnWiderThanThePageStaysAtTheStartOfItsRow) {
    auto d = design(3, {800, 60});
    ASSERT_TRUE(report.Prepare(kStarted));
    ASSERT_EQ(report.PreparedPages().Count(), 2);
    EXPECT_EQ(named(printed(report.PreparedPages(), 0), "Cell").front().text, "0,0");
    EXPECT_EQ(named(printed(report.PreparedPages(), 1), "Cell").front().text, "0,1");
}

TEST_F(Pagination, ARowTallerThanAPageGetsAPageOfItsOwnAndTheRunEnds) {
    TableLikeDesign d(report, 2, {60}, [](int r, int) {
        return r == 0 ? QStringLiteral("x")
                      : QStringList(120, QStringLiteral("y")).join(QStringLiteral("\n"));
    });
    ASSERT_TRUE(report.Prepare(kStarted));
    ASSERT_EQ(report.PreparedPages().Count(), 3); // the tall row, then the closing row
    const auto tall = named(printed(report.PreparedPages(), 1), "Cell");
    ASSERT_EQ(tall.size(), 1u);
    EXPECT_EQ(std::pair(tall[0].top, tall[0].height), std::pair(48, 120 * 11 + 2));
}

TEST_F(Pagination, TheDesignIsLeftAsItWas) {
    auto d = design(5);
    const TReportPage before = report.Pages.front();
    ASSERT_TRUE(report.Prepare(kStarted));
    ASSERT_EQ(report.Pages.front().Objects.size(), before.Objects.size());
    for (std::size_t i = 0; i < before.Objects.size(); ++i) {
        const TReportView& a = *before.Objects[i];
        const TReportView& b = *report.Pages.front().Objects[i];
        EXPECT_EQ(std::tie(a.Name, a.Memo, a.Left, a.Top, a.Width, a.Height),
                  std::tie(b.Name, b.Memo, b.Left, b.Top, b.Width, b.Height));
    }
}

TEST_F(Pagination, BracketExpressionsAreExpandedInTextsTheEventLeftAlone) {
    auto d = design(1, {60}, QStringLiteral("Стр. [PAGE#] от [DATE] [TIME] ['a''b'] [x"));
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German)); // decimal comma, other date order
    const bool prepared = report.Prepare(kStarted);
    QLocale::setDefault(before);
    ASSERT_TRUE(prepared);
    const auto title = named(printed(report.PreparedPages(), 0), "Title");
    EXPECT_EQ(title[0].text, "Стр. 1 от 10.12.2026 11:05:00 a'b [x");
}

TEST_F(Pagination, FilledCellsAreNotEvaluated) {
    TableLikeDesign d(report, 1, {60}, [](int, int) { return QStringLiteral("[FOO]"); });
    ASSERT_TRUE(report.Prepare(kStarted));
    EXPECT_EQ(named(printed(report.PreparedPages(), 0), "Cell")[0].text, "[FOO]");
}

TEST_F(Pagination, AnUnknownExpressionStopsTheRunWithTheFullMessage) {
    auto d = design(3, {60}, QStringLiteral("Итог [FOO]"));
    EXPECT_FALSE(report.Prepare(kStarted));
    EXPECT_EQ(report.ErrorText,
              QStringLiteral("Возникла ошибка при обработке выражения\rИтог [FOO]\r\r"
                             "Документ: Отчет1\rОбъект: Title\r\r"
                             "Неизвестная переменная или функция: FOO"));
    EXPECT_EQ(report.PreparedPages().Count(), 0);
    EXPECT_TRUE(report.StopRequested);
}

// Records the progress window's texts; presses "Отмена" at a chosen line.
class ScriptedProgress final : public ProgressHost {
public:
    QString caption;
    QStringList lines;
    QString cancelAt;
    void run(const QString& c, const QString& first, const std::function<void()>& work,
             const std::function<void()>& cancel) override {
        caption = c;
        lines << first;
        m_cancel = cancel;
        work();
    }
    void setLine(const QString& text) override {
        lines << text;
        if (text == cancelAt)
            m_cancel();
    }

private:
    std::function<void()> m_cancel;
};

TEST_F(Pagination, ProgressCountsPagesAndCancelKeepsThePagesMade) {
    ScriptedProgress progress;
    report.setProgress(progress);
    report.Title = QStringLiteral("Список");
    auto d = design(200);
    ASSERT_TRUE(report.Prepare(kStarted));
    EXPECT_EQ(progress.caption, "Подготовка отчета - Список");
    EXPECT_EQ(progress.lines,
              (QStringList{"Формируется страница:  1", "Формируется страница:  2",
                           "Формируется страница:  3", "Формируется страница:  4"}));

    progress.lines.clear();
    progress.cancelAt = QStringLiteral("Формируется страница:  3");
    EXPECT_FALSE(report.Prepare(kStarted));
    EXPECT_EQ(report.PreparedPages().Count(), 2);
    EXPECT_TRUE(report.ErrorText.isEmpty());
}

TEST_F(Pagination, ShowPagesOpensThePreviewOnlyWithPages) {
    int shown = 0;
    report.OnShowPreview = [&](TReport&) { ++shown; };
    report.ShowPages();
    EXPECT_EQ(shown, 0);
    auto d = design(1);
    ASSERT_TRUE(report.Prepare(kStarted));
    report.ShowPages();
    EXPECT_EQ(shown, 1);
}

} // namespace
} // namespace dbfquery::report
