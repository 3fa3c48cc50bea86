#pragma once

#include <cstdint>

namespace dbfquery::xls {

// Row object of a sheet; created only through TXLSWorksheet::GetRow.
struct TXLSRow {
    std::int32_t Index = 0;
    std::int32_t Height = 255;      // points
};

} // namespace dbfquery::xls
