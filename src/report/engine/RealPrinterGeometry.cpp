#include "report/engine/RealPrinterGeometry.h"

#include <QPageLayout>
#include <QPrinter>

namespace dbfquery::report {

PrinterGeometry layoutGeometry(const QPageLayout& layout, int dpi) {
    const QRect full = layout.fullRectPixels(dpi);
    // The printable area is the page less the printer's minimum margins.
    QPageLayout minimal = layout;
    minimal.setMode(QPageLayout::StandardMode);
    minimal.setMargins(layout.minimumMargins());
    const QRect paint = minimal.paintRectPixels(dpi);
    return PrinterGeometry::fromDevice(full.width(), full.height(), paint.left(), paint.top(), paint.width(),
                                       paint.height(), dpi, dpi);
}

PrinterGeometry readPrinterGeometry(const QPrinter& printer) {
    return layoutGeometry(printer.pageLayout(), printer.resolution());
}

} // namespace dbfquery::report
