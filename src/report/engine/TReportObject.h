#pragma once

#include <QString>
#include <cstdint>

namespace dbfquery::report {

// Object kind byte of report streams.
enum class ObjectKind : std::uint8_t {
    Memo = 0,
    Picture = 1,
    Band = 2,
    SubReport = 3,
    Line = 4,
    AddIn = 10, // named by class; none is registered in this program
};

// Flags of a text object.
enum MemoFlags : std::uint16_t {
    flStretched = 0x1,
    flWordWrap = 0x2,
    flWordBreak = 0x4,
    flAutoWidth = 0x8,
    flTextOnly = 0x10,
    flSuppress = 0x20,
    flHideZeros = 0x40,
    flUnderlines = 0x80,
    flRTLReading = 0x100,
};

// Flags of a band object; a new band has OnFirstPage | OnLastPage.
enum BandFlags : std::uint16_t {
    flBandStretched = 0x1,
    flBandNewPageAfter = 0x2, // FormNewPage
    flBandPrintIfSubsetEmpty = 0x4,
    flBandBreaked = 0x8,
    flBandOnFirstPage = 0x10,
    flBandOnLastPage = 0x20,
    flBandRepeatHeader = 0x40,
    flBandPrintChildIfInvisible = 0x80,
};

// Frame lines.
enum FrameBits : std::uint16_t {
    ftNone = 0,
    ftRight = 1,
    ftBottom = 2,
    ftLeft = 4,
    ftTop = 8,
    ftAll = 15,
};

enum FrameStyle : std::uint16_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psDouble };

enum BandAlign : std::uint8_t {
    baNone,
    baLeft,
    baRight,
    baCenter,
    baWidth,
    baBottom,
    baTop,
    baRest
};

// Fields every report object has. Positions and sizes in report units,
// page-relative in a prepared page.
class TReportObject {
public:
    virtual ~TReportObject() = default;
    virtual ObjectKind kind() const = 0;

    QString Name;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::uint16_t Flags = 0;
    bool Visible = true;
    std::uint16_t Restrictions = 0; // designer restrictions, carried along
    QString Tag;

protected:
    TReportObject() = default;
    TReportObject(const TReportObject&) = default;
    TReportObject& operator=(const TReportObject&) = default;
};

} // namespace dbfquery::report
