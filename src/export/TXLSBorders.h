#pragma once

#include "export/TXLSBorder.h"

#include <array>

namespace dbfquery::xls {

// The six borders of a range at fixed positions.
class TXLSBorders {
public:
    enum Position { DiagonalDown = 0, DiagonalUp = 1, Bottom = 2, Left = 3, Right = 4, Top = 5 };
    static constexpr int Count = 6;

    TXLSBorder& operator[](Position p) { return m_borders[p]; }
    const TXLSBorder& operator[](Position p) const { return m_borders[p]; }

private:
    std::array<TXLSBorder, Count> m_borders{};
};

} // namespace dbfquery::xls
