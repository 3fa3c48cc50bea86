#pragma once

#include "report/engine/ReportFont.h"
#include "report/engine/TReportView.h"

#include <vector>

namespace dbfquery::report {

// Alignment codes of a text object: horizontal part in the low two bits.
enum MemoAlignment : std::int32_t {
    taLeft = 0,
    taRight = 1,
    taCenter = 2,
    taJustify = 3,
    taVertical = 4, // turned by 90 degrees, lines advancing to the right
    taMiddle = 8,
    taDown = 16,
};

// End-of-paragraph mark carried at the end of a line's last piece.
inline constexpr QChar kParagraphMark = QChar(1);

// Replaces style, font colour and fill when its condition holds at preparation.
struct THighlight {
    std::uint16_t FontStyle = fsBold;
    TColor FontColor = clBlack;
    TColor FillColor = clWhite;
    QString Condition;
};

// One output line placed on a canvas.
struct PlacedLine {
    int x = 0;
    int y = 0;
    QString text; // without the paragraph mark
    bool paragraphEnd = false;
    int width = 0; // measured, rounded
};

// The text object. Defaults: Stretched and WordWrap, "Arial" 10, GapX 2,
// GapY 1, LineSpacing 2.
class TMemoView final : public TReportView {
public:
    TMemoView() { Flags = flStretched | flWordWrap; }

    ReportFont Font;
    std::int32_t Alignment = taLeft; // MemoAlignment
    THighlight Highlight;
    std::int32_t LineSpacing = 2;
    std::int32_t CharSpacing = 0;

    ObjectKind kind() const override { return ObjectKind::Memo; }
    std::unique_ptr<TReportView> clone() const override {
        return std::make_unique<TMemoView>(*this);
    }
    void copyFrom(const TReportView& other) override {
        *this = static_cast<const TMemoView&>(other);
    }

    // Output lines at scale 1, each paragraph's last one ending in the mark.
    QStringList WrapLines(const TextMeasurer& measurer) const;

    // Height the text needs at scale 1: lines x line height + 2 x inset.
    int CalcHeight(const TextMeasurer& measurer) const;

    // Width the text needs at scale 1 (AutoWidth): widest line + 2 x inset.
    int CalcWidth(const TextMeasurer& measurer) const;

    // Lines of `wrapped` placed on a canvas with the context's scales.
    std::vector<PlacedLine> PlaceLines(const QStringList& wrapped, const ViewGeometry& g,
                                       const DrawContext& context) const;

    void Draw(QPainter& painter, const DrawContext& context) const override;
    void Export(ExportTarget& target, const DrawContext& context) const override;

    // Frame bits handed with line `index` of `count` at export.
    std::uint16_t lineFrame(int index, int count) const;

private:
    void exportLines(ExportTarget& target, const DrawContext& context) const;
    bool vertical() const { return (Alignment & taVertical) != 0; }
    int fontPixels(const DrawContext& context) const;
    int lineHeight(const DrawContext& context) const;
};

} // namespace dbfquery::report
