#include "report/engine/TMemoView.h"

#include "report/engine/ReportUnits.h"
#include "report/engine/TextMeasurer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <functional>

namespace dbfquery::report {
namespace {

int rnd(double v) {
    return static_cast<int>(support::roundHalfEven(v));
}

// Lines x line height of a hostile file can pass the int range.
int clampToInt(std::int64_t v) {
    constexpr std::int64_t limit = 1'000'000'000;
    return static_cast<int>(std::clamp(v, -limit, limit));
}

bool isBreak(QChar c) {
    return c == QChar(13) || c == QChar(10);
}
bool isSpace(QChar c) {
    return c == QChar(' ') || c == QChar(0xA0);
}

bool endsParagraph(const QString& line) {
    return line.endsWith(kParagraphMark);
}
QString withoutMark(const QString& line) {
    return endsParagraph(line) ? line.chopped(1) : line;
}

// Cuts one stored line at carriage returns / line feeds (a run is one
// break) and where the text grows wider than `available`.
void wrapParagraph(const QString& line, double available,
                   const std::function<double(QStringView)>& width, QStringList& out) {
    if (line.size() <= 1 ||
        (std::none_of(line.begin(), line.end(), isBreak) && width(line) <= available)) {
        out << line + kParagraphMark;
        return;
    }
    QStringList pieces;
    qsizetype at = 0;
    while (true) {
        qsizetype end = at;
        while (end < line.size() && !isBreak(line[end]))
            ++end;
        pieces << line.mid(at, end - at);
        if (end == line.size())
            break;
        while (end < line.size() && isBreak(line[end]))
            ++end;
        at = end;
    }
    for (const QString& piece : pieces) {
        const QStringView s(piece);
        qsizetype start = 0;
        qsizetype lastSpace = -1;
        for (qsizetype i = 0; i < s.size(); ++i) {
            if (s[i] == QChar(' ')) {
                lastSpace = i;
                continue;
            }
            if (i > start && width(s.mid(start, i - start + 1)) > available) {
                if (lastSpace >= start) {
                    out << s.mid(start, lastSpace - start).toString();
                    start = lastSpace + 1;
                    lastSpace = -1;
                    --i; // the current character again, from the new line start
                } else {
                    out << s.mid(start, i - start).toString();
                    start = i;
                }
            }
        }
        out << s.mid(start).toString();
    }
    out.last() += kParagraphMark;
}

} // namespace

int TMemoView::fontPixels(const DrawContext& c) const {
    if (c.printerDpi > 0)
        return rnd(Font.Size * c.printerDpi / 72.0);
    return fontPixelHeight(Font.Size, c.sy);
}

int TMemoView::lineHeight(const DrawContext& c) const {
    return rnd(LineSpacing * c.sy) + fontPixels(c);
}

QStringList TMemoView::WrapLines(const TextMeasurer& measurer) const {
    QStringList lines = Memo;
    if (!lines.isEmpty() && lines.last() == QString(kParagraphMark))
        lines.removeLast();
    if (std::any_of(lines.begin(), lines.end(), endsParagraph))
        return lines;
    QStringList out;
    if (!(Flags & flWordWrap)) {
        for (const QString& line : lines)
            out << line + kParagraphMark;
        return out;
    }
    const ViewGeometry g = geometry(1, 1, 0, 0);
    const double available = vertical() ? Height - 2 * g.gy : Width - 2 * g.gx;
    const int pixels = fontPixelHeight(Font.Size);
    const auto width = [&](QStringView text) {
        return measurer.textWidth(Font, pixels, text.toString()) +
               double(CharSpacing) * text.size();
    };
    for (const QString& line : lines)
        wrapParagraph(line, available, width, out);
    return out;
}

int TMemoView::CalcHeight(const TextMeasurer& measurer) const {
    const ViewGeometry g = geometry(1, 1, 0, 0);
    return clampToInt(std::int64_t(WrapLines(measurer).size()) * lineHeight(DrawContext{}) +
                      2 * g.gy);
}

int TMemoView::CalcWidth(const TextMeasurer& measurer) const {
    const ViewGeometry g = geometry(1, 1, 0, 0);
    const int pixels = fontPixelHeight(Font.Size);
    double widest = 0;
    for (const QString& line : Memo)
        for (const QString& piece : line.split(QRegularExpression(QStringLiteral("[\r\n]+"))))
            widest = std::max(widest, measurer.textWidth(Font, pixels, withoutMark(piece)) +
                                          double(CharSpacing) * piece.size());
    return rnd(widest) + 2 * g.gx;
}

std::vector<PlacedLine> TMemoView::PlaceLines(const QStringList& wrapped, const ViewGeometry& g,
                                              const DrawContext& c) const {
    std::vector<PlacedLine> placed;
    placed.reserve(static_cast<std::size_t>(wrapped.size()));
    const int lh = lineHeight(c);
    const int count = static_cast<int>(wrapped.size());
    const int pixels = fontPixels(c);
    const bool turned = vertical();
    // Across the lines (down, or rightwards when turned) and along them.
    const int acrossInset = turned ? g.gx : g.gy;
    const int acrossSpan = turned ? g.rect.width() : g.rect.height();
    const int alongInset = turned ? g.gy : g.gx;
    const int alongSpan = turned ? g.rect.height() : g.rect.width();
    const int block = clampToInt(std::int64_t(count) * lh + 2 * acrossInset);
    int first = (turned ? g.x : g.y) + acrossInset;
    if (Alignment & taMiddle)
        first += (acrossSpan - block) / 2;
    else if (Alignment & taDown)
        first = (turned ? g.rect.right : g.rect.bottom) - block - 1 + acrossInset;

    for (int i = 0; i < count; ++i) {
        PlacedLine line;
        line.paragraphEnd = endsParagraph(wrapped[i]);
        line.text = withoutMark(wrapped[i]);
        line.width = rnd(c.measurer->textWidth(Font, pixels, line.text) +
                         rnd(CharSpacing * c.sx) * double(line.text.size()));
        int along = alongInset;
        switch (Alignment & 3) {
        case taRight:
            along = alongSpan - alongInset - line.width - 1;
            break;
        case taCenter:
            along = alongInset + (alongSpan - 2 * alongInset - line.width) / 2;
            break;
        default:
            break;
        }
        const int across = clampToInt(first + std::int64_t(i) * lh);
        if (turned) {
            line.x = across;
            line.y = g.rect.bottom - along; // text runs upwards from here
        } else {
            line.x = g.x + along;
            line.y = across;
        }
        placed.push_back(std::move(line));
    }
    return placed;
}

std::uint16_t TMemoView::lineFrame(int index, int count) const {
    if (count <= 1)
        return FrameTyp;
    if (index == 0)
        return FrameTyp & ~ftBottom;
    if (index == count - 1)
        return FrameTyp & ~ftTop;
    return FrameTyp & ~(ftTop | ftBottom);
}

void TMemoView::Draw(QPainter& painter, const DrawContext& c) const {
    const ViewGeometry g = geometry(c.sx, c.sy, c.ox, c.oy);
    drawFrame(painter, g, c);
    const QStringList wrapped = WrapLines(*c.measurer);
    const std::vector<PlacedLine> lines = PlaceLines(wrapped, g, c);
    const int lh = lineHeight(c);
    painter.save();
    if (Flags & flUnderlines) {
        QPen pen(toQColor(FrameColor));
        pen.setWidth(std::max(1, rnd(c.sx * FrameWidth)));
        painter.setPen(pen);
        const int x2 = rnd((Left + Width) * c.sx + c.ox);
        for (const PlacedLine& line : lines)
            painter.drawLine(g.x, line.y + lh - 1, x2, line.y + lh - 1);
    }
    painter.setClipRect(QRect(g.rect.left, g.rect.top, g.rect.width(), g.rect.height()),
                        Qt::IntersectClip);
    const QFont font = Font.toQFont(fontPixels(c));
    painter.setFont(font);
    painter.setPen(toQColor(Font.Color));
    painter.setBackgroundMode(Qt::TransparentMode);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip |
                      ((Flags & flRTLReading) ? Qt::TextForceRightToLeft : 0);
    const bool turned = vertical();
    const int alongSpan = turned ? g.rect.height() : g.rect.width();
    const int alongInset = turned ? g.gy : g.gx;
    for (const PlacedLine& line : lines) {
        painter.save();
        painter.translate(line.x, line.y);
        if (turned)
            painter.rotate(-90);
        const int spaces =
            static_cast<int>(std::count_if(line.text.begin(), line.text.end(), isSpace));
        const int spare = alongSpan - 2 * alongInset - line.width;
        if ((Alignment & 3) == taJustify && !line.paragraphEnd && spaces > 0 && spare > 0) {
            // The spare width goes into the spaces, word by word.
            const double extra = double(spare) / spaces;
            const QFontMetricsF metrics(font);
            double at = 0;
            qsizetype from = 0;
            for (qsizetype i = 0; i <= line.text.size(); ++i) {
                if (i < line.text.size() && !isSpace(line.text[i]))
                    continue;
                const QString word = line.text.mid(from, i - from);
                painter.drawText(QRectF(at, 0, 1e6, lh), flags, word);
                at += metrics.horizontalAdvance(word);
                if (i < line.text.size())
                    at += metrics.horizontalAdvance(line.text[i]) + extra;
                from = i + 1;
            }
        } else {
            painter.drawText(QRectF(0, 0, 1e6, lh), flags, line.text);
        }
        painter.restore();
    }
    painter.restore();
}

void TMemoView::Export(ExportTarget& target, const DrawContext& c) const {
    if (BandAlign != baWidth) {
        exportLines(target, c);
        return;
    }
    TMemoView spread(*this);
    spread.Left = c.pageLeft;
    spread.Width = c.pageRight - c.pageLeft - 1;
    spread.exportLines(target, c);
}

void TMemoView::exportLines(ExportTarget& target, const DrawContext& c) const {
    target.ObjectData(Left, Top, *this);
    const QStringList wrapped = WrapLines(*c.measurer);
    if (wrapped.isEmpty())
        return;
    const ViewGeometry g = geometry(1, 1, 0, 0);
    const std::vector<PlacedLine> lines = PlaceLines(wrapped, g, c);
    const int count = static_cast<int>(lines.size());
    for (int i = 0; i < count; ++i)
        target.TextLine(g.rect, lines[i].x, lines[i].y, lines[i].text,
                        vertical() ? std::uint16_t(0) : lineFrame(i, count), *this);
}

} // namespace dbfquery::report
