#pragma once

#include <cmath>
#include <cstdint>

namespace dbfquery::support {

// Rounding of computed sizes and totals: to the nearest integer, halves to
// even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Independent of the FPU's mode.
inline std::int64_t roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    auto whole = static_cast<std::int64_t>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && (whole % 2 != 0)))
        ++whole;
    return whole;
}

} // namespace dbfquery::support
