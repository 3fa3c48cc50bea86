#include "report/engine/TReportView.h"

#include "support/Rounding.h"

#include <QPainter>
#include <QPen>

namespace dbfquery::report {
namespace {

int rnd(double v) {
    return static_cast<int>(support::roundHalfEven(v));
}

Qt::PenStyle qtPenStyle(std::uint16_t style) {
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

} // namespace

ViewGeometry TReportView::geometry(double sx, double sy, int ox, int oy) const {
    ViewGeometry g;
    const double f = FrameWidth;
    g.x = rnd(Left * sx) + ox;
    g.y = rnd(Top * sy) + oy;
    g.w = rnd(Width * sx);
    g.h = rnd(Height * sy);
    g.cx = rnd(sx * f / 2);
    g.cy = rnd(sy * f / 2);
    g.gx = g.cx + rnd(sx * GapX);
    g.gy = rnd(sy * GapY) + g.cy / 2;
    g.rect.left = g.x + ((FrameTyp & ftLeft) ? rnd((sx * f - 1) / 2) : 0);
    g.rect.top = g.y + ((FrameTyp & ftTop) ? rnd((sy * f - 1) / 2) : 0);
    g.rect.right = rnd(sx * (Left + Width) + ox) - ((FrameTyp & ftRight) ? g.cx : 0) + 1;
    g.rect.bottom = rnd(sy * (Top + Height) + oy) - ((FrameTyp & ftBottom) ? g.cy : 0) + 1;
    return g;
}

void TReportView::Draw(QPainter&, const DrawContext&) const {}

void TReportView::Export(ExportTarget& target, const DrawContext&) const {
    target.ObjectData(Left, Top, *this);
}

void TReportView::drawFrame(QPainter& painter, const ViewGeometry& g, const DrawContext& c) const {
    const int x2 = rnd((Left + Width) * c.sx + c.ox);
    const int y2 = rnd((Top + Height) * c.sy + c.oy);
    if (FillColor != clNone)
        painter.fillRect(QRect(g.x, g.y, x2 - g.x, y2 - g.y), toQColor(FillColor));
    if ((FrameTyp & ftAll) == 0)
        return;

    const int penWidth = rnd(c.sx * FrameWidth);
    // Each edge as (x1, y1, x2, y2) and whether it runs vertically.
    struct Edge {
        std::uint16_t bit;
        int ax, ay, bx, by;
        bool vertical;
    };
    const Edge edges[] = {{ftRight, x2, g.y, x2, y2, true},
                          {ftLeft, g.x, g.y, g.x, y2, true},
                          {ftBottom, g.x, y2, x2, y2, false},
                          {ftTop, g.x, g.y, x2, g.y, false}};
    painter.save();
    for (const Edge& e : edges) {
        if (!(FrameTyp & e.bit))
            continue;
        auto line = [&](int shift, const QColor& colour, int width, Qt::PenStyle style) {
            QPen pen(colour);
            pen.setWidth(width);
            pen.setStyle(style);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            if (e.vertical)
                painter.drawLine(e.ax + shift, e.ay, e.bx + shift, e.by);
            else
                painter.drawLine(e.ax, e.ay + shift, e.bx, e.by + shift);
        };
        if (FrameStyle >= psDash && FrameStyle <= psDashDotDot) {
            // As many one-pixel dashed lines as the width, centred on the edge.
            const int n = penWidth > 0 ? penWidth : 1;
            for (int i = 0; i < n; ++i)
                line(i - n / 2, toQColor(FrameColor), 1, qtPenStyle(FrameStyle));
        } else if (FrameStyle == psDouble) {
            const int d = rnd(FrameWidth);
            line(-d, toQColor(FrameColor), 1, Qt::SolidLine);
            line(d, toQColor(FrameColor), 1, Qt::SolidLine);
            if (FillColor != clNone)
                line(0, toQColor(FillColor), 1, Qt::SolidLine);
        } else {
            line(0, toQColor(FrameColor), penWidth, Qt::SolidLine);
        }
    }
    painter.restore();
}

} // namespace dbfquery::report
