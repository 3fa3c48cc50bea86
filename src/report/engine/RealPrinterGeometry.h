#pragma once

#include "report/engine/PrinterGeometry.h"

class QPageLayout;
class QPrinter;

namespace dbfquery::report {

// The geometry of a page layout on a device of `dpi` pixels per inch: the
// full page, the unprintable offsets and the printable area in device
// pixels, and each of them in report units.
PrinterGeometry layoutGeometry(const QPageLayout& layout, int dpi);

// The geometry of a real printer's current paper.
PrinterGeometry readPrinterGeometry(const QPrinter& printer);

} // namespace dbfquery::report
