#include "report/engine/QtTextMeasurer.h"

#include <QFontMetricsF>

namespace dbfquery::report {

double QtTextMeasurer::textWidth(const ReportFont& font, int pixelHeight, const QString& text) const {
    return QFontMetricsF(font.toQFont(pixelHeight)).horizontalAdvance(text);
}

} // namespace dbfquery::report
