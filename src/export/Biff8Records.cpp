#include "export/Biff8Records.h"

#include "export/RecordData.h"
#include "export/TXLSPageSetup.h"

#include <algorithm>

namespace dbfquery::xls::biff {

namespace {

void put(ByteSink& sink, std::uint16_t type, const RecordData& data) {
    WriteRecord(sink, type, data.data());
}

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Built-in styles Currency, Currency [0], Normal, Percent, Comma, Comma [0].
constexpr const char* StyleRecords[] = {
    "93 02 04 00 10 80 04 FF", "93 02 04 00 11 80 07 FF", "93 02 04 00 00 80 00 FF",
    "93 02 04 00 12 80 05 FF", "93 02 04 00 13 80 03 FF", "93 02 04 00 14 80 06 FF",
};

} // namespace

void WriteRecord(ByteSink& sink, std::uint16_t type, const char* data, qint64 size) {
    qint64 done = 0;
    do {
        const qint64 piece = std::min<qint64>(size - done, MaxRecordData);
        RecordData header;
        header.u16(done == 0 ? type : CONTINUE).u16(static_cast<std::uint16_t>(piece));
        sink.write(header.data());
        if (piece > 0)
            sink.write(data + done, piece);
        done += piece;
    } while (done < size);
}

void WriteRecord(ByteSink& sink, std::uint16_t type, const QByteArray& data) {
    WriteRecord(sink, type, data.constData(), data.size());
}

QByteArray HexToBytes(QStringView hex) {
    QByteArray out;
    int value = -1;
    for (QChar c : hex) {
        const int d = hexDigit(c);
        if (d >= 0) {
            value = (value < 0 ? 0 : value * 16) + d;
        } else if (value >= 0) {
            out.append(static_cast<char>(value));
            value = -1;
        }
    }
    if (value >= 0)
        out.append(static_cast<char>(value));
    return out;
}

void writeU16Record(ByteSink& sink, std::uint16_t type, std::uint16_t value) {
    put(sink, type, RecordData().u16(value));
}

void writeEmptyRecord(ByteSink& sink, std::uint16_t type) { WriteRecord(sink, type, nullptr, 0); }

void writeBof(ByteSink& sink, Substream kind) {
    RecordData d;
    d.u16(0x0600).u16(static_cast<std::uint16_t>(kind)).u16(3515).u16(1996).u32(0);
    d.u32(kind == Substream::Globals ? 0x00000600 : 0);
    put(sink, 0x0809, d);
}

void writeEof(ByteSink& sink) { writeEmptyRecord(sink, 0x000A); }

void writeInterfaceHdr(ByteSink& sink) { writeU16Record(sink, 0x00E1, 1252); }

void writeMms(ByteSink& sink) { writeU16Record(sink, 0x00C1, 0); }

void writeWriteAccess(ByteSink& sink, const QString& userName) {
    constexpr int Size = 112;
    const QString name = userName.left((Size - 3) / 2);
    RecordData d;
    d.u16(static_cast<std::uint16_t>(name.size())).u8(0x01).utf16(name);
    d.fill(Size - d.size(), ' ');
    put(sink, 0x005C, d);
}

void writeTabId(ByteSink& sink, int sheetCount) {
    RecordData d;
    for (int i = 0; i < sheetCount; ++i)
        d.u16(static_cast<std::uint16_t>(i));
    put(sink, 0x013D, d);
}

void writeWindow1(ByteSink& sink) {
    RecordData d;
    d.u16(360).u16(30).u16(7454).u16(6240).u16(0x0038).u16(0).u16(0).u16(1).u16(600);
    put(sink, 0x003D, d);
}

void writeFont(ByteSink& sink, const FontRecord& font) {
    RecordData d;
    d.u16(static_cast<std::uint16_t>(font.sizePoints * 20));
    d.u16(static_cast<std::uint16_t>((font.italic ? 0x0002 : 0) | (font.strikeOut ? 0x0008 : 0)));
    d.u16(font.colorIndex);
    d.u16(font.bold ? 1000 : 100);
    d.u16(0);
    d.u8(font.underline ? 1 : 0).u8(font.pitch).u8(font.charset).u8(0);
    const QString name = font.name.left(255);
    d.u8(static_cast<std::uint8_t>(name.size())).u8(0x01).utf16(name);
    put(sink, 0x0031, d);
}

void writeFormat(ByteSink& sink, std::uint16_t code, const QString& text) {
    RecordData d;
    d.u16(code).u16(static_cast<std::uint16_t>(text.size())).u8(0x01).utf16(text);
    put(sink, 0x041E, d);
}

void writeXf(ByteSink& sink, const QByteArray& body20) { WriteRecord(sink, 0x00E0, body20); }

void writePalette(ByteSink& sink, const std::array<std::int32_t, 56>& palette) {
    RecordData d;
    d.u16(56);
    for (std::int32_t colour : palette)
        d.u32(static_cast<std::uint32_t>(colour));
    put(sink, 0x0092, d);
}

void writeStyles(ByteSink& sink) {
    for (const char* hex : StyleRecords)
        sink.write(HexToBytes(QString::fromLatin1(hex)));
}

qint64 writeBoundSheet(ByteSink& sink, const QString& name) {
    const qint64 field = sink.position() + 4;
    RecordData d;
    d.u32(0).u16(0).u8(static_cast<std::uint8_t>(name.size())).u8(0x01).utf16(name);
    put(sink, 0x0085, d);
    return field;
}

void writeCountry(ByteSink& sink) { put(sink, 0x008C, RecordData().u16(7).u16(7)); }

void writeIndex(ByteSink& sink, std::int32_t firstRow, std::int32_t lastRow,
                const std::vector<std::uint32_t>& blockPositions, bool hasRows) {
    RecordData d;
    d.u32(0);
    d.u32(hasRows ? static_cast<std::uint32_t>(firstRow) : 0);
    d.u32(hasRows ? static_cast<std::uint32_t>(lastRow + 1) : 0);
    d.u32(0);
    for (std::uint32_t position : blockPositions)
        d.u32(position);
    put(sink, 0x020B, d);
}

void writeSheetSettings(ByteSink& sink, const TXLSPageSetup& setup) {
    writeU16Record(sink, 0x000D, 1);    // CALCMODE
    writeU16Record(sink, 0x000C, 100);  // CALCCOUNT
    writeU16Record(sink, 0x000F, 1);    // REFMODE
    writeU16Record(sink, 0x0011, 0);    // ITERATION
    sink.write(HexToBytes(u"10 00 08 00 fc a9 f1 d2 4d 62 50 3f"));  // DELTA 0.001
    writeU16Record(sink, 0x005F, 1);    // SAVERECALC
    writeU16Record(sink, 0x002A, setup.PrintHeadings ? 1 : 0);
    writeU16Record(sink, 0x002B, setup.PrintGridlines ? 1 : 0);
    writeU16Record(sink, 0x0082, 1);    // GRIDSET
    put(sink, 0x0080, RecordData().fill(8, 0));  // GUTS
    put(sink, 0x0225, RecordData().u16(0).u16(255));  // DEFAULTROWHEIGHT
    writeU16Record(sink, 0x0081, 0x04C1);  // WSBOOL
}

void writeHeaderFooter(ByteSink& sink, std::uint16_t type, const QString& text) {
    if (text.isEmpty())
        return;
    RecordData d;
    d.u16(static_cast<std::uint16_t>(text.size())).u8(0x01).utf16(text);
    put(sink, type, d);
}

void writeMargins(ByteSink& sink, const TXLSPageSetup& setup) {
    writeU16Record(sink, 0x0083, setup.CenterHorizontally ? 1 : 0);
    writeU16Record(sink, 0x0084, setup.CenterVertically ? 1 : 0);
    put(sink, 0x0026, RecordData().f64(setup.LeftMargin));
    put(sink, 0x0027, RecordData().f64(setup.RightMargin));
    put(sink, 0x0028, RecordData().f64(setup.TopMargin));
    put(sink, 0x0029, RecordData().f64(setup.BottomMargin));
}

void writeSetup(ByteSink& sink, const TXLSPageSetup& setup) {
    std::uint16_t options = 0;
    if (setup.Order == 1)
        options |= 0x01;
    if (setup.Orientation == 0)
        options |= 0x02;
    if (setup.BlackAndWhite)
        options |= 0x08;
    if (setup.Draft)
        options |= 0x10;
    if (setup.PrintNotes)
        options |= 0x20;
    if (setup.FirstPageNumber != 1)
        options |= 0x80;
    RecordData d;
    d.u16(setup.PaperSize);
    d.u16(static_cast<std::uint16_t>(setup.Zoom));
    d.u16(static_cast<std::uint16_t>(setup.FirstPageNumber));
    d.u16(static_cast<std::uint16_t>(setup.FitToPagesWide));
    d.u16(static_cast<std::uint16_t>(setup.FitToPagesTall));
    d.u16(options).u32(0);
    d.f64(setup.HeaderMargin).f64(setup.FooterMargin);
    d.u16(static_cast<std::uint16_t>(setup.Copies));
    put(sink, 0x00A1, d);
}

void writeDefColWidth(ByteSink& sink) { writeU16Record(sink, 0x0055, 8); }

void writeColInfo(ByteSink& sink, std::uint16_t column, std::uint16_t width) {
    RecordData d;
    d.u16(column).u16(column).u16(width).u16(0).u16(0).u8(0);
    put(sink, 0x007D, d);
}

void writeDimensions(ByteSink& sink, std::int32_t firstRow, std::int32_t lastRow,
                     std::int32_t firstCol, std::int32_t lastCol) {
    RecordData d;
    if (firstRow >= 0 && lastRow >= 0 && firstCol >= 0 && lastCol >= 0) {
        d.u32(static_cast<std::uint32_t>(firstRow)).u32(static_cast<std::uint32_t>(lastRow + 1));
        d.u16(static_cast<std::uint16_t>(firstCol)).u16(static_cast<std::uint16_t>(lastCol + 1)).u16(0);
    } else {
        d.fill(14, 0);
    }
    put(sink, 0x0200, d);
}

void writeRow(ByteSink& sink, const RowRecord& row) {
    RecordData d;
    d.u16(row.row).u16(row.firstCol).u16(row.lastColPlus1).u16(row.heightTwips);
    d.u16(0).u16(0).u16(row.custom ? 0x0040 : 0).u16(0);
    put(sink, 0x0208, d);
}

void writeDbCell(ByteSink& sink, std::uint32_t firstRowDistance,
                 const std::vector<std::uint16_t>& cellOffsets) {
    RecordData d;
    d.u32(firstRowDistance);
    for (std::uint16_t offset : cellOffsets)
        d.u16(offset);
    put(sink, 0x00D7, d);
}

void writeWindow2(ByteSink& sink, bool selected) {
    RecordData d;
    d.u16(selected ? 0x06B6 : 0x04B6).u16(0).u16(0).u32(64).u16(0).u16(0).u32(0);
    put(sink, 0x023E, d);
}

void writeSelection(ByteSink& sink) {
    RecordData d;
    d.u8(3).u16(0).u16(0).u16(0).u16(1).u16(0).u16(0).u8(0).u8(0);
    put(sink, 0x001D, d);
}

void writeMergedCells(ByteSink& sink, const std::vector<MergedArea>& areas) {
    RecordData d;
    d.u16(static_cast<std::uint16_t>(areas.size()));
    for (const MergedArea& a : areas)
        d.u16(a.firstRow).u16(a.lastRow).u16(a.firstCol).u16(a.lastCol);
    put(sink, 0x00E5, d);
}

void writeNumber(ByteSink& sink, std::uint16_t row, std::uint16_t col, std::uint16_t xf, double value) {
    put(sink, 0x0203, RecordData().u16(row).u16(col).u16(xf).f64(value));
}

void writeLabelSst(ByteSink& sink, std::uint16_t row, std::uint16_t col, std::uint16_t xf,
                   std::uint32_t sstIndex) {
    put(sink, 0x00FD, RecordData().u16(row).u16(col).u16(xf).u32(sstIndex));
}

void writeMulBlank(ByteSink& sink, std::uint16_t row, std::uint16_t firstCol, std::uint16_t lastCol,
                   std::uint16_t xf) {
    RecordData d;
    d.u16(row).u16(firstCol);
    for (int c = firstCol; c <= lastCol; ++c)
        d.u16(xf);
    d.u16(lastCol);
    put(sink, 0x00BE, d);
}

void writeBlank(ByteSink& sink, std::uint16_t row, std::uint16_t col, std::uint16_t xf) {
    put(sink, 0x0201, RecordData().u16(row).u16(col).u16(xf));
}

} // namespace dbfquery::xls::biff
