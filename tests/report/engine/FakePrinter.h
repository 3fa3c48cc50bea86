#pragma once

#include "report/engine/ReportPrinterPort.h"

#include <vector>

namespace dbfquery::report::testing {

// Two printers, papers as the virtual printer's; records what it is asked.
class FakePrinter final : public ReportPrinterPort {
public:
    QStringList names{QStringLiteral("Лазерный"), kVirtualPrinterName};
    int current = 1;
    std::vector<int> selected;
    std::vector<PaperSpec> papers;

    QStringList printerNames() const override { return names; }
    int printerIndex() const override { return current; }
    void selectPrinter(int index) override {
        selected.push_back(index);
        current = index;
    }
    PrinterGeometry applyPaper(PaperSpec& paper) override {
        papers.push_back(paper);
        return m_virtual.applyPaper(paper);
    }

private:
    VirtualPrinter m_virtual;
};

} // namespace dbfquery::report::testing
