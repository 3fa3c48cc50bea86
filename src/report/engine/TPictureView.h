#pragma once

#include "report/engine/TReportView.h"

namespace dbfquery::report {

// Carried through report streams with the fields every view has; the table
// report never makes one and this program does not draw it.
class TPictureView final : public TReportView {
public:
    ObjectKind kind() const override { return ObjectKind::Picture; }
    std::unique_ptr<TReportView> clone() const override { return std::make_unique<TPictureView>(*this); }
    void copyFrom(const TReportView& other) override { *this = static_cast<const TPictureView&>(other); }
};

} // namespace dbfquery::report
