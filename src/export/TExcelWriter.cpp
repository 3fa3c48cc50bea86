#include "export/TExcelWriter.h"

#include "export/Biff8Records.h"
#include "export/CompoundFileWriter.h"
#include "export/MemorySink.h"
#include "export/TXLSWorkbook.h"
#include "support/UserError.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace dbfquery::xls {

namespace {

constexpr std::int32_t MaxRows = 65536;
constexpr std::int32_t MaxCols = 256;
constexpr std::int32_t RowsPerBlock = 32;
constexpr qint64 RowRecordSize = 20;
constexpr std::size_t MaxMergedPerRecord = 1027;

std::uint16_t u16(std::int32_t v) { return static_cast<std::uint16_t>(v); }

// Wrapped 16-bit row and column numbers would give a corrupt file.
void checkFits(const TXLSWorksheet& sheet) {
    if (sheet.LastRow() < MaxRows && sheet.LastCol() < MaxCols)
        return;
    throw support::UserError(
        QStringLiteral(u"Лист «%1» не помещается в файл Excel 97: в нём %2 строк и %3 столбцов, "
                       u"а допускается не более 65536 строк и 256 столбцов")
            .arg(sheet.Name())
            .arg(sheet.LastRow() + 1)
            .arg(sheet.LastCol() + 1));
}

int lastError() { return errno != 0 ? errno : EIO; }

QString headerText(const QString& left, const QString& centre, const QString& right) {
    QString text;
    if (!left.isEmpty())
        text += QStringLiteral("&L") + left;
    if (!centre.isEmpty())
        text += QStringLiteral("&C") + centre;
    if (!right.isEmpty())
        text += QStringLiteral("&R") + right;
    return text;
}

} // namespace

TExcelWriter::TExcelWriter() : m_palette(DefaultPalette()) {}

TExcelWriter::CellInfo& TExcelWriter::infoOf(const TXLSRange& range) {
    return m_cellInfo.at(static_cast<std::size_t>(range.WriterLink));
}

void TExcelWriter::begin(TXLSWorkbook& workbook, ByteSink& stream) {
    for (int s = 0; s < workbook.SheetCount(); ++s)
        checkFits(workbook.Sheet(s));
    m_workbook = &workbook;
    m_ranges.clear();
    for (int s = 0; s < workbook.SheetCount(); ++s) {
        TXLSWorksheet& sheet = workbook.Sheet(s);
        for (int r = 0; r < sheet.RangeCount(); ++r) {
            TXLSRange& range = sheet.Range(r);
            range.WriterLink = static_cast<std::int32_t>(m_ranges.size());
            m_ranges.push_back(&range);
        }
    }
    m_cellInfo.assign(m_ranges.size(), CellInfo{});
    m_sheetPositions.assign(static_cast<std::size_t>(workbook.SheetCount()), SheetPosition{});
    m_palette = DefaultPalette();
    m_paletteChanged = false;
    m_usedColors.clear();
    m_streamStart = static_cast<std::int32_t>(stream.position());
}

void TExcelWriter::end() {
    for (TXLSRange* range : m_ranges)
        range->WriterLink = -1;
    m_usedColors.clear();
    m_cellInfo.clear();
    m_sheetPositions.clear();
    m_ranges.clear();
    m_workbook = nullptr;
}

void TExcelWriter::WriteWorkbook(TXLSWorkbook& workbook, ByteSink& stream) {
    begin(workbook, stream);
    struct Cleanup {
        TExcelWriter* writer;
        ~Cleanup() { writer->end(); }
    } cleanup{this};

    writeGlobals(stream);
    for (int s = 0; s < workbook.SheetCount(); ++s) {
        m_sheetPositions[static_cast<std::size_t>(s)].BofOffset = static_cast<std::int32_t>(stream.position());
        WriteSheet(stream, workbook.Sheet(s));
    }
    for (const SheetPosition& position : m_sheetPositions) {
        stream.seek(position.PlyPosField);
        const auto bof = static_cast<std::uint32_t>(position.BofOffset);
        const char bytes[4] = {static_cast<char>(bof & 0xFF), static_cast<char>((bof >> 8) & 0xFF),
                               static_cast<char>((bof >> 16) & 0xFF), static_cast<char>(bof >> 24)};
        stream.write(bytes, 4);
    }
}

void TExcelWriter::WriteSheet(ByteSink& stream, const TXLSWorksheet& sheet) {
    using namespace biff;
    const TXLSPageSetup& setup = sheet.PageSetup;
    const bool hasRows = sheet.FirstRow() >= 0 && sheet.LastRow() >= 0;
    const std::int32_t rows = hasRows ? sheet.LastRow() - sheet.FirstRow() + 1 : 0;
    const std::int32_t blocks = (rows + RowsPerBlock - 1) / RowsPerBlock;

    writeBof(stream, Substream::Worksheet);
    const qint64 indexAt = stream.position();
    std::vector<std::uint32_t> blockPositions(static_cast<std::size_t>(blocks), 0);
    writeIndex(stream, sheet.FirstRow(), sheet.LastRow(), blockPositions, hasRows);
    writeSheetSettings(stream, setup);
    writeHeaderFooter(stream, 0x0014, headerText(setup.LeftHeader, setup.CenterHeader, setup.RightHeader));
    writeHeaderFooter(stream, 0x0015, headerText(setup.LeftFooter, setup.CenterFooter, setup.RightFooter));
    writeMargins(stream, setup);
    writeSetup(stream, setup);
    writeDefColWidth(stream);
    for (int i = 0; i < sheet.ColCount(); ++i) {
        const TXLSCol& col = sheet.Col(i);
        writeColInfo(stream, u16(col.Index), u16(col.Width));
    }
    writeDimensions(stream, sheet.FirstRow(), sheet.LastRow(), sheet.FirstCol(), sheet.LastCol());

    if (hasRows) {
        blockPositions.clear();
        for (std::int32_t first = sheet.FirstRow(); first <= sheet.LastRow(); first += RowsPerBlock)
            writeRowBlock(stream, sheet, first, std::min(first + RowsPerBlock - 1, sheet.LastRow()),
                          blockPositions);
        stream.seek(indexAt);
        writeIndex(stream, sheet.FirstRow(), sheet.LastRow(), blockPositions, true);
        stream.seekToEnd();
    }

    writeWindow2(stream, sheet.IndexInWorkbook() == 0);
    writeSelection(stream);
    std::vector<MergedArea> merged;
    for (int i = 0; i < sheet.RangeCount(); ++i) {
        const TXLSRange& r = sheet.Range(i);
        if (r.spansSeveralCells())
            merged.push_back({u16(r.FirstRow), u16(r.LastRow), u16(r.FirstCol), u16(r.LastCol)});
    }
    // Readers ignore a continued MERGEDCELLS: several records of at most
    // 1027 areas, each within one record.
    for (std::size_t at = 0; at < merged.size(); at += MaxMergedPerRecord)
        writeMergedCells(stream, std::vector<MergedArea>(
                                     merged.begin() + static_cast<std::ptrdiff_t>(at),
                                     merged.begin() + static_cast<std::ptrdiff_t>(
                                                          std::min(merged.size(), at + MaxMergedPerRecord))));
    writeEof(stream);
}

void TExcelWriter::writeRowBlock(ByteSink& stream, const TXLSWorksheet& sheet, std::int32_t first,
                                 std::int32_t last, std::vector<std::uint32_t>& blockPositions) {
    const qint64 blockAt = stream.position();
    MemorySink cells;
    std::vector<qint64> cellStarts;
    for (std::int32_t row = first; row <= last; ++row) {
        const std::vector<const TXLSRange*> ranges = sheet.RangesInRow(row);
        biff::RowRecord record;
        record.row = u16(row);
        if (!ranges.empty()) {
            record.firstCol = u16(ranges.front()->FirstCol);
            record.lastColPlus1 = u16(ranges.back()->LastCol + 1);
        }
        const TXLSRow* object = sheet.FindRow(row);
        record.heightTwips = object ? u16(object->Height * 20) : 255;
        record.custom = object != nullptr;
        biff::writeRow(stream, record);
        cellStarts.push_back(cells.position());
        for (const TXLSRange* range : ranges)
            WriteRowCells(cells, *range, row);
    }
    stream.write(cells.bytes());
    const qint64 dbcellAt = stream.position();
    blockPositions.push_back(static_cast<std::uint32_t>(dbcellAt - m_streamStart));
    // The first offset runs from the end of the first ROW record, each
    // further one from the previous row's first cell record.
    std::vector<std::uint16_t> offsets;
    const auto rowCount = static_cast<qint64>(cellStarts.size());
    for (std::size_t i = 0; i < cellStarts.size(); ++i)
        offsets.push_back(static_cast<std::uint16_t>(
            i == 0 ? (rowCount - 1) * RowRecordSize + cellStarts[0] : cellStarts[i] - cellStarts[i - 1]));
    biff::writeDbCell(stream, static_cast<std::uint32_t>(dbcellAt - blockAt), offsets);
}

void TExcelWriter::WriteRowCells(ByteSink& buffer, const TXLSRange& range, std::int32_t row) {
    const CellInfo& info = infoOf(range);
    const std::uint16_t xf = u16(info.XfIndex);
    std::int32_t c = range.FirstCol;
    if (row == range.FirstRow) {
        if (TXLSRange::isNumber(range.Value))
            biff::writeNumber(buffer, u16(row), u16(c), xf, range.Value.toDouble());
        else if (info.SstIndex >= 0)
            biff::writeLabelSst(buffer, u16(row), u16(c), xf, static_cast<std::uint32_t>(info.SstIndex));
        else
            biff::writeBlank(buffer, u16(row), u16(c), xf);  // empty text: no shared string
        ++c;
    }
    if (c < range.LastCol)
        biff::writeMulBlank(buffer, u16(row), u16(c), u16(range.LastCol), xf);
    else if (c == range.LastCol)
        biff::writeBlank(buffer, u16(row), u16(c), xf);
}

void TExcelWriter::Save(TXLSWorkbook& workbook, const QString& fileName) {
    QSaveFile file(fileName);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw support::UserError(QStringLiteral("StgCreateDocFile error %1").arg(-lastError()));
    CompoundFileWriter container(QStringLiteral("Workbook"));
    WriteWorkbook(workbook, container.stream());
    errno = 0;
    if (!container.writeTo(file) || !file.commit())
        throw support::UserError(QStringLiteral("CreateStream error %1").arg(-lastError()));
}

} // namespace dbfquery::xls
