#pragma once

#include "report/engine/TextMeasurer.h"

namespace dbfquery::report {

// Fixed metrics for layout tests, independent of installed fonts: every
// character is equally wide, in proportion to the pixel height asked for:
// `charWidth` at 13 pixels (10 points at scale 1), twice that at 26.
class FixedTextMeasurer final : public TextMeasurer {
public:
    explicit FixedTextMeasurer(double charWidth = 6.0) : m_charWidth(charWidth) {}
    double textWidth(const ReportFont&, int pixelHeight, const QString& text) const override {
        return text.size() * m_charWidth * pixelHeight / 13.0;
    }

private:
    double m_charWidth;
};

} // namespace dbfquery::report
