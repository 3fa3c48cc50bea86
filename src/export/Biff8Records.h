#pragma once

#include "export/ByteSink.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <vector>

namespace dbfquery::xls {

struct TXLSPageSetup;

// One function per BIFF8 record, each writing the whole record (header and
// data) into a sink. Integers are little-endian, text is UTF-16LE with one
// unit per character.
namespace biff {

constexpr int MaxRecordData = 8224;
constexpr std::uint16_t CONTINUE = 0x003C;

// Frames data as one record, cut into pieces of at most 8224 bytes: the first
// under the type, every further one as CONTINUE.
void WriteRecord(ByteSink& sink, std::uint16_t type, const char* data, qint64 size);
void WriteRecord(ByteSink& sink, std::uint16_t type, const QByteArray& data);
// Every maximal run of hex digits is one byte; anything else separates runs.
QByteArray HexToBytes(QStringView hex);

// A record holding one u16; the globals and sheet settings are mostly these.
void writeU16Record(ByteSink& sink, std::uint16_t type, std::uint16_t value);
void writeEmptyRecord(ByteSink& sink, std::uint16_t type);

enum class Substream : std::uint16_t { Globals = 0x0005, Worksheet = 0x0010 };
void writeBof(ByteSink& sink, Substream kind);
void writeEof(ByteSink& sink);
void writeInterfaceHdr(ByteSink& sink);
void writeMms(ByteSink& sink);
// The name as a BIFF8 string (count, option byte, characters), cut to the
// 54 characters that fit, padded with spaces to 112 bytes.
void writeWriteAccess(ByteSink& sink, const QString& userName);
void writeTabId(ByteSink& sink, int sheetCount);
void writeWindow1(ByteSink& sink);
// Size in points, colour as a palette index.
struct FontRecord {
    int sizePoints = 10;
    bool bold = false, italic = false, underline = false, strikeOut = false;
    std::uint16_t colorIndex = 8;
    std::uint8_t pitch = 0, charset = 1;
    QString name;
};
void writeFont(ByteSink& sink, const FontRecord& font);
void writeFormat(ByteSink& sink, std::uint16_t code, const QString& text);
void writeXf(ByteSink& sink, const QByteArray& body20);
void writePalette(ByteSink& sink, const std::array<std::int32_t, 56>& palette);
void writeStyles(ByteSink& sink);
// Returns the stream position of the u32 sheet-position field.
qint64 writeBoundSheet(ByteSink& sink, const QString& name);
void writeCountry(ByteSink& sink);

// Worksheet substream.
void writeIndex(ByteSink& sink, std::int32_t firstRow, std::int32_t lastRow,
                const std::vector<std::uint32_t>& blockPositions, bool hasRows);
void writeSheetSettings(ByteSink& sink, const TXLSPageSetup& setup);
// HEADER (0x0014) or FOOTER (0x0015); nothing for an empty text.
void writeHeaderFooter(ByteSink& sink, std::uint16_t type, const QString& text);
void writeMargins(ByteSink& sink, const TXLSPageSetup& setup);
void writeSetup(ByteSink& sink, const TXLSPageSetup& setup);
void writeDefColWidth(ByteSink& sink);
void writeColInfo(ByteSink& sink, std::uint16_t column, std::uint16_t width);
// All zero unless every bound is set.
void writeDimensions(ByteSink& sink, std::int32_t firstRow, std::int32_t lastRow,
                     std::int32_t firstCol, std::int32_t lastCol);
struct RowRecord {
    std::uint16_t row = 0, firstCol = 0, lastColPlus1 = 0;
    std::uint16_t heightTwips = 255;
    bool custom = false;
};
void writeRow(ByteSink& sink, const RowRecord& row);
void writeDbCell(ByteSink& sink, std::uint32_t firstRowDistance,
                 const std::vector<std::uint16_t>& cellOffsets);
void writeWindow2(ByteSink& sink, bool selected);
void writeSelection(ByteSink& sink);
struct MergedArea {
    std::uint16_t firstRow, lastRow, firstCol, lastCol;
};
void writeMergedCells(ByteSink& sink, const std::vector<MergedArea>& areas);
void writeNumber(ByteSink& sink, std::uint16_t row, std::uint16_t col, std::uint16_t xf, double value);
void writeLabelSst(ByteSink& sink, std::uint16_t row, std::uint16_t col, std::uint16_t xf,
                   std::uint32_t sstIndex);
void writeMulBlank(ByteSink& sink, std::uint16_t row, std::uint16_t firstCol, std::uint16_t lastCol,
                   std::uint16_t xf);
void writeBlank(ByteSink& sink, std::uint16_t row, std::uint16_t col, std::uint16_t xf);

} // namespace biff
} // namespace dbfquery::xls
