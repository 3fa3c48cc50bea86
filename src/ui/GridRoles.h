#pragma once

#include <Qt>

namespace dbfquery::ui {

// What TDataGrid reads from its model besides Qt's display roles. A model
// adapter for the grid provides:
//   headerData(column, Qt::Horizontal, Qt::DisplayRole)  the title
//   headerData(column, Qt::Horizontal, FieldKindRole)     int of TFieldKind;
//                                                         invalid: no field
//   headerData(column, Qt::Horizontal, FieldPrecisionRole) int, significant
//                                                         digits of a float
//                                                         sum; invalid or
//                                                         <= 0: 15
//   data(index, Qt::DisplayRole)                          the cell's text
//   data(index, RawValueRole)                             double for the
//                                                         totals; invalid or
//                                                         null: a null value
enum GridRole : int {
    FieldKindRole = Qt::UserRole + 0x100,
    FieldPrecisionRole,
    RawValueRole,
};

// How a column's values are summed and shown in its footer. Integer, Float,
// Currency and Decimal are the numeric classes (Currency: a float or decimal
// field shown in the currency format); everything else, 64-bit integers
// included, is Other.
enum class TFieldKind { Integer, Float, Currency, Decimal, Other };

inline bool isNumericKind(TFieldKind kind) { return kind != TFieldKind::Other; }

// What a column's footer cell shows: nothing, the sum of the column's
// non-null values, their average, the number of rows, the current row's
// value, or a text of its own.
enum TFooterValueType { fvtNon, fvtSum, fvtAvg, fvtCount, fvtFieldValue, fvtStaticText };

} // namespace dbfquery::ui
