#pragma once

#include <QColor>
#include <cstdint>

namespace dbfquery::report {

// Colours are 32-bit values 0x00BBGGRR (red in the low byte). A value with the
// top bit set names a system colour by its index in the low 24 bits.
using TColor = std::uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF; // no fill: transparent
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clWindowText = 0x80000008; // system colour 8

inline constexpr bool isSystemColor(TColor c) {
    return (c & 0x80000000u) != 0;
}
inline constexpr TColor rgbColor(int r, int g, int b) {
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The colour to paint with. System colours come from the application palette
// where one matches, else the classic desktop values. Only call with a
// QGuiApplication when a palette is wanted; without one the fixed values serve.
QColor toQColor(TColor color);

} // namespace dbfquery::report
