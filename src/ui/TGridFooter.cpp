#include "ui/TGridFooter.h"

#include "support/DesignFont.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

namespace dbfquery::ui {

TGridFooter::TGridFooter(QTableView* view, QWidget* parent) : QWidget(parent), m_view(view) {
    setFont(support::designFont(13, true));
    setAutoFillBackground(false);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    QHeaderView* header = view->horizontalHeader();
    auto repaint = [this] { update(); };
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::sectionMoved, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    connect(view->verticalHeader(), &QHeaderView::geometriesChanged, this, repaint);
}

void TGridFooter::setCells(std::vector<Cell> cells) {
    m_cells = std::move(cells);
    update();
}

QSize TGridFooter::sizeHint() const { return {100, fontMetrics().height() + 6}; }

// The columns start right of the view's frame and its indicator column.
int TGridFooter::cellsLeft() const {
    const QHeaderView* indicator = m_view->verticalHeader();
    return m_view->frameWidth() + (indicator->isVisible() ? indicator->width() : 0);
}

QRect TGridFooter::cellRect(int column) const {
    const QHeaderView* header = m_view->horizontalHeader();
    const int left = cellsLeft();
    return QRect(left + header->sectionViewportPosition(column), 0, header->sectionSize(column), height());
}

void TGridFooter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(Qt::yellow));
    const QHeaderView* header = m_view->horizontalHeader();
    const int left = cellsLeft();
    const int right = left + m_view->viewport()->width();
    painter.setClipRect(QRect(left, 0, std::max(0, right - left), height()));

    const QColor lines = palette().color(QPalette::Mid);
    painter.setFont(font());
    for (int column = 0; column < int(m_cells.size()) && column < header->count(); ++column) {
        if (header->isSectionHidden(column))
            continue;
        const QRect cell = cellRect(column);
        if (cell.right() < left || cell.left() > right)
            continue;
        painter.setPen(lines);
        painter.drawLine(cell.topRight(), cell.bottomRight());
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect textRect = cell.adjusted(3, 0, -4, 0);
        painter.drawText(textRect, int(m_cells[column].alignment),
                         fontMetrics().elidedText(m_cells[column].text, Qt::ElideRight, textRect.width()));
    }
    painter.setClipping(false);
    painter.setPen(lines);
    painter.drawLine(0, 0, width(), 0);
}

} // namespace dbfquery::ui
