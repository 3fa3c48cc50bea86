#pragma once

#include "report/engine/TReportView.h"

namespace dbfquery::report {

// Picture, line and sub-report objects: carried through report streams with
// the fields every view has. The table report never makes one and this
// program does not draw them.
template <ObjectKind Kind> class TCarriedView final : public TReportView {
public:
    ObjectKind kind() const override { return Kind; }
    std::unique_ptr<TReportView> clone() const override {
        return std::make_unique<TCarriedView>(*this);
    }
    void copyFrom(const TReportView& other) override {
        *this = static_cast<const TCarriedView&>(other);
    }
};

using TPictureView = TCarriedView<ObjectKind::Picture>;
using TLineView = TCarriedView<ObjectKind::Line>;
using TSubReportView = TCarriedView<ObjectKind::SubReport>;

} // namespace dbfquery::report
