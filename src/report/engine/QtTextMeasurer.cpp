#include "report/engine/QtTextMeasurer.h"

namespace dbfquery::report {

double QtTextMeasurer::textWidth(const ReportFont& font, int pixelHeight,
                                 const QString& text) const {
    for (const Cached& c : m_cache)
        if (c.pixelHeight == pixelHeight && c.font.Style == font.Style && c.font.Name == font.Name)
            return c.metrics.horizontalAdvance(text);
    if (m_cache.size() >= 16)
        m_cache.erase(m_cache.begin());
    m_cache.push_back({font, pixelHeight, QFontMetricsF(font.toQFont(pixelHeight))});
    return m_cache.back().metrics.horizontalAdvance(text);
}

} // namespace dbfquery::report
