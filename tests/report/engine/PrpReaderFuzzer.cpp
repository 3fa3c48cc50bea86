// Arbitrary bytes as a ".prp" file: a damaged file must fail with a clear
// error, and whatever is accepted must export without faults.
#include "report/engine/ExportTarget.h"
#include "report/engine/FixedTextMeasurer.h"
#include "report/engine/ReportStreamReader.h"
#include "report/engine/TPreparedPages.h"

#include <cstddef>
#include <cstdint>

namespace {

class NullTarget final : public dbfquery::report::ExportTarget {
public:
    void ObjectData(int, int, const dbfquery::report::TReportView&) override {}
    void TextLine(const dbfquery::report::DrawRect&, int, int, const QString&, std::uint16_t,
                  const dbfquery::report::TReportView&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dbfquery::report;
    static const FixedTextMeasurer metrics;
    TPreparedPages pages;
    pages.setMeasurer(metrics);
    VirtualPrinter printer;
    try {
        pages.LoadFromBytes(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), printer);
    } catch (const ReportStreamError&) {
        return 0;
    }
    NullTarget target;
    for (int i = 0; i < pages.Count(); ++i) {
        pages.ExportPage(i, target);
        pages.MaterializePage(i);
    }
    return 0;
}
