#pragma once

#include "report/engine/TextMeasurer.h"

#include <QFontMetricsF>
#include <vector>

namespace dbfquery::report {

// Measures with the installed fonts through QFontMetricsF. Needs a
// QGuiApplication. Keeps the metrics of the last font asked for, since a
// report measures long runs of cells in the same font; GUI thread only.
class QtTextMeasurer final : public TextMeasurer {
public:
    double textWidth(const ReportFont& font, int pixelHeight, const QString& text) const override;

private:
    struct Cached {
        ReportFont font;
        int pixelHeight;
        QFontMetricsF metrics;
    };
    mutable std::vector<Cached> m_cache; // a few fonts at most
};

} // namespace dbfquery::report
