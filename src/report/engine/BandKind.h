#pragma once

#include <QString>
#include <cstdint>

namespace dbfquery::report {

// Band kinds as a band object keeps them in its FrameTyp field.
enum class BandKind : std::uint16_t {
    ReportTitle = 0,
    ReportSummary = 1,
    PageHeader = 2,
    PageFooter = 3,
    MasterHeader = 4,
    MasterData = 5,
    MasterFooter = 6,
    DetailHeader = 7,
    DetailData = 8,
    DetailFooter = 9,
    SubdetailHeader = 10,
    SubdetailData = 11,
    SubdetailFooter = 12,
    Overlay = 13,
    ColumnHeader = 14,
    ColumnFooter = 15,
    GroupHeader = 16,
    GroupFooter = 17,
    CrossHeader = 18,
    CrossData = 19,
    CrossFooter = 20,
    Child = 21,
    None = 22, // objects on no band
};

inline constexpr int kBandKindCount = 23;

// The engine's name of a band kind ("Report title" ... "Нет").
QString bandKindName(BandKind kind);

inline constexpr bool isCrossKind(BandKind k) {
    return k == BandKind::CrossHeader || k == BandKind::CrossData || k == BandKind::CrossFooter;
}

} // namespace dbfquery::report
