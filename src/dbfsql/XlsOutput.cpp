#include "dbfsql/XlsOutput.h"

#include "export/TableWorkbook.h"

#include <QDate>
#include <QDateTime>

namespace dbfquery::dbfsql {

namespace {

using data::FieldType;
using xls::TableColumn;

TableColumn columnOf(const data::ResultColumn& field) {
    switch (field.type) {
    case FieldType::Integer:
    case FieldType::BigInt:
        return {field.name, TableColumn::Kind::Number, 0};
    case FieldType::Float:
        // A double carries no count of decimals; two show money and ratios.
        return {field.name, TableColumn::Kind::Number, field.decimals > 0 ? field.decimals : 2};
    case FieldType::Currency:
    case FieldType::Decimal:
        return {field.name, TableColumn::Kind::Number, field.decimals};
    case FieldType::Date:
        return {field.name, TableColumn::Kind::Date, 0};
    case FieldType::Logical:
        return {field.name, TableColumn::Kind::Logical, 0};
    default:
        return {field.name, TableColumn::Kind::Text, 0};
    }
}

QVariant cellOf(const data::ResultSet& rows, qsizetype row, int column) {
    if (rows.isNull(row, column))
        return {};
    const QVariant value = rows.value(row, column);
    switch (rows.columns()[static_cast<size_t>(column)].type) {
    case FieldType::DateTime:
        return value.toDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    case FieldType::Binary:
        return QVariant();
    default:
        return value;
    }
}

} // namespace

void writeXls(const QString& fileName, const data::ResultSet& rows, const QString& sheetName,
              const QString& userName) {
    QList<TableColumn> columns;
    for (const data::ResultColumn& field : rows.columns())
        columns << columnOf(field);
    qsizetype next = 0;
    const auto readRow = [&](QVariantList& row) {
        if (next >= rows.rowCount())
            return false;
        row.clear();
        for (int column = 0; column < static_cast<int>(columns.size()); ++column)
            row << cellOf(rows, next, column);
        ++next;
        return true;
    };
    xls::saveTableWorkbook(fileName, columns, readRow, sheetName, userName);
}

} // namespace dbfquery::dbfsql
