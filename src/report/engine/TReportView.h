#pragma once

#include "report/engine/ExportTarget.h"
#include "report/engine/ReportColor.h"
#include "report/engine/TReportObject.h"

#include <QStringList>
#include <memory>

class QPainter;

namespace dbfquery::report {

class TextMeasurer;

// Scales and offsets an object is drawn with: canvas pixel = round(unit x s) + o.
// Export uses 1, 1, 0, 0.
struct DrawContext {
    double sx = 1.0;
    double sy = 1.0;
    int ox = 0;
    int oy = 0;
    const TextMeasurer* measurer = nullptr;
    // On the printer text uses the font at its own point size: pixel height
    // round(points x printerDpi / 72). 0 = a screen or export canvas.
    int printerDpi = 0;
    // The page's left and right limits, for "baWidth" objects at export.
    int pageLeft = 0;
    int pageRight = 0;
};

// The scaled placement of an object (see drawingGeometry).
struct ViewGeometry {
    int x = 0, y = 0, w = 0, h = 0; // x', y', w', h'
    int cx = 0, cy = 0;             // half frame widths
    int gx = 0, gy = 0;             // text inset
    DrawRect rect;                  // drawing rectangle
};

// Base of every view: frame, fill, text list, inset and band alignment.
class TReportView : public TReportObject {
public:
    float FrameWidth = 1.0f; // report units
    TColor FrameColor = clBlack;
    std::uint16_t FrameTyp = ftNone; // FrameBits; band kind in a band object
    std::uint16_t FrameStyle = psSolid;
    TColor FillColor = clNone;
    std::int32_t FormatCode = 0; // DisplayFormat code (design only)
    QString FormatText;          // DisplayFormat text (design only)
    QStringList Memo;
    QStringList Script; // design only, carried
    std::int32_t GapX = 2;
    std::int32_t GapY = 1;
    std::uint8_t BandAlign = baNone;

    virtual std::unique_ptr<TReportView> clone() const = 0;
    // Takes every field of `other`, which must be of the same class.
    virtual void copyFrom(const TReportView& other) = 0;

    // Placement at the given scales and offsets (1, 1, 0, 0 when exporting).
    ViewGeometry geometry(double sx, double sy, int ox, int oy) const;

    // Draws the object on a canvas; the base draws nothing.
    virtual void Draw(QPainter& painter, const DrawContext& context) const;

    // The export hooks: ObjectData for every object; text objects add their lines.
    virtual void Export(ExportTarget& target, const DrawContext& context) const;

protected:
    TReportView() = default;
    TReportView(const TReportView&) = default;
    TReportView& operator=(const TReportView&) = default;

    // Background and frame lines (filled and drawn in that order).
    void drawFrame(QPainter& painter, const ViewGeometry& g, const DrawContext& context) const;
};

} // namespace dbfquery::report
