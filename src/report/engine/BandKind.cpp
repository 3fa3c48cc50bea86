#include "report/engine/BandKind.h"

#include <array>

namespace dbfquery::report {

QString bandKindName(BandKind kind) {
    // clang-format off
    static const std::array<const char*, kBandKindCount> names = {
        "Report title", "Report summary", "Page header", "Page footer", "Master header",
        "Master data", "Master footer", "Detail header", "Detail data", "Detail footer",
        "Subdetail header", "Subdetail data", "Subdetail footer", "Overlay", "Column header",
        "Column footer", "Group header", "Group footer", "Cross header", "Cross data",
        "Cross footer", "Child", "Нет"};
    // clang-format on
    const auto index = static_cast<std::size_t>(kind);
    return index < names.size() ? QString::fromUtf8(names[index]) : QString();
}

} // namespace dbfquery::report
