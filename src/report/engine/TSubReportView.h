#pragma once

#include "report/engine/TReportView.h"

namespace dbfquery::report {

// Carried through report streams with the fields every view has; the table
// report never makes one and this program does not draw it.
class TSubReportView final : public TReportView {
public:
    ObjectKind kind() const override { return ObjectKind::SubReport; }
    std::unique_ptr<TReportView> clone() const override { return std::make_unique<TSubReportView>(*this); }
    void copyFrom(const TReportView& other) override { *this = static_cast<const TSubReportView&>(other); }
};

} // namespace dbfquery::report
