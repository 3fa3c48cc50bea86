#include "ui/TDataGrid.h"

#include "support/DesignFont.h"
#include "ui/FooterText.h"
#include "ui/TFooterTotal.h"
#include "ui/TGridFooter.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace dbfquery::ui {

namespace {

constexpr int IndicatorWidth = 12;
constexpr int SampledRows = 50; // rows looked at for a column's first width
constexpr int MinColumnWidth = 40;
constexpr int MaxColumnWidth = 400;
constexpr int FooterTextPadding = 10; // the footer cell's margins and line

// Column titles aligned column by column.
class TitleHeader : public QHeaderView {
public:
    TitleHeader(std::function<Qt::Alignment(int)> alignment, QWidget* parent)
        : QHeaderView(Qt::Horizontal, parent), m_alignment(std::move(alignment)) {}

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override {
        QHeaderView::initStyleOptionForIndex(option, logicalIndex);
        option->textAlignment = m_alignment(logicalIndex);
    }

private:
    std::function<Qt::Alignment(int)> m_alignment;
};

// The indicator column: a narrow strip with a marker at the current row.
class IndicatorHeader : public QHeaderView {
public:
    explicit IndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}

    // Fixed, so no row is measured to size the strip.
    QSize sizeHint() const override { return {IndicatorWidth, 100}; }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.rect = rect;
        option.section = logicalIndex;
        style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
        if (!selectionModel() || selectionModel()->currentIndex().row() != logicalIndex)
            return;
        const QPointF centre = QRectF(rect).center();
        const qreal size = std::min<qreal>(rect.width(), rect.height()) / 3.0;
        QPainterPath marker;
        marker.moveTo(centre.x() - size / 2, centre.y() - size);
        marker.lineTo(centre.x() + size / 2 + 1, centre.y());
        marker.lineTo(centre.x() - size / 2, centre.y() + size);
        marker.closeSubpath();
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->fillPath(marker, palette().color(QPalette::WindowText));
        painter->restore();
    }
};

} // namespace

TDataGrid::TDataGrid(QWidget* parent)
    : QWidget(parent), m_view(new QTableView(this)), m_footer(nullptr), m_locale(gridLocale()) {
    const QFont cells = support::designFont(11);
    m_view->setFont(cells);
    m_view->setHorizontalHeader(
        new TitleHeader([this](int column) { return titleAlignment(column); }, m_view));
    m_view->setVerticalHeader(new IndicatorHeader(m_view));
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setTabKeyNavigation(true);
    m_view->setShowGrid(true);
    m_view->setWordWrap(false);
    m_view->setSortingEnabled(false);

    QHeaderView* titles = m_view->horizontalHeader();
    titles->setFont(cells);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setStretchLastSection(false);
    connect(titles, &QHeaderView::sectionClicked, this, &TDataGrid::titleClick);

    QHeaderView* indicator = m_view->verticalHeader();
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setMinimumSectionSize(1);
    indicator->setDefaultSectionSize(std::max(17, QFontMetrics(cells).height() + 5));
    indicator->setMinimumWidth(IndicatorWidth);

    // The selected row stays marked while another control has the focus.
    QPalette palette = m_view->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    m_view->setPalette(palette);

    m_footer = new TGridFooter(m_view, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_footer);
}

TDataGrid::~TDataGrid() = default;

QAbstractItemModel* TDataGrid::model() const { return m_model; }

void TDataGrid::setModel(QAbstractItemModel* model) {
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    m_view->setModel(model);
    if (model)
        connectModel();
    makeColumns();
}

void TDataGrid::connectModel() {
    QAbstractItemModel* model = m_model;
    connect(model, &QAbstractItemModel::modelReset, this, &TDataGrid::makeColumns);
    connect(model, &QAbstractItemModel::columnsInserted, this, &TDataGrid::makeColumns);
    connect(model, &QAbstractItemModel::columnsRemoved, this, &TDataGrid::makeColumns);
    connect(model, &QAbstractItemModel::columnsMoved, this, &TDataGrid::makeColumns);
    connect(model, &QAbstractItemModel::rowsInserted, this, &TDataGrid::modelChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &TDataGrid::modelChanged);
    connect(model, &QAbstractItemModel::rowsMoved, this, &TDataGrid::modelChanged);
    connect(model, &QAbstractItemModel::dataChanged, this, &TDataGrid::modelChanged);
    connect(model, &QAbstractItemModel::layoutChanged, this, &TDataGrid::modelChanged);
    connect(model, &QAbstractItemModel::headerDataChanged, this, &TDataGrid::modelChanged);
    connect(model, &QObject::destroyed, this, [this] { setModel(nullptr); });
    // setModel gives the view a new selection model each time.
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        m_view->verticalHeader()->viewport()->update();
        refreshFieldValues();
    });
}

void TDataGrid::makeColumns() {
    m_columns.assign(m_model ? std::size_t(std::max(0, m_model->columnCount())) : 0, Column{});
    if (m_model) {
        const QFontMetrics metrics(m_view->font());
        const int sampled = std::min(m_model->rowCount(), SampledRows);
        for (int column = 0; column < columnCount(); ++column) {
            int width = metrics.horizontalAdvance(
                            m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()) + 16;
            for (int row = 0; row < sampled; ++row)
                width = std::max(width, metrics.horizontalAdvance(
                                            m_model->index(row, column).data(Qt::DisplayRole).toString()) + 10);
            m_view->setColumnWidth(column, std::clamp(width, MinColumnWidth, MaxColumnWidth));
        }
    }
    m_view->horizontalHeader()->viewport()->update();
    if (m_sumListActive)
        recalcTotals();
    else
        showFooter();
}

void TDataGrid::modelChanged() {
    if (!m_recalculating)
        footerSettingChanged();
}

bool TDataGrid::hasField(int column) const {
    return m_model && validColumn(column) &&
           m_model->headerData(column, Qt::Horizontal, FieldKindRole).isValid();
}

TFieldKind TDataGrid::fieldKind(int column) const {
    if (!hasField(column))
        return TFieldKind::Other;
    const int kind = m_model->headerData(column, Qt::Horizontal, FieldKindRole).toInt();
    if (kind < int(TFieldKind::Integer) || kind > int(TFieldKind::Other))
        return TFieldKind::Other;
    return TFieldKind(kind);
}

int TDataGrid::fieldPrecision(int column) const {
    if (!m_model)
        return 0;
    return m_model->headerData(column, Qt::Horizontal, FieldPrecisionRole).toInt();
}

void TDataGrid::setFooterValueType(int column, TFooterValueType type) {
    if (validColumn(column)) {
        m_columns[column].footerType = type;
        footerSettingChanged();
    }
}

TFooterValueType TDataGrid::footerValueType(int column) const {
    return validColumn(column) ? m_columns[column].footerType : fvtNon;
}

void TDataGrid::setFooterStaticText(int column, const QString& text) {
    if (validColumn(column)) {
        m_columns[column].staticText = text;
        footerSettingChanged();
    }
}

// While the sum list is off the footer stays as it is.
void TDataGrid::footerSettingChanged() {
    if (m_sumListActive)
        recalcTotals();
}

QString TDataGrid::footerText(int column) const {
    return validColumn(column) ? m_columns[column].footerText : QString();
}

void TDataGrid::setSumListActive(bool active) {
    if (active == m_sumListActive)
        return;
    m_sumListActive = active;
    if (active)
        recalcTotals();
}

void TDataGrid::setTitleAlignment(int column, Qt::Alignment alignment) {
    if (!validColumn(column))
        return;
    m_columns[column].titleAlignment = alignment;
    m_view->horizontalHeader()->viewport()->update();
}

Qt::Alignment TDataGrid::titleAlignment(int column) const {
    return validColumn(column) ? m_columns[column].titleAlignment : Qt::Alignment(Qt::AlignCenter);
}

void TDataGrid::setDisplayLocale(const QLocale& locale) {
    m_locale = locale;
    footerSettingChanged();
}

void TDataGrid::recalcTotals() {
    if (!m_model) {
        showFooter();
        return;
    }
    m_recalculating = true;
    while (m_model->canFetchMore(QModelIndex()))
        m_model->fetchMore(QModelIndex());
    const int rows = m_model->rowCount();

    std::vector<int> summed;
    for (int column = 0; column < columnCount(); ++column) {
        const TFooterValueType type = m_columns[column].footerType;
        if ((type == fvtSum || type == fvtAvg) && isNumericColumn(column))
            summed.push_back(column);
    }
    std::vector<TFooterTotal> totals(m_columns.size());
    if (!summed.empty()) {
        m_view->setUpdatesEnabled(false);
        for (int row = 0; row < rows; ++row) {
            for (const int column : summed) {
                const QVariant value = m_model->data(m_model->index(row, column), RawValueRole);
                if (value.isValid() && !value.isNull())
                    totals[column].add(value.toDouble());
            }
        }
        m_view->setUpdatesEnabled(true);
    }

    for (int column = 0; column < columnCount(); ++column) {
        Column& footer = m_columns[column];
        const TFieldKind kind = fieldKind(column);
        const TFooterTotal& total = totals[column];
        switch (footer.footerType) {
        case fvtNon:
        case fvtFieldValue: // follows the current row, below
            footer.footerText.clear();
            break;
        case fvtSum:
            footer.footerText = footerNumberText(total, kind, fieldPrecision(column), m_locale);
            break;
        case fvtAvg:
            footer.footerText = footerNumberText(total.count() ? total.value() / double(total.count()) : 0.0,
                                                 kind, fieldPrecision(column), m_locale);
            break;
        case fvtCount:
            footer.footerText = QString::number(rows);
            break;
        case fvtStaticText:
            footer.footerText = footer.staticText;
            break;
        }
    }
    // A total the user asked for is shown whole, not cut off.
    const QFontMetrics footerMetrics(m_footer->font());
    for (int column = 0; column < columnCount(); ++column) {
        const int needed = footerMetrics.horizontalAdvance(m_columns[column].footerText) + FooterTextPadding;
        if (!m_columns[column].footerText.isEmpty() && needed > m_view->columnWidth(column))
            m_view->setColumnWidth(column, needed);
    }
    if (rows > 0) {
        const int column = std::max(0, m_view->currentIndex().column());
        m_view->setCurrentIndex(m_model->index(0, column));
    }
    m_recalculating = false;
    refreshFieldValues();
    showFooter();
}

void TDataGrid::refreshFieldValues() {
    const QModelIndex current = m_view->currentIndex();
    bool changed = false;
    for (int column = 0; column < columnCount(); ++column) {
        if (m_columns[column].footerType != fvtFieldValue)
            continue;
        m_columns[column].footerText =
            current.isValid() ? m_model->index(current.row(), column).data(Qt::DisplayRole).toString() : QString();
        changed = true;
    }
    if (changed)
        showFooter();
}

void TDataGrid::showFooter() {
    std::vector<TGridFooter::Cell> cells;
    cells.reserve(m_columns.size());
    for (const Column& column : m_columns) {
        const bool number =
            column.footerType == fvtSum || column.footerType == fvtAvg || column.footerType == fvtCount;
        cells.push_back({column.footerText, (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter});
    }
    m_footer->setCells(std::move(cells));
}

} // namespace dbfquery::ui
