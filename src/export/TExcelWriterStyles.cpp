// Fonts, number formats, cell formats, the palette and the shared strings.
#include "export/TExcelWriter.h"

#include "export/Biff8Records.h"
#include "export/RecordData.h"
#include "export/SystemColors.h"
#include "export/TXLSWorkbook.h"

#include <algorithm>

namespace dbfquery::xls {

namespace {

// Palette indexes 8..63, as RGB.
constexpr std::array<std::uint32_t, 56> DefaultRgb = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

// Never given away to another colour.
constexpr std::array<std::uint32_t, 16> ProtectedRgb = {
    0xFFFFFF, 0x000000, 0xC0C0C0, 0x808080, 0xFF0000, 0x800000, 0xFFFF00, 0x808000,
    0x00FF00, 0x008000, 0x00FFFF, 0x008080, 0x0000FF, 0x000080, 0xFF00FF, 0x800080,
};

bool isProtected(std::int32_t colour) {
    return std::any_of(ProtectedRgb.begin(), ProtectedRgb.end(),
                       [colour](std::uint32_t rgb) { return colorFromRgb(rgb) == colour; });
}

const QString BuiltInFormats[] = {
    QStringLiteral(u"#,##0\"р.\";\\-#,##0\"р.\""),
    QStringLiteral(u"#,##0\"р.\";[Red]\\-#,##0\"р.\""),
    QStringLiteral(u"#,##0.00\"р.\";\\-#,##0.00\"р.\""),
    QStringLiteral(u"#,##0.00\"р.\";[Red]\\-#,##0.00\"р.\""),
    QStringLiteral(u"_-* #,##0\"р.\"_-;\\-* #,##0\"р.\"_-;_-* \"-\"\"р.\"_-;_-@_-"),
    QStringLiteral(u"_-* #,##0_р_._-;\\-* #,##0_р_._-;_-* \"-\"_р_._-;_-@_-"),
    QStringLiteral(u"_-* #,##0.00\"р.\"_-;\\-* #,##0.00\"р.\"_-;_-* \"-\"??\"р.\"_-;_-@_-"),
    QStringLiteral(u"_-* #,##0.00_р_._-;\\-* #,##0.00_р_._-;_-* \"-\"??_р_._-;_-@_-"),
};
constexpr int BuiltInCodes[] = {5, 6, 7, 8, 42, 41, 44, 43};
constexpr int FirstCustomFormat = 50;
constexpr int StyleXfCount = 15;
constexpr qsizetype MaxCellText = 32767;

const char* const StyleXfs[] = {
    "e0 00 14 00 00 00 00 00 f5 ff 20 00 00 00 00 00 00 00 00 00 00 00 c0 20",
    "e0 00 14 00 01 00 00 00 f5 ff 20 00 00 f4 00 00 00 00 00 00 00 00 c0 20",
    "e0 00 14 00 02 00 00 00 f5 ff 20 00 00 f4 00 00 00 00 00 00 00 00 c0 20",
    "e0 00 14 00 00 00 00 00 f5 ff 20 00 00 f4 00 00 00 00 00 00 00 00 c0 20",
};
constexpr int StyleXfRepeats[] = {1, 2, 2, 10};

constexpr const char* DefaultCellXf = "00 00 00 00 01 00 20 00 00 00 00 00 00 00 00 00 00 00 c0 20";

std::uint8_t lineStyle(std::uint8_t style) { return style <= 13 ? style : 0; }

std::uint8_t fillCode(std::uint8_t pattern) {
    switch (pattern) {
    case 17: return 1;
    case 2: return 9;
    case 3: return 16;
    case 5: return 18;
    case 6: return 17;
    case 10: return 15;
    case 12: return 13;
    case 13: return 11;
    case 14: return 14;
    case 15: return 12;
    case 16: return 10;
    default: return 0;  // none, and the patterns the export never sets
    }
}

std::uint8_t verticalCode(std::uint8_t alignment) {
    return alignment <= 3 ? static_cast<std::uint8_t>(alignment << 4) : 0x20;
}

std::uint8_t horizontalCode(std::uint8_t alignment) { return alignment <= 6 ? alignment : 0; }

} // namespace

const TExcelWriter::Palette56& TExcelWriter::DefaultPalette() {
    static const Palette56 palette = [] {
        Palette56 p{};
        for (std::size_t i = 0; i < p.size(); ++i)
            p[i] = colorFromRgb(DefaultRgb[i]);
        return p;
    }();
    return palette;
}

int TExcelWriter::ColorIndex(std::int32_t colour) {
    colour = resolveSystemColor(colour);
    if (std::find(m_usedColors.begin(), m_usedColors.end(), colour) == m_usedColors.end())
        m_usedColors.push_back(colour);
    for (std::size_t i = 0; i < m_palette.size(); ++i)
        if (m_palette[i] == colour)
            return 8 + static_cast<int>(i);
    for (std::size_t i = 0; i < m_palette.size(); ++i) {
        const std::int32_t entry = m_palette[i];
        if (isProtected(entry) ||
            std::find(m_usedColors.begin(), m_usedColors.end(), entry) != m_usedColors.end())
            continue;
        m_palette[i] = colour;
        m_paletteChanged = true;
        return 8 + static_cast<int>(i);
    }
    return 8;
}

void TExcelWriter::BuildFontList(std::vector<TXLSFont>& list) {
    TXLSFont standard;
    standard.Color = SystemWindowText;
    list.assign(4, standard);
    for (std::size_t i = 0; i < m_ranges.size(); ++i) {
        const TXLSFont& font = m_ranges[i]->Font;
        auto it = std::find(list.begin(), list.end(), font);
        if (it == list.end())
            it = list.insert(list.end(), font);
        // Position + 1: BIFF8 has no font 4, so the first added font is 5.
        m_cellInfo[i].FontIndex = static_cast<std::int32_t>(it - list.begin()) + 1;
    }
}

void TExcelWriter::BuildFormatList(std::vector<std::pair<QString, int>>& list) {
    list.clear();
    for (std::size_t i = 0; i < std::size(BuiltInCodes); ++i)
        list.emplace_back(BuiltInFormats[i], BuiltInCodes[i]);
    const int builtIn = static_cast<int>(list.size());
    for (std::size_t i = 0; i < m_ranges.size(); ++i) {
        const QString& format = m_ranges[i]->NumberFormat;
        if (format.isEmpty()) {
            m_cellInfo[i].FormatIndex = 0;
            continue;
        }
        auto it = std::find_if(list.begin(), list.end(), [&format](const auto& entry) {
            return entry.first.compare(format, Qt::CaseInsensitive) == 0;
        });
        if (it == list.end())
            it = list.insert(list.end(), {format, FirstCustomFormat + static_cast<int>(list.size()) - builtIn});
        m_cellInfo[i].FormatIndex = it->second;
    }
}

QByteArray TExcelWriter::xfBody(const TXLSRange& range, const CellInfo& info) {
    const TXLSBorders& b = range.Borders;
    // The order of these calls decides which palette entries new colours take.
    auto sideColour = [this](const TXLSBorder& border) {
        return border.LineStyle != 0 ? ColorIndex(border.Color) : 0;
    };
    const int diagDown = sideColour(b[TXLSBorders::DiagonalDown]);
    const int diagUp = sideColour(b[TXLSBorders::DiagonalUp]);
    const int left = sideColour(b[TXLSBorders::Left]);
    const int right = sideColour(b[TXLSBorders::Right]);
    const int top = sideColour(b[TXLSBorders::Top]);
    const int bottom = sideColour(b[TXLSBorders::Bottom]);
    const int pattern = ColorIndex(range.PatternColor);

    std::uint32_t diagColour = 0, diagStyle = 0;
    if (b[TXLSBorders::DiagonalUp].LineStyle != 0) {
        diagColour = static_cast<std::uint32_t>(diagUp);
        diagStyle = lineStyle(b[TXLSBorders::DiagonalUp].LineStyle);
    } else if (b[TXLSBorders::DiagonalDown].LineStyle != 0) {
        diagColour = static_cast<std::uint32_t>(diagDown);
        diagStyle = lineStyle(b[TXLSBorders::DiagonalDown].LineStyle);
    }

    RecordData d;
    d.u16(static_cast<std::uint16_t>(info.FontIndex));
    d.u16(static_cast<std::uint16_t>(info.FormatIndex));
    d.u16(0x0001);
    d.u8(horizontalCode(range.HorizontalAlignment) | (range.WrapText ? 0x08 : 0) |
         verticalCode(range.VerticalAlignment));
    d.u8(range.Rotation);
    d.u16(0x7C00 | (range.spansSeveralCells() ? 0x0020 : 0));
    d.u16(static_cast<std::uint16_t>(lineStyle(b[TXLSBorders::Left].LineStyle) |
                                     lineStyle(b[TXLSBorders::Right].LineStyle) << 4 |
                                     lineStyle(b[TXLSBorders::Top].LineStyle) << 8 |
                                     lineStyle(b[TXLSBorders::Bottom].LineStyle) << 12));
    d.u16(static_cast<std::uint16_t>(left | right << 7 |
                                     (b[TXLSBorders::DiagonalDown].LineStyle != 0 ? 0x4000 : 0) |
                                     (b[TXLSBorders::DiagonalUp].LineStyle != 0 ? 0x8000 : 0)));
    d.u32(static_cast<std::uint32_t>(top) | static_cast<std::uint32_t>(bottom) << 7 |
          diagColour << 14 | diagStyle << 21 |
          static_cast<std::uint32_t>(fillCode(range.Pattern)) << 26);
    d.u16(static_cast<std::uint16_t>(pattern));
    return d.data();
}

void TExcelWriter::BuildXfList(std::vector<QByteArray>& list) {
    list.assign(1, biff::HexToBytes(QString::fromLatin1(DefaultCellXf)));
    for (std::size_t i = 0; i < m_ranges.size(); ++i) {
        const QByteArray body = xfBody(*m_ranges[i], m_cellInfo[i]);
        auto it = std::find(list.begin(), list.end(), body);
        if (it == list.end())
            it = list.insert(list.end(), body);
        m_cellInfo[i].XfIndex = static_cast<std::int32_t>(it - list.begin()) + StyleXfCount;
    }
}

void TExcelWriter::writeGlobals(ByteSink& stream) {
    using namespace biff;
    writeBof(stream, Substream::Globals);
    writeInterfaceHdr(stream);
    writeMms(stream);
    writeEmptyRecord(stream, 0x00E2);  // INTERFACEEND
    writeWriteAccess(stream, m_workbook->UserName());
    writeU16Record(stream, 0x0042, 1252);  // CODEPAGE
    writeU16Record(stream, 0x0161, 0);     // DSF
    writeEmptyRecord(stream, 0x01C0);      // EXCEL9FILE
    writeTabId(stream, m_workbook->SheetCount());
    writeU16Record(stream, 0x009C, 14);    // FNGROUPCOUNT
    writeU16Record(stream, 0x0019, 0);     // WINDOWPROTECT
    writeU16Record(stream, 0x0012, 0);     // PROTECT
    writeU16Record(stream, 0x0013, 0);     // PASSWORD
    writeU16Record(stream, 0x01AF, 0);     // PROT4REV
    writeU16Record(stream, 0x01BC, 0);     // PROT4REVPASS
    writeWindow1(stream);
    writeU16Record(stream, 0x0040, 0);     // BACKUP
    writeU16Record(stream, 0x008D, 0);     // HIDEOBJ
    writeU16Record(stream, 0x0022, 0);     // DATEMODE: 1900
    writeU16Record(stream, 0x000E, 1);     // PRECISION
    writeU16Record(stream, 0x01B7, 0);     // REFRESHALL
    writeU16Record(stream, 0x00DA, 0);     // BOOKBOOL

    std::vector<TXLSFont> fonts;
    BuildFontList(fonts);
    for (const TXLSFont& font : fonts) {
        FontRecord record;
        record.sizePoints = font.Size;
        record.bold = font.has(TXLSFont::Bold);
        record.italic = font.has(TXLSFont::Italic);
        record.underline = font.has(TXLSFont::Underline);
        record.strikeOut = font.has(TXLSFont::StrikeOut);
        record.colorIndex = static_cast<std::uint16_t>(ColorIndex(font.Color));
        record.pitch = font.Pitch;
        record.charset = font.Charset;
        record.name = font.Name;
        writeFont(stream, record);
    }

    std::vector<std::pair<QString, int>> formats;
    BuildFormatList(formats);
    for (const auto& [text, code] : formats)
        writeFormat(stream, static_cast<std::uint16_t>(code), text);

    std::vector<QByteArray> xfs;
    BuildXfList(xfs);
    for (std::size_t i = 0; i < std::size(StyleXfs); ++i)
        for (int k = 0; k < StyleXfRepeats[i]; ++k)
            stream.write(HexToBytes(QString::fromLatin1(StyleXfs[i])));
    for (const QByteArray& body : xfs)
        writeXf(stream, body);
    if (m_paletteChanged)
        writePalette(stream, m_palette);

    writeStyles(stream);
    writeU16Record(stream, 0x0160, 0);     // USESELFS
    for (int i = 0; i < m_workbook->SheetCount(); ++i)
        m_sheetPositions[static_cast<std::size_t>(i)].PlyPosField =
            static_cast<std::int32_t>(writeBoundSheet(stream, m_workbook->Sheet(i).Name()));
    writeCountry(stream);
    WriteSharedStrings(stream);
    writeEof(stream);
}

void TExcelWriter::WriteSharedStrings(ByteSink& stream) {
    QStringList strings;
    for (std::size_t i = 0; i < m_ranges.size(); ++i) {
        const QVariant& value = m_ranges[i]->Value;
        m_cellInfo[i].SstIndex = -1;
        if (TXLSRange::isNumber(value))
            continue;
        // Longer texts do not fit a cell; cut, the count field would wrap.
        QString text = TXLSRange::textOf(value).left(MaxCellText);
        if (text.isEmpty())
            continue;
        m_cellInfo[i].SstIndex = static_cast<std::int32_t>(strings.size());
        strings.push_back(std::move(text));
    }
    if (strings.isEmpty())
        return;

    // Eight strings to a bucket while the index fits one record; past that,
    // larger buckets, because readers do not continue EXTSST.
    constexpr qsizetype MaxBuckets = (biff::MaxRecordData - 2) / 8;
    const qsizetype perBucket = std::max<qsizetype>(8, (strings.size() + MaxBuckets - 1) / MaxBuckets);

    const qint64 sstAt = stream.position();
    QByteArray bytes;
    qsizetype recordStart = 0;
    auto startRecord = [&](std::uint16_t type) {
        recordStart = bytes.size();
        bytes.append(RecordData().u16(type).u16(0).data());
    };
    auto closeRecord = [&] {
        const auto length = static_cast<std::uint16_t>(bytes.size() - recordStart - 4);
        bytes[recordStart + 2] = static_cast<char>(length & 0xFF);
        bytes[recordStart + 3] = static_cast<char>(length >> 8);
    };
    auto room = [&] { return biff::MaxRecordData - (bytes.size() - recordStart - 4); };

    startRecord(0x00FC);
    const auto count = static_cast<std::uint32_t>(strings.size());
    bytes.append(RecordData().u32(count).u32(count).data());
    RecordData extsst;
    extsst.u16(static_cast<std::uint16_t>(perBucket));
    for (qsizetype i = 0; i < strings.size(); ++i) {
        const QString& text = strings[i];
        if (room() <= 4) {
            closeRecord();
            startRecord(biff::CONTINUE);
        }
        if (i % perBucket == 0) {
            extsst.u32(static_cast<std::uint32_t>(sstAt + bytes.size()));
            extsst.u16(static_cast<std::uint16_t>(bytes.size() - recordStart)).u16(0);
        }
        bytes.append(RecordData().u16(static_cast<std::uint16_t>(text.size())).u8(0x01).data());
        const QByteArray chars = RecordData().utf16(text).data();
        qsizetype copied = 0;
        while (copied < chars.size()) {
            const qsizetype chunk = std::min<qsizetype>(chars.size() - copied, room()) & ~qsizetype(1);
            bytes.append(chars.constData() + copied, chunk);
            copied += chunk;
            if (copied < chars.size() && room() <= 4) {
                closeRecord();
                startRecord(biff::CONTINUE);
                bytes.append('\x01');
            }
        }
    }
    closeRecord();
    stream.write(bytes);
    biff::WriteRecord(stream, 0x00FF, extsst.data());
}

} // namespace dbfquery::xls
