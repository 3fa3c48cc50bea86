#include "report/engine/RealPrinterGeometry.h"

#include "support/Rounding.h"

#include <QPageLayout>
#include <QPrinter>

namespace dbfquery::report {
namespace {

// From millimetres: Qt's own pixel rectangles go through whole points and
// would make A4 757 x 1072 units instead of 758 x 1071.
int pixels(double mm, int dpi) {
    return static_cast<int>(support::roundHalfEven(mm * dpi / 25.4));
}

} // namespace

PrinterGeometry layoutGeometry(const QPageLayout& layout, int dpi) {
    QPageLayout mm = layout;
    mm.setUnits(QPageLayout::Millimeter);
    const QSizeF paper = mm.fullRect().size();
    const QMarginsF minimum = mm.minimumMargins();
    const int width = pixels(paper.width(), dpi);
    const int height = pixels(paper.height(), dpi);
    const int left = pixels(minimum.left(), dpi);
    const int top = pixels(minimum.top(), dpi);
    const int printableWidth = width - left - pixels(minimum.right(), dpi);
    const int printableHeight = height - top - pixels(minimum.bottom(), dpi);
    return PrinterGeometry::fromDevice(width, height, left, top, printableWidth, printableHeight,
                                       dpi, dpi);
}

PrinterGeometry readPrinterGeometry(const QPrinter& printer) {
    return layoutGeometry(printer.pageLayout(), printer.resolution());
}

} // namespace dbfquery::report
