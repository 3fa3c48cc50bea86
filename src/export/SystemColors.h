#pragma once

#include <cstdint>

namespace dbfquery::xls {

// A colour value with the top bit set names a system colour by its index in
// the low 24 bits (the classic desktop's numbering: 5 window, 8 window
// text, 15 button face...).
constexpr std::int32_t SystemColorFlag = static_cast<std::int32_t>(0x80000000u);
constexpr std::int32_t systemColor(int index) { return SystemColorFlag | index; }
constexpr std::int32_t SystemWindowText = systemColor(8);

// The colour value of an RGB triple written 0xRRGGBB.
constexpr std::int32_t colorFromRgb(std::uint32_t rgb) {
    return static_cast<std::int32_t>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

constexpr bool isSystemColor(std::int32_t colour) { return (colour & SystemColorFlag) != 0; }
// The 0x00BBGGRR value of a system colour from a fixed table of the classic
// desktop defaults, so that a file does not depend on the user's theme;
// unknown indexes give black. Other colours come back unchanged.
std::int32_t resolveSystemColor(std::int32_t colour);

} // namespace dbfquery::xls
