#pragma once

// A design shaped like the table report's: title, header row, one row per
// record, one column per field, closing row, A4 portrait with a 10 mm left
// margin (36 units). Cells are filled through OnBeforePrint and
// OnPrintColumn as the table report fills them. Shared by the engine's
// tests and its benchmark.

#include "report/engine/ReportUnits.h"
#include "report/engine/TBandView.h"
#include "report/engine/TMemoView.h"
#include "report/engine/TReport.h"
#include "report/engine/TReportUserDataset.h"

#include <functional>
#include <memory>
#include <vector>

namespace dbfquery::report::testing {

class TableLikeDesign {
public:
    // cell(row, column) gives the text of a cell, both from 0.
    using CellText = std::function<QString(int row, int column)>;

    TableLikeDesign(TReport& report, int rows, std::vector<int> widths, CellText cell,
                    QString title = {})
        : m_report(report), m_rows(QStringLiteral("Rows"), rows),
          m_columns(QStringLiteral("Columns"), static_cast<int>(widths.size())),
          m_widths(std::move(widths)), m_cell(std::move(cell)) {
        report.addDataSet(m_rows);
        report.addDataSet(m_columns);
        report.OnPrintColumn = [this](int col, int& width) {
            width = m_widths.at(static_cast<std::size_t>(col - 1));
            m_currentWidth = width;
        };
        report.OnBeforePrint = [this](QStringList& memo, TReportView& view) { fill(memo, view); };

        report.Pages.clear();
        PaperSpec a4;
        TReportPage& page = report.addPage(a4);
        page.Margins.Left = marginMmToUnits(10);
        const int left = page.Margins.Left;

        auto band = [&](BandKind kind, int l, int t, int w, int h, std::uint16_t extra,
                        QString source = {}) {
            TBandView b(kind);
            b.Left = l;
            b.Top = t;
            b.Width = w;
            b.Height = h;
            b.Flags |= extra;
            b.DataSet = std::move(source);
            page.add(std::move(b));
        };
        auto text = [&](QString name, int l, int t, int w, int h, QString line, ReportFont font,
                        std::uint16_t frame) -> TMemoView& {
            TMemoView m;
            m.Name = std::move(name);
            m.Left = l;
            m.Top = t;
            m.Width = w;
            m.Height = h;
            m.Memo = QStringList{std::move(line)};
            m.Font = std::move(font);
            m.FrameTyp = frame;
            m.FillColor = clWhite;
            return page.add(std::move(m));
        };
        const ReportFont titleFont{QStringLiteral("Times New Roman"), 8, fsBold, clWindowText,
                                   RUSSIAN_CHARSET};
        const ReportFont headerFont{QStringLiteral("MS Sans Serif"), 8, fsBold, clBlack,
                                    RUSSIAN_CHARSET};
        const ReportFont bodyFont{QStringLiteral("Small Fonts"), 7, 0, clWindowText,
                                  RUSSIAN_CHARSET};
        const ReportFont footerFont{QStringLiteral("Arial"), 10, fsItalic, clBlack,
                                    RUSSIAN_CHARSET};

        if (!title.isEmpty()) {
            band(BandKind::ReportTitle, 0, 20, 1000, 30, flBandStretched);
            TMemoView& t = text(QStringLiteral("Title"), 0, 20, 20, 20, title, titleFont, ftNone);
            t.BandAlign = baWidth;
            t.Alignment = taCenter | taMiddle;
        }
        band(BandKind::MasterHeader, 0, 60, 1000, 30, flBandStretched | flBandRepeatHeader);
        text(QStringLiteral("Header"), left, 60, 20, 30, QStringLiteral("[Header]"), headerFont,
             ftAll)
            .Alignment = taCenter | taMiddle;
        band(BandKind::MasterData, 0, 100, 1000, 18, flBandStretched, QStringLiteral("Rows"));
        band(BandKind::CrossData, left, 0, 20, 1000, 0, QStringLiteral("Columns"));
        text(QStringLiteral("Cell"), left, 100, 20, 18, QStringLiteral("[Cell]"), bodyFont, ftAll)
            .GapX = 3;
        band(BandKind::MasterFooter, 0, 140, 1000, 30, 0);
        text(QStringLiteral("Footer"), left, 140, 20, 30, QStringLiteral("[Footer]"), footerFont,
             ftAll)
            .Alignment = taCenter | taMiddle;
    }

    ~TableLikeDesign() {
        m_report.removeDataSet(m_rows);
        m_report.removeDataSet(m_columns);
    }

private:
    void fill(QStringList& memo, TReportView& view) {
        if (memo.isEmpty())
            return;
        const int column = m_columns.RecNo();
        if (memo.first() == QLatin1String("[Cell]"))
            memo.first() = m_cell(m_rows.RecNo(), column);
        else if (memo.first() == QLatin1String("[Header]"))
            memo.first() = QStringLiteral("Поле%1").arg(column + 1);
        else if (memo.first() == QLatin1String("[Footer]"))
            memo.first().clear();
        else
            return;
        view.Width = m_currentWidth;
    }

    TReport& m_report;
    TReportUserDataset m_rows;
    TReportUserDataset m_columns;
    std::vector<int> m_widths;
    CellText m_cell;
    int m_currentWidth = 0;
};

} // namespace dbfquery::report::testing
