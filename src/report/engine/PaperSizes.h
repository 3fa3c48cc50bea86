#pragma once

#include <optional>
#include <span>

namespace dbfquery::report {

inline constexpr int kPaperA4 = 9;
inline constexpr int kPaperCustom = 256; // user-defined width and height

// A paper of the virtual printer's table, portrait, in tenths of a millimetre.
struct PaperSize {
    int code;
    int width;
    int height;
};

// The 67 papers in table order (codes 1..68 without 48 and 49, then 256).
std::span<const PaperSize> paperSizes();
std::optional<PaperSize> findPaperSize(int code);

} // namespace dbfquery::report
