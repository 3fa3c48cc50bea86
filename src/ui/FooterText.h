#pragma once

#include "ui/GridRoles.h"

#include <QLocale>
#include <QString>
#include <cstdint>

namespace dbfquery::ui {

class TFooterTotal;

// The locale of the numbers the grid shows: Russian, whatever the process
// locale is (decimal comma, the rouble in the currency format).
QLocale gridLocale();

// The general number format: `value` at `precision` significant digits
// (1 to 17; 0 or less: 15), trailing zeros dropped, in fixed notation when
// it has at most `precision` digits before the point and is at least
// 0.00001, else as mantissa, "E" and exponent (1E20, 1,5E-7).
QString formatGeneral(double value, int precision, const QLocale& locale);

// A fixed-point number of ten-thousandths, with at most four decimals and
// no trailing zeros (12,5; -0,0001; 3).
QString formatTenThousandths(std::int64_t value, const QLocale& locale);

// A sum or average shown by the column's field kind: a whole number for
// integers, general format with `precision` for floats, at most four
// decimals for decimals, the currency format for currency, "0" for others.
QString footerNumberText(const TFooterTotal& total, TFieldKind kind, int precision, const QLocale& locale);
QString footerNumberText(double value, TFieldKind kind, int precision, const QLocale& locale);

} // namespace dbfquery::ui
