#include "report/engine/PrinterGeometry.h"

#include "report/engine/ReportUnits.h"

namespace dbfquery::report {

PrinterGeometry PrinterGeometry::fromDevice(int paperWidth, int paperHeight, int offsetX,
                                            int offsetY, int printableWidth, int printableHeight,
                                            int dpiX, int dpiY) {
    PrinterGeometry g;
    g.DevicePaperWidth = paperWidth;
    g.DevicePaperHeight = paperHeight;
    g.DeviceOffsetX = offsetX;
    g.DeviceOffsetY = offsetY;
    g.DevicePrintableWidth = printableWidth;
    g.DevicePrintableHeight = printableHeight;
    g.PaperWidthUnits = devicePixelsToUnits(paperWidth, dpiX);
    g.PaperHeightUnits = devicePixelsToUnits(paperHeight, dpiY);
    g.OffsetX = devicePixelsToUnits(offsetX, dpiX);
    g.OffsetY = devicePixelsToUnits(offsetY, dpiY);
    g.PrintableWidth = devicePixelsToUnits(printableWidth, dpiX);
    g.PrintableHeight = devicePixelsToUnits(printableHeight, dpiY);
    return g;
}

PrinterGeometry PrinterGeometry::virtualPrinter(int widthTenths, int heightTenths) {
    PrinterGeometry g;
    g.PaperWidthUnits = tenthsMmToUnits(widthTenths);
    g.PaperHeightUnits = tenthsMmToUnits(heightTenths);
    g.OffsetX = g.OffsetY = tenthsMmToUnits(50);
    g.PrintableWidth = g.PaperWidthUnits - 2 * g.OffsetX;
    g.PrintableHeight = g.PaperHeightUnits - 2 * g.OffsetY;
    return g;
}

PageLimits pageLimits(const PrinterGeometry& g, const PageMargins& m, bool useMargins) {
    if (!useMargins)
        return {0, 0, g.PaperWidthUnits, g.PaperHeightUnits};
    PageLimits l;
    l.left = m.Left != 0 ? m.Left : g.OffsetX;
    l.top = m.Top != 0 ? m.Top : g.OffsetY;
    l.right = m.Right != 0 ? g.PaperWidthUnits - m.Right : g.OffsetX + g.PrintableWidth;
    l.bottom = m.Bottom != 0 ? g.PaperHeightUnits - m.Bottom : g.OffsetY + g.PrintableHeight;
    return l;
}

} // namespace dbfquery::report
