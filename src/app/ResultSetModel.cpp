#include "app/ResultSetModel.h"

#include "ui/CellText.h"
#include "ui/GridRoles.h"

namespace dbfquery::app {

namespace {

using data::FieldType;
using ui::TFieldKind;

TFieldKind fieldKindOf(FieldType type) {
    switch (type) {
    case FieldType::Integer:
        return TFieldKind::Integer;
    case FieldType::Float:
        return TFieldKind::Float;
    case FieldType::Currency:
        return TFieldKind::Currency;
    case FieldType::Decimal:
        return TFieldKind::Decimal;
    default:
        return TFieldKind::Other;
    }
}

bool isRightAligned(FieldType type) {
    return type == FieldType::Integer || type == FieldType::BigInt || type == FieldType::Float ||
           type == FieldType::Currency || type == FieldType::Decimal;
}

} // namespace

void ResultSetModel::setResult(std::shared_ptr<const data::ResultSet> result) {
    beginResetModel();
    m_result = std::move(result);
    endResetModel();
}

int ResultSetModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_result)
        return 0;
    return static_cast<int>(m_result->rowCount());
}

int ResultSetModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_result)
        return 0;
    return static_cast<int>(m_result->columns().size());
}

QString ResultSetModel::displayText(int row, int column) const {
    if (m_result->isNull(row, column))
        return QString();
    const data::ResultColumn& field = m_result->columns()[static_cast<size_t>(column)];
    const QVariant value = m_result->value(row, column);
    switch (field.type) {
    case FieldType::Memo:
        return ui::oneLineCellText(value.toString());
    case FieldType::Date:
        return ui::dateCellText(value.toDate());
    case FieldType::DateTime:
        return ui::dateTimeCellText(value.toDateTime());
    case FieldType::Logical:
        return ui::logicalCellText(value);
    case FieldType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    case FieldType::Decimal:
    case FieldType::Currency:
        return QString::number(value.toDouble(), 'f', field.decimals);
    case FieldType::Binary:
        return QStringLiteral("(BLOB)");
    default:
        return value.toString();
    }
}

QVariant ResultSetModel::data(const QModelIndex& index, int role) const {
    if (!m_result || !index.isValid())
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return displayText(row, column);
    case ui::RawValueRole:
        if (m_result->isNull(row, column))
            return {};
        return m_result->number(row, column);
    case Qt::TextAlignmentRole:
        if (isRightAligned(m_result->columns()[static_cast<size_t>(column)].type))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ResultSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!m_result || orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const data::ResultColumn& field = m_result->columns()[static_cast<size_t>(section)];
    switch (role) {
    case Qt::DisplayRole:
        return field.name;
    case ui::FieldKindRole:
        return static_cast<int>(fieldKindOf(field.type));
    case ui::FieldPrecisionRole:
        return 15;
    default:
        return QAbstractTableModel::headerData(section, orientation, role);
    }
}

} // namespace dbfquery::app
