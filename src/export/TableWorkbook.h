#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace dbfquery::xls {

class TXLSWorkbook;

// A plain table written as a workbook: one sheet named after the table, a
// bold header row of field names, one row per record. Past 65,536 rows the
// table goes on in further sheets ("name (2)", ...), each with the header.
struct TableColumn {
    enum class Kind { Text, Number, Date, Logical };
    QString name;
    Kind kind = Kind::Text;
    int decimals = 0;  // Number: digits after the point in the cell format
};

// Fills row with one value per column and returns true, or returns false
// after the last record. Values: QString, qint64, double, QDate, bool; an
// invalid QVariant is an empty cell. Numbers are written as numbers with the
// format "0" or "0.00..." by the column's decimals; dates as day numbers
// with the format "DD.MM.YYYY" (dates before 1900 as that text); logical
// values as the text T or F.
using TableRowReader = std::function<bool(QVariantList& row)>;

// Builds the sheets into an empty workbook. Column widths follow the widest
// value of each sheet's column.
void buildTableWorkbook(TXLSWorkbook& workbook, const QList<TableColumn>& columns,
                        const TableRowReader& readRow, const QString& sheetName);

// Builds and saves; userName goes into the file as its last author. Throws
// support::UserError when the file cannot be written or has more than 256
// columns.
void saveTableWorkbook(const QString& fileName, const QList<TableColumn>& columns,
                       const TableRowReader& readRow, const QString& sheetName,
                       const QString& userName);

} // namespace dbfquery::xls
