#include "report/engine/PaperSizes.h"
#include "report/engine/ReportPrinterPort.h"

#include <utility>

namespace dbfquery::report {

PrinterGeometry VirtualPrinter::applyPaper(PaperSpec& paper) {
    // A user-defined size (or a code the table lacks) keeps the page's own.
    if (paper.PaperSize != kPaperCustom) {
        if (const auto known = findPaperSize(paper.PaperSize)) {
            paper.PaperWidth = known->width;
            paper.PaperHeight = known->height;
        }
    }
    if (paper.PaperWidth <= 0 || paper.PaperHeight <= 0) {
        const PaperSize a4 = *findPaperSize(kPaperA4);
        paper.PaperSize = kPaperA4;
        paper.PaperWidth = a4.width;
        paper.PaperHeight = a4.height;
    }
    int w = paper.PaperWidth;
    int h = paper.PaperHeight;
    if (paper.Orientation == 1)
        std::swap(w, h);
    return PrinterGeometry::virtualPrinter(w, h);
}

} // namespace dbfquery::report
