#pragma once

#include <QString>
#include <cstdint>

namespace dbfquery::report {

inline const QString kVirtualPrinterName = QStringLiteral("Виртуальный принтер");

inline constexpr std::int32_t kDefaultBin = -1; // leave the printer's bin (0xFFFF means the same)

// The paper of a page: code (1..68, 256 user-defined), size in tenths of a
// millimetre (portrait sizes for the code; swapped for landscape when read
// back), orientation 0 portrait / 1 landscape, bin.
struct PaperSpec {
    std::uint16_t PaperSize = 9;
    std::int32_t PaperWidth = 0;
    std::int32_t PaperHeight = 0;
    std::uint8_t Orientation = 0;
    std::int32_t PaperBin = kDefaultBin;
    bool operator==(const PaperSpec&) const = default;
};

// Page margins in report units; 0 means the printer's unprintable offset.
struct PageMargins {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool operator==(const PageMargins&) const = default;
};

// Twelve 32-bit values in this order; Device* in device pixels (0 for the
// virtual printer), the others in report units.
struct PrinterGeometry {
    std::int32_t DevicePaperWidth = 0;
    std::int32_t DevicePaperHeight = 0;
    std::int32_t PaperWidthUnits = 0;
    std::int32_t PaperHeightUnits = 0;
    std::int32_t DeviceOffsetX = 0;
    std::int32_t DeviceOffsetY = 0;
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
    std::int32_t DevicePrintableWidth = 0;
    std::int32_t DevicePrintableHeight = 0;
    std::int32_t PrintableWidth = 0;
    std::int32_t PrintableHeight = 0;
    bool operator==(const PrinterGeometry&) const = default;

    // A physical printer: every unit value is round(device x units per inch
    // / device dpi) on its axis.
    static PrinterGeometry fromDevice(int paperWidth, int paperHeight, int offsetX, int offsetY,
                                      int printableWidth, int printableHeight, int dpiX, int dpiY);

    // The virtual printer for a paper whose size is known in tenths of a
    // millimetre (already swapped for landscape): offsets 5 mm (18 units),
    // printable = paper - 2 x offset.
    static PrinterGeometry virtualPrinter(int widthTenths, int heightTenths);
};

// Where bands may go on a page, in report units.
struct PageLimits {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Margins where non-zero, else the printer's offsets; the paper itself
// without UseMargins.
PageLimits pageLimits(const PrinterGeometry& geometry, const PageMargins& margins, bool useMargins);

} // namespace dbfquery::report
