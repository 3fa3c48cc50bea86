#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QTableView;

namespace dbfquery::ui {

// The footer row under a table view: one cell under each column, kept in
// line with the columns as they are resized, moved or scrolled. Yellow,
// bold "MS Sans Serif" 13 px. Shows the texts it is given. GUI thread only.
class TGridFooter : public QWidget {
    Q_OBJECT
public:
    struct Cell {
        QString text;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    explicit TGridFooter(QTableView* view, QWidget* parent = nullptr);

    // One cell per model column.
    void setCells(std::vector<Cell> cells);
    const std::vector<Cell>& cells() const { return m_cells; }
    // Where the cell of a model column lies, in footer coordinates.
    QRect cellRect(int column) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int cellsLeft() const;

    QTableView* m_view;
    std::vector<Cell> m_cells;
};

} // namespace dbfquery::ui
