#include "report/engine/FixedTextMeasurer.h"
#include "report/engine/RealPrinterGeometry.h"
#include "report/engine/ReportUnits.h"
#include "report/engine/TMemoView.h"
#include "report/engine/TPreparedPages.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPalette>
#include <gtest/gtest.h>

namespace dbfquery::report {
namespace {

// Counts the texts measured, to see which objects were laid out.
class CountingMeasurer final : public TextMeasurer {
public:
    mutable int calls = 0;
    double textWidth(const ReportFont& font, int pixels, const QString& text) const override {
        ++calls;
        return m_fixed.textWidth(font, pixels, text);
    }

private:
    FixedTextMeasurer m_fixed;
};

TReportPage a4() {
    TReportPage page;
    VirtualPrinter printer;
    page.Geometry = printer.applyPaper(page.Paper);
    return page;
}

TMemoView redCell(QStringList text = {}) {
    TMemoView m;
    m.Left = 10;
    m.Top = 20;
    m.Width = 60;
    m.Height = 18;
    m.FrameTyp = ftAll;
    m.FillColor = 0x0000FF; // red in the low byte
    m.Memo = std::move(text);
    return m;
}

QImage blankPage(int scale) {
    QImage image(758 * scale, 1071 * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(DrawPage, FillsAndFramesAtTheScaledEdges) {
    TPreparedPages pages;
    CountingMeasurer metrics;
    pages.setMeasurer(metrics);
    pages.AddPage(a4());
    pages.AppendObject(0, redCell());
    pages.Item(0).Visible = true;
    QImage image = blankPage(2);
    {
        QPainter painter(&image);
        pages.DrawPage(0, painter, image.rect());
    }
    EXPECT_EQ(image.pixelColor(100, 58), QColor(Qt::red));   // inside the fill
    EXPECT_EQ(image.pixelColor(140, 58), QColor(Qt::black)); // right frame line at round(70 x 2)
    EXPECT_EQ(image.pixelColor(100, 40), QColor(Qt::black)); // top frame line at round(20 x 2)
    EXPECT_EQ(image.pixelColor(150, 58), QColor(Qt::white));
}

TEST(DrawPage, AnInvisiblePageFreesItsObjectsAndDrawsNothing) {
    TPreparedPages pages;
    pages.AddPage(a4());
    pages.AppendObject(0, redCell());
    pages.MaterializePage(0);
    QImage image = blankPage(1);
    QPainter painter(&image);
    pages.DrawPage(0, painter, image.rect());
    EXPECT_EQ(pages.Item(0).PageObject, nullptr);
    EXPECT_EQ(image.pixelColor(40, 29), QColor(Qt::white));
}

TEST(DrawPage, OnScreenOnlyObjectsNearTheVisibleRegionAreLaidOut) {
    TPreparedPages pages;
    CountingMeasurer metrics;
    pages.setMeasurer(metrics);
    pages.AddPage(a4());
    pages.AppendObject(0, redCell({"x"}));
    pages.Item(0).Visible = true;
    QImage image = blankPage(1);
    QPainter painter(&image);
    painter.setClipRect(QRect(81, 500, 100, 100)); // 11 pixels right of the cell and far below
    pages.DrawPage(0, painter, image.rect(), DrawTarget::Screen);
    EXPECT_EQ(metrics.calls, 0);
    painter.setClipRect(QRect(79, 0, 100, 100)); // within 10 pixels of its right edge
    pages.DrawPage(0, painter, image.rect(), DrawTarget::Screen);
    EXPECT_GT(metrics.calls, 0);
    metrics.calls = 0;
    painter.setClipRect(QRect(81, 500, 100, 100));
    pages.DrawPage(0, painter, image.rect(), DrawTarget::Printer);
    EXPECT_GT(metrics.calls, 0);
}

TEST(DrawPage, TextStaysInsideTheDrawingRectangle) {
    TPreparedPages pages;
    pages.AddPage(a4());
    TMemoView m = redCell({"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"});
    m.Flags = 0; // one unbroken line far wider than the cell
    m.FillColor = clNone;
    m.FrameTyp = ftNone;
    pages.AppendObject(0, m);
    pages.Item(0).Visible = true;
    QImage image = blankPage(1);
    {
        QPainter painter(&image);
        pages.DrawPage(0, painter, image.rect());
    }
    int inside = 0, outside = 0;
    for (int y = 20; y < 40; ++y)
        for (int x = 0; x < 300; ++x)
            if (image.pixelColor(x, y).lightness() < 128)
                ++(x >= 10 && x < 71 ? inside : outside);
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
}

TEST(Colours, LowByteIsRedAndTheTopBitNamesASystemColour) {
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(rgbColor(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(toQColor(clWindowText), QGuiApplication::palette().color(QPalette::Text));
}

TEST(PaperGeometry, VirtualA4AndItsLimits) {
    TReportPage page = a4();
    EXPECT_EQ(page.Geometry, (PrinterGeometry{0, 0, 758, 1071, 0, 0, 18, 18, 0, 0, 722, 1035}));
    PageLimits l = page.limits();
    EXPECT_EQ(std::tie(l.left, l.top, l.right, l.bottom), std::tuple(18, 18, 740, 1053));
    page.Margins = {36, 10, 20, 30};
    l = page.limits();
    EXPECT_EQ(std::tie(l.left, l.top, l.right, l.bottom), std::tuple(36, 10, 738, 1041));
    page.UseMargins = false;
    l = page.limits();
    EXPECT_EQ(std::tie(l.left, l.top, l.right, l.bottom), std::tuple(0, 0, 758, 1071));

    VirtualPrinter printer;
    PaperSpec landscape{9, 0, 0, 1, kDefaultBin};
    const PrinterGeometry g = printer.applyPaper(landscape);
    EXPECT_EQ(std::pair(g.PaperWidthUnits, g.PaperHeightUnits), std::pair(1071, 758));
    EXPECT_EQ(std::pair(landscape.PaperWidth, landscape.PaperHeight), std::pair(2100, 2970));
    PaperSpec custom{256, 1000, 1480, 0, kDefaultBin};
    EXPECT_EQ(printer.applyPaper(custom).PaperWidthUnits, tenthsMmToUnits(1000));
}

TEST(PaperGeometry, UnitConversionsRoundHalfToEven) {
    EXPECT_EQ(marginMmToUnits(10), 36);
    EXPECT_EQ(marginMmToUnits(5), 18);
    EXPECT_EQ(tenthsMmToUnits(50), 18);
    EXPECT_EQ(fontPixelHeight(8), 11); // 10.67
    EXPECT_EQ(fontPixelHeight(12), 16);
    EXPECT_EQ(fontPixelHeight(9, 0.5), 6);   // 6.0
    EXPECT_EQ(fontPixelHeight(3, 1.125), 4); // 4.5 goes to the even 4
}

TEST(PaperGeometry, ARealPrinterFromItsPageLayout) {
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                             QPageLayout::Millimeter, QMarginsF(5, 5, 5, 5));
    const PrinterGeometry g = layoutGeometry(layout, 600);
    EXPECT_EQ(std::pair(g.DevicePaperWidth, g.DevicePaperHeight), std::pair(4961, 7016));
    EXPECT_EQ(std::pair(g.DeviceOffsetX, g.DeviceOffsetY), std::pair(118, 118));
    EXPECT_EQ(std::pair(g.PaperWidthUnits, g.PaperHeightUnits), std::pair(758, 1071));
    EXPECT_EQ(std::pair(g.OffsetX, g.OffsetY), std::pair(18, 18));
    EXPECT_EQ(g.PrintableWidth, devicePixelsToUnits(g.DevicePrintableWidth, 600));
}

} // namespace
} // namespace dbfquery::report
