#pragma once

#include <QString>
#include <cstdint>

namespace dbfquery::report {

class TReportView;

// A rectangle with the engine's edges: right and bottom are one past the
// object's scaled right and bottom edge lines (at scale 1 with frame width 1:
// Left + Width + 1, Top + Height + 1).
struct DrawRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const DrawRect&) const = default;
};

// What the engine hands an export filter for each object of a prepared page.
// The view lives only for the call (and, for ObjectData, until the object's
// text lines are handed out): copy what must be kept.
class ExportTarget {
public:
    virtual ~ExportTarget() = default;
    virtual void BeginPage() {}
    virtual void EndPage() {}
    // x, y: the object's Left and Top in report units.
    virtual void ObjectData(int x, int y, const TReportView& view) = 0;
    // Once per output line of a text object, top to bottom. rect is the
    // object's drawing rectangle at scale 1; x, y where the line's text
    // starts; text without its end-of-paragraph mark; frame: the frame bits
    // for this line.
    virtual void TextLine(const DrawRect& rect, int x, int y, const QString& text,
                          std::uint16_t frame, const TReportView& view) = 0;
};

} // namespace dbfquery::report
