#pragma once

#include "export/ByteSink.h"
#include "export/TCustomWriter.h"
#include "export/TXLSFont.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace dbfquery::xls {

class TXLSRange;
class TXLSWorkbook;
class TXLSWorksheet;

// Writes a workbook model as an Excel 97 file: the BIFF8 stream "Workbook"
// inside a compound file. One writer serves one save; the output depends on
// the model alone (the caller sets the user name). GUI-free; one thread.
class TExcelWriter : public TCustomWriter {
public:
    struct CellInfo {
        std::int32_t XfIndex = 0;
        std::int32_t SstIndex = -1;   // -1: no shared string
        std::int32_t FontIndex = 0;
        std::int32_t FormatIndex = 0;
    };
    struct SheetPosition {
        std::int32_t BofOffset = 0;
        std::int32_t PlyPosField = 0;
    };
    using Palette56 = std::array<std::int32_t, 56>;

    TExcelWriter();

    // Writes the file through a temporary name and renames it into place, so
    // a failed save leaves any earlier file of that name as it was. Throws
    // support::UserError: "StgCreateDocFile error %d" when the file cannot be
    // created, "CreateStream error %d" when it cannot be written (the
    // negated system error number), or the writer's own message for a sheet
    // past the format's 65,536 rows or 256 columns.
    void Save(TXLSWorkbook& workbook, const QString& fileName) override;

    // The whole BIFF8 stream: globals, every sheet, then the sheet positions
    // patched. Throws support::UserError before writing anything when a
    // sheet does not fit the format.
    void WriteWorkbook(TXLSWorkbook& workbook, ByteSink& stream);
    void WriteSheet(ByteSink& stream, const TXLSWorksheet& sheet);
    void WriteRowCells(ByteSink& buffer, const TXLSRange& range, std::int32_t row);

    // Palette index 8..63 for a colour (0x00BBGGRR or a system colour); may
    // take a free palette entry. 8 when the palette is full.
    int ColorIndex(std::int32_t colour);
    static const Palette56& DefaultPalette();

    const Palette56& Palette() const { return m_palette; }
    bool PaletteChanged() const { return m_paletteChanged; }

private:
    void begin(TXLSWorkbook& workbook, ByteSink& stream);
    void end();
    void writeGlobals(ByteSink& stream);
    void BuildFontList(std::vector<TXLSFont>& list);
    void BuildFormatList(std::vector<std::pair<QString, int>>& list);
    void BuildXfList(std::vector<QByteArray>& list);
    QByteArray xfBody(const TXLSRange& range, const CellInfo& info);
    void WriteSharedStrings(ByteSink& stream);
    void writeRowBlock(ByteSink& stream, const TXLSWorksheet& sheet, std::int32_t first,
                       std::int32_t last, std::vector<std::uint32_t>& blockPositions);
    CellInfo& infoOf(const TXLSRange& range);

    std::int32_t m_streamStart = 0;
    TXLSWorkbook* m_workbook = nullptr;
    std::vector<std::int32_t> m_usedColors;
    std::vector<CellInfo> m_cellInfo;
    Palette56 m_palette{};
    bool m_paletteChanged = false;
    std::vector<SheetPosition> m_sheetPositions;
    std::vector<TXLSRange*> m_ranges;  // in CellInfo order
};

} // namespace dbfquery::xls
