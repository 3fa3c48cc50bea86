#pragma once

#include <cstdint>

namespace dbfquery::xls {

// One side of a cell's frame. LineStyle uses the BIFF8 codes (0 none,
// 1 thin, 2 medium, ... 13); Weight is kept but never written.
struct TXLSBorder {
    std::int32_t Color = 0;         // 0x00BBGGRR or a system colour
    std::uint8_t LineStyle = 0;
    std::uint8_t Weight = 0;
};

} // namespace dbfquery::xls
