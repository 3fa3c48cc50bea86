#pragma once

#include "report/engine/PrinterGeometry.h"
#include "report/engine/TReportView.h"

#include <memory>
#include <vector>

namespace dbfquery::report {

// A page of a design, or the page object a prepared page is materialised
// into: paper, margins (report units) and the objects it owns in list order.
class TReportPage {
public:
    PaperSpec Paper;
    PageMargins Margins;
    bool UseMargins = true;
    PrinterGeometry Geometry; // for Paper on the printer selected when it was set

    std::vector<std::unique_ptr<TReportView>> Objects;

    TReportPage() = default;
    TReportPage(const TReportPage& other);
    TReportPage& operator=(const TReportPage& other);
    TReportPage(TReportPage&&) noexcept = default;
    TReportPage& operator=(TReportPage&&) noexcept = default;

    PageLimits limits() const { return pageLimits(Geometry, Margins, UseMargins); }

    template <class View> View& add(View view) {
        auto owned = std::make_unique<View>(std::move(view));
        View& ref = *owned;
        Objects.push_back(std::move(owned));
        return ref;
    }
};

} // namespace dbfquery::report
