#pragma once

#include "report/engine/TextMeasurer.h"

namespace dbfquery::report {

// Measures with the installed fonts through QFontMetricsF. Needs a
// QGuiApplication.
class QtTextMeasurer final : public TextMeasurer {
public:
    double textWidth(const ReportFont& font, int pixelHeight, const QString& text) const override;
};

} // namespace dbfquery::report
