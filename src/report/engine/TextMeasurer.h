#pragma once

#include "report/engine/ReportFont.h"

#include <QString>

namespace dbfquery::report {

// Measures text for line breaking and placing. Widths are in pixels of the
// canvas the font height was chosen for (report units at scale 1).
// Called on the GUI thread; implementations keep no per-call state.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual double textWidth(const ReportFont& font, int pixelHeight,
                             const QString& text) const = 0;
};

} // namespace dbfquery::report
