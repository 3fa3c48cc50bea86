#include "report/engine/TReportPage.h"

namespace dbfquery::report {

TReportPage::TReportPage(const TReportPage& other)
    : Paper(other.Paper), Margins(other.Margins), UseMargins(other.UseMargins),
      Geometry(other.Geometry) {
    Objects.reserve(other.Objects.size());
    for (const auto& object : other.Objects)
        Objects.push_back(object->clone());
}

TReportPage& TReportPage::operator=(const TReportPage& other) {
    if (this != &other) {
        TReportPage copy(other);
        *this = std::move(copy);
    }
    return *this;
}

} // namespace dbfquery::report
