#pragma once

#include <cstdint>

namespace dbfquery::xls {

// Column object of a sheet; created only through TXLSWorksheet::GetCol.
struct TXLSCol {
    std::int32_t Index = 0;
    std::int32_t Width = 2048;      // 1/256 of a character's width
};

} // namespace dbfquery::xls
