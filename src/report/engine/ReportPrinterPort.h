#pragma once

#include "report/engine/PrinterGeometry.h"

#include <QStringList>

namespace dbfquery::report {

// What the engine needs of the printer wrapper: the printer list (by name),
// the current printer, and giving a page's paper to it. GUI thread only.
class ReportPrinterPort {
public:
    virtual ~ReportPrinterPort() = default;
    virtual QStringList printerNames() const = 0;
    virtual int printerIndex() const = 0;
    virtual void selectPrinter(int index) = 0;
    // Sets the current printer to the paper, reads the paper's size back into
    // `paper` (tenths of a millimetre, as the printer reports it) and returns
    // the printer geometry for it.
    virtual PrinterGeometry applyPaper(PaperSpec& paper) = 0;
};

// The printer used when no physical one is selected: one entry named
// "Виртуальный принтер", papers from the built-in table.
class VirtualPrinter final : public ReportPrinterPort {
public:
    QStringList printerNames() const override { return {kVirtualPrinterName}; }
    int printerIndex() const override { return 0; }
    void selectPrinter(int) override {}
    PrinterGeometry applyPaper(PaperSpec& paper) override;
};

} // namespace dbfquery::report
