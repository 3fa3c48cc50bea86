#include "support/SearchAnimation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace dbfquery::support {

SearchAnimation::SearchAnimation(QWidget* parent) : QWidget(parent) {
    m_timer.setInterval(FrameIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &SearchAnimation::advance);
}

void SearchAnimation::play() {
    m_frame = 0;
    m_timer.start();
    update();
}

void SearchAnimation::stop() {
    m_timer.stop();
    m_frame = StopFrame;
    update();
}

void SearchAnimation::advance() {
    m_frame = (m_frame + 1) % FrameCount;
    update();
}

void SearchAnimation::paintEvent(QPaintEvent*) {
    if (height() <= 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // A row of pages across the middle; the glass swings over them and back.
    const qreal unit = std::min<qreal>(height(), width() / 6.0);
    const qreal pageW = unit * 0.45;
    const qreal pageH = unit * 0.6;
    const qreal rowWidth = unit * 3.6;
    const qreal left = (width() - rowWidth) / 2.0;
    const qreal top = (height() - pageH) / 2.0;
    constexpr int pages = 5;
    const qreal gap = (rowWidth - pages * pageW) / (pages - 1);

    const qreal phase = 2.0 * std::numbers::pi * m_frame / FrameCount;
    const qreal sweep = (1.0 - std::cos(phase)) / 2.0; // 0 -> 1 -> 0
    const qreal glassX = left + sweep * rowWidth;
    const qreal glassY = height() / 2.0 - unit * 0.08 * std::sin(2.0 * phase);

    const QColor paper = palette().color(QPalette::Base);
    const QColor ink = palette().color(QPalette::WindowText);
    for (int i = 0; i < pages; ++i) {
        const QRectF page(left + i * (pageW + gap), top, pageW, pageH);
        const bool underGlass = std::abs(page.center().x() - glassX) < pageW;
        painter.setPen(QPen(ink, 1));
        painter.setBrush(underGlass ? palette().color(QPalette::Highlight).lighter(160) : paper);
        painter.drawRect(page);
        painter.setPen(QPen(ink.lighter(180), 1));
        for (int line = 1; line <= 3; ++line) {
            const qreal y = page.top() + line * pageH / 4.5;
            painter.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
        }
    }

    const qreal radius = unit * 0.28;
    painter.setPen(QPen(ink, std::max<qreal>(2.0, unit * 0.08), Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(QColor(200, 230, 255, 110));
    painter.drawEllipse(QPointF(glassX, glassY), radius, radius);
    const qreal handle = radius * 0.9;
    painter.drawLine(QPointF(glassX + radius * 0.7, glassY + radius * 0.7),
                     QPointF(glassX + radius * 0.7 + handle, glassY + radius * 0.7 + handle));
}

} // namespace dbfquery::support
