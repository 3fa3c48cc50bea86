#pragma once

#include <QString>
#include <cstdint>

namespace dbfquery::xls {

// Print settings of one sheet. Margins are in inches.
struct TXLSPageSetup {
    bool BlackAndWhite = false;
    QString CenterFooter;
    QString CenterHeader;
    bool CenterHorizontally = false;
    bool CenterVertically = false;
    bool Draft = false;
    std::int32_t FirstPageNumber = 1;
    std::int32_t FitToPagesTall = 1;
    std::int32_t FitToPagesWide = 1;
    QString LeftFooter;
    QString LeftHeader;
    std::uint8_t Order = 0;         // 1 = over, then down
    std::uint8_t Orientation = 0;   // 0 portrait, otherwise landscape
    std::uint8_t PaperSize = 9;     // 9 = A4
    bool PrintGridlines = false;
    bool PrintHeadings = false;
    bool PrintNotes = false;
    QString RightFooter;
    QString RightHeader;
    double LeftMargin = 2.0;
    double RightMargin = 2.0;
    double TopMargin = 2.5;
    double BottomMargin = 2.5;
    double FooterMargin = 0;
    double HeaderMargin = 0;
    std::int32_t Zoom = 100;        // percent
    std::int32_t Copies = 0;
};

} // namespace dbfquery::xls
