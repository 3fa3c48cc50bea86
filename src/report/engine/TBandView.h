#pragma once

#include "report/engine/BandKind.h"
#include "report/engine/TReportView.h"

namespace dbfquery::report {

// A band object of a design: its FrameTyp holds the band kind. Never drawn
// and never part of a prepared page's output. New bands are OnFirstPage |
// OnLastPage.
class TBandView final : public TReportView {
public:
    TBandView() { Flags = flBandOnFirstPage | flBandOnLastPage; }
    explicit TBandView(BandKind kind) : TBandView() { setBandKind(kind); }

    // The report data source this band iterates, by component name; a
    // number makes a counted source of that many records.
    QString DataSet;

    BandKind bandKind() const { return static_cast<BandKind>(FrameTyp); }
    void setBandKind(BandKind kind) { FrameTyp = static_cast<std::uint16_t>(kind); }

    ObjectKind kind() const override { return ObjectKind::Band; }
    std::unique_ptr<TReportView> clone() const override {
        return std::make_unique<TBandView>(*this);
    }
    void copyFrom(const TReportView& other) override {
        *this = static_cast<const TBandView&>(other);
    }
};

} // namespace dbfquery::report
