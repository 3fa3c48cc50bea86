#pragma once

#include "report/engine/ExportTarget.h"
#include "report/engine/PrinterGeometry.h"
#include "report/engine/TReportPage.h"

#include <QByteArray>
#include <memory>

namespace dbfquery::report {

// One finished page: its paper and margins, the printer geometry when it was
// finished, and its objects as an owned object stream (version byte 24, then
// the objects in the order preparation finished them).
struct PreparedPage {
    DrawRect DisplayRect;        // where the preview placed it, preview pixels
    std::uint16_t PaperSize = 9; // paper code
    std::int32_t PaperWidth = 0; // tenths of a millimetre
    std::int32_t PaperHeight = 0;
    std::uint8_t Orientation = 0; // 0 portrait, 1 landscape
    std::int32_t PaperBin = kDefaultBin;
    bool UseMargins = true;
    PageMargins Margins; // report units, 0 = printer offset
    PrinterGeometry Geometry;
    // Set while the page is on screen, printed or searched; drawing a page
    // without it frees the page object instead.
    bool Visible = false;
    QByteArray ObjectStream;
    std::unique_ptr<TReportPage> PageObject; // materialised objects, or none

    PaperSpec paper() const { return {PaperSize, PaperWidth, PaperHeight, Orientation, PaperBin}; }
    PageLimits limits() const { return pageLimits(Geometry, Margins, UseMargins); }
};

} // namespace dbfquery::report
