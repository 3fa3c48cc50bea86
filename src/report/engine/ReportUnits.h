#pragma once

#include "support/Rounding.h"

namespace dbfquery::report {

// Report units: integers, 93 / 1.015 to the inch. At scale 1 a unit counts as
// one pixel of a 96-dpi canvas when text is measured.
inline constexpr double kUnitsPerInch = 93.0 / 1.015; // 91.6256157635468

// Paper sizes are kept in tenths of a millimetre.
inline int tenthsMmToUnits(int tenths) {
    return static_cast<int>(support::roundHalfEven(tenths * kUnitsPerInch / 254.0));
}

// The table report's margins are whole millimetres at 3.6 units each (not
// 3.6073: stored designs and page breaks depend on this figure).
inline int marginMmToUnits(int mm) {
    return static_cast<int>(support::roundHalfEven(mm * 18.0 / 5.0));
}

// Device pixels at `dpi` to report units on one axis.
inline int devicePixelsToUnits(int pixels, int dpi) {
    return dpi > 0 ? static_cast<int>(support::roundHalfEven(pixels * kUnitsPerInch / dpi)) : 0;
}

// Pixel height of a font of `points` at scale `scale` on a 96-dpi canvas:
// round(points x 96 / 72 x scale). The font is created with the negative of it.
inline int fontPixelHeight(int points, double scale = 1.0) {
    return static_cast<int>(support::roundHalfEven(points * 96.0 / 72.0 * scale));
}

} // namespace dbfquery::report
