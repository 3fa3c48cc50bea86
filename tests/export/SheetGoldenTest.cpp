// Worksheet substreams against records written out by hand.
#include "XlsTestSupport.h"

#include "export/Biff8Records.h"
#include "export/MemorySink.h"
#include "export/TExcelWriter.h"
#include "export/TXLSWorkbook.h"
#include "support/HexDiff.h"
#include "support/UserError.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace dbfquery::xls {
namespace {

using dbfquery::testing::hexDiff;
using namespace xls::testing;

QString row(unsigned index, unsigned firstCol, unsigned lastColPlus1, unsigned height = 255, unsigned flags = 0) {
    return QStringLiteral("08 02 10 00 ") + h16(index) + h16(firstCol) + h16(lastColPlus1) + h16(height) +
           QStringLiteral("00 00 00 00 ") + h16(flags) + QStringLiteral("00 00");
}

QString number(unsigned r, unsigned c, double v) {
    QString hex = QStringLiteral("03 02 0e 00 ") + h16(r) + h16(c) + QStringLiteral("10 00 ");
    const QByteArray bytes(reinterpret_cast<const char*>(&v), 8);  // little-endian host
    return hex + QString::fromLatin1(bytes.toHex(' '));
}

QString dbcell(unsigned distance, const std::vector<unsigned>& offsets) {
    QString hex = QStringLiteral("d7 00 ") + h16(4 + 2 * static_cast<unsigned>(offsets.size())) + h32(distance);
    for (unsigned o : offsets)
        hex += h16(o);
    return hex;
}

QString dimensions(unsigned r1, unsigned r2plus1, unsigned c1, unsigned c2plus1) {
    return QStringLiteral("00 02 0e 00 ") + h32(r1) + h32(r2plus1) + h16(c1) + h16(c2plus1) + QStringLiteral("00 00");
}

std::vector<Golden> settings() {
    return {
        {"CALCMODE", "0d 00 02 00 01 00"},
        {"CALCCOUNT", "0c 00 02 00 64 00"},
        {"REFMODE", "0f 00 02 00 01 00"},
        {"ITERATION", "11 00 02 00 00 00"},
        {"DELTA", "10 00 08 00 fc a9 f1 d2 4d 62 50 3f"},
        {"SAVERECALC", "5f 00 02 00 01 00"},
        {"PRINTHEADERS", "2a 00 02 00 00 00"},
        {"PRINTGRIDLINES", "2b 00 02 00 00 00"},
        {"GRIDSET", "82 00 02 00 01 00"},
        {"GUTS", "80 00 08 00 00 00 00 00 00 00 00 00"},
        {"DEFAULTROWHEIGHT", "25 02 04 00 00 00 ff 00"},
        {"WSBOOL", "81 00 02 00 c1 04"},
        {"HCENTER", "83 00 02 00 00 00"},
        {"VCENTER", "84 00 02 00 00 00"},
        {"LEFTMARGIN", "26 00 08 00 00 00 00 00 00 00 00 40"},
        {"RIGHTMARGIN", "27 00 08 00 00 00 00 00 00 00 00 40"},
        {"TOPMARGIN", "28 00 08 00 00 00 00 00 00 00 04 40"},
        {"BOTTOMMARGIN", "29 00 08 00 00 00 00 00 00 00 04 40"},
        {"SETUP", "a1 00 22 00 09 00 64 00 01 00 01 00 01 00 02 00 00 00 00 00 "
                  "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {"DEFCOLWIDTH", "55 00 02 00 08 00"},
    };
}

const Golden SheetBof{"BOF", "09 08 10 00 00 06 10 00 bb 0d cc 07 00 00 00 00 00 00 00 00"};
const Golden Window2First{"WINDOW2", "3e 02 12 00 b6 06 00 00 00 00 40 00 00 00 00 00 00 00 00 00 00 00"};
const Golden Selection{"SELECTION", "1d 00 0f 00 03 00 00 00 00 00 00 01 00 00 00 00 00 00 00"};
const Golden Eof{"EOF", "0a 00 00 00"};

// The sheet substream expected for a first sheet; the INDEX's block
// positions are those of the DBCELL records in the expected bytes.
std::vector<Golden> sheetStream(qint64 sheetStart, int firstRow, int lastRowPlus1, const Golden& dims,
                                const std::vector<Golden>& blocks, const std::vector<Golden>& tail) {
    std::vector<Golden> records{SheetBof, {"INDEX", QString()}};
    for (const Golden& g : settings())
        records.push_back(g);
    records.push_back(dims);
    const std::size_t blocksAt = records.size();
    records.insert(records.end(), blocks.begin(), blocks.end());
    records.push_back(Window2First);
    records.push_back(Selection);
    records.insert(records.end(), tail.begin(), tail.end());
    records.push_back(Eof);

    std::vector<qint64> dbcells;  // offsets from the sheet's start, INDEX not counted
    for (std::size_t i = blocksAt; i < records.size(); ++i)
        if (records[i].name.starts_with("DBCELL"))
            dbcells.push_back(hexSize({records.begin(), records.begin() + static_cast<std::ptrdiff_t>(i)}));
    const qint64 indexSize = 4 + 16 + 4 * static_cast<qint64>(dbcells.size());
    QString index = QStringLiteral("0b 02 ") + h16(static_cast<unsigned>(indexSize - 4)) + h32(0) +
                    h32(static_cast<std::uint32_t>(firstRow)) + h32(static_cast<std::uint32_t>(lastRowPlus1)) + h32(0);
    for (qint64 at : dbcells)
        index += h32(static_cast<std::uint32_t>(sheetStart + indexSize + at));
    records[1].hex = index;
    return records;
}

struct SheetCase {
    const char* name;
    std::function<void(TXLSWorksheet&)> build;
    int firstRow, lastRowPlus1;
    Golden dims;
    std::vector<Golden> blocks;
    std::vector<Golden> tail;  // after SELECTION, before EOF
    friend void PrintTo(const SheetCase& c, std::ostream* os) { *os << c.name; }
};

std::vector<Golden> thirtyThreeRows() {
    std::vector<Golden> blocks;
    for (unsigned r = 0; r < 32; ++r)
        blocks.push_back({"ROW " + std::to_string(r), row(r, 0, 1)});
    for (unsigned r = 0; r < 32; ++r)
        blocks.push_back({"NUMBER " + std::to_string(r), number(r, 0, r)});
    std::vector<unsigned> offsets{31 * 20};
    offsets.resize(32, 18);
    blocks.push_back({"DBCELL 1", dbcell(32 * 20 + 32 * 18, offsets)});
    blocks.push_back({"ROW 32", row(32, 0, 1)});
    blocks.push_back({"NUMBER 32", number(32, 0, 32)});
    blocks.push_back({"DBCELL 2", dbcell(38, {0})});
    return blocks;
}

class XlsSheetGolden : public ::testing::TestWithParam<SheetCase> {};

TEST_P(XlsSheetGolden, Records) {
    const SheetCase& c = GetParam();
    TXLSWorkbook book;
    c.build(*book.AddSheet());
    MemorySink sink;
    TExcelWriter().WriteWorkbook(book, sink);
    qint64 sheetStart = -1;
    for (const Record& r : splitRecords(sink.bytes()))
        if (r.type == 0x0809 && r.offset > 0) {
            sheetStart = r.offset;
            break;
        }
    ASSERT_GT(sheetStart, 0);
    const std::vector<Golden> expected = sheetStream(sheetStart, c.firstRow, c.lastRowPlus1, c.dims, c.blocks, c.tail);
    expectRecords(sink.bytes(), sheetStart, expected);
    EXPECT_EQ(sink.size(), sheetStart + hexSize(expected)) << "the sheet ends the stream";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.xls"));
    TExcelWriter().Save(book, path);
    expectXlscheckClean(path);
}

INSTANTIATE_TEST_SUITE_P(Cases, XlsSheetGolden,
    ::testing::Values(
        SheetCase{"no_ranges", [](TXLSWorksheet&) {}, 0, 0,
                  {"DIMENSIONS", "00 02 0e 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"}, {}, {}},
        SheetCase{"one_cell", [](TXLSWorksheet& s) { s.GetRange({0, 0, 0, 0})->SetValue(1.5); }, 0, 1,
                  {"DIMENSIONS", dimensions(0, 1, 0, 1)},
                  {{"ROW", row(0, 0, 1)}, {"NUMBER", number(0, 0, 1.5)}, {"DBCELL", dbcell(38, {0})}}, {}},
        SheetCase{"thirty_three_rows",
                  [](TXLSWorksheet& s) {
                      for (int r = 0; r < 33; ++r)
                          s.GetRange({0, r, 0, r})->SetValue(r);
                  },
                  0, 33, {"DIMENSIONS", dimensions(0, 33, 0, 1)}, thirtyThreeRows(), {}},
        SheetCase{"merged_1x3", [](TXLSWorksheet& s) { s.GetRange({0, 0, 2, 0})->SetValue(QStringLiteral("x")); },
                  0, 1, {"DIMENSIONS", dimensions(0, 1, 0, 3)},
                  {{"ROW", row(0, 0, 3)},
                   {"LABELSST", "fd 00 0a 00 00 00 00 00 10 00 00 00 00 00"},
                   {"MULBLANK", "be 00 0a 00 00 00 01 00 10 00 10 00 02 00"},
                   {"DBCELL", dbcell(48, {0})}},
                  {{"MERGEDCELLS", "e5 00 0a 00 01 00 00 00 00 00 00 00 02 00"}}},
        SheetCase{"merged_2x2", [](TXLSWorksheet& s) { s.GetRange({0, 0, 1, 1})->SetValue(2); }, 0, 2,
                  {"DIMENSIONS", dimensions(0, 2, 0, 2)},
                  {{"ROW 0", row(0, 0, 2)},
                   {"ROW 1", row(1, 0, 2)},
                   {"NUMBER", number(0, 0, 2)},
                   {"BLANK", "01 02 06 00 00 00 01 00 10 00"},
                   {"MULBLANK", "be 00 0a 00 01 00 00 00 10 00 10 00 01 00"},
                   {"DBCELL", dbcell(82, {20, 28})}},
                  {{"MERGEDCELLS", "e5 00 0a 00 01 00 00 00 01 00 00 00 01 00"}}},
        // An empty text is a BLANK; a row without ranges keeps its ROW record.
        SheetCase{"empty_text_and_empty_row",
                  [](TXLSWorksheet& s) {
                      s.GetRange({0, 0, 0, 0})->SetValue(QString());
                      s.GetRow(1)->Height = 20;
                      s.GetRange({2, 2, 2, 2})->SetValue(7);
                  },
                  0, 3, {"DIMENSIONS", dimensions(0, 3, 0, 3)},
                  {{"ROW 0", row(0, 0, 1)},
                   {"ROW 1", row(1, 0, 0, 400, 0x40)},
                   {"ROW 2", row(2, 2, 3)},
                   {"BLANK", "01 02 06 00 00 00 00 00 10 00"},
                   {"NUMBER", number(2, 2, 7)},
                   {"DBCELL", dbcell(88, {40, 10, 0})}},
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XlsSheetRecords, HeaderFooterPageSetupAndColumnsInListOrder) {
    TXLSWorkbook book;
    book.AddSheet();
    TXLSWorksheet& sheet = *book.AddSheet();
    TXLSPageSetup& p = sheet.PageSetup;
    p.CenterHeader = QStringLiteral(u"Отчёт");
    p.LeftFooter = QStringLiteral("L");
    p.RightFooter = QStringLiteral("R");
    p.PrintHeadings = true;
    p.CenterVertically = true;
    p.Orientation = 1;
    p.Order = 1;
    p.Draft = true;
    p.FirstPageNumber = 3;
    p.PaperSize = 8;
    p.Zoom = 80;
    p.HeaderMargin = 0.5;
    p.Copies = 2;
    sheet.GetCol(3)->Width = 4000;
    sheet.GetCol(1);

    MemorySink sink;
    TExcelWriter().WriteWorkbook(book, sink);
    std::map<std::uint16_t, std::vector<QByteArray>> byType;
    for (const Record& r : splitRecords(sink.bytes()))
        byType[r.type].push_back(r.bytes);
    auto expectOnly = [&](std::uint16_t type, std::size_t index, const QString& text, const char* name) {
        ASSERT_GT(byType[type].size(), index) << name;
        EXPECT_EQ(hexDiff(hex(text), byType[type][index]), "") << name;
    };
    expectOnly(0x0014, 0, QStringLiteral("14 00 11 00 07 00 01 ") + hUtf16(QStringLiteral(u"&CОтчёт")), "HEADER");
    expectOnly(0x0015, 0, QStringLiteral("15 00 0f 00 06 00 01 ") + hUtf16(QStringLiteral("&LL&RR")), "FOOTER");
    EXPECT_EQ(byType[0x0014].size(), 1u) << "no HEADER on the sheet without texts";
    expectOnly(0x002A, 1, "2a 00 02 00 01 00", "PRINTHEADERS");
    expectOnly(0x0084, 1, "84 00 02 00 01 00", "VCENTER");
    expectOnly(0x00A1, 1, "a1 00 22 00 08 00 50 00 03 00 01 00 01 00 91 00 00 00 00 00 "
                          "00 00 00 00 00 00 e0 3f 00 00 00 00 00 00 00 00 02 00", "SETUP");
    expectOnly(0x007D, 0, "7d 00 0b 00 03 00 03 00 a0 0f 00 00 00 00 00", "COLINFO 3");
    expectOnly(0x007D, 1, "7d 00 0b 00 01 00 01 00 00 08 00 00 00 00 00", "COLINFO 1");
    expectOnly(0x0200, 1, "00 02 0e 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", "DIMENSIONS: no rows");
    expectOnly(0x023E, 1, "3e 02 12 00 b6 04 00 00 00 00 40 00 00 00 00 00 00 00 00 00 00 00", "WINDOW2 not selected");
}

TEST(XlsSheetRecords, MoreThan1027MergedAreasGoIntoSeveralRecords) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    for (int r = 0; r < 1030; ++r)
        sheet.GetRange({0, r, 1, r});
    MemorySink sink;
    TExcelWriter().WriteWorkbook(book, sink);
    std::vector<int> counts;
    const std::vector<Record> records = splitRecords(sink.bytes());
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i].type == 0x00E5) {
            counts.push_back(static_cast<unsigned char>(records[i].bytes[4]) |
                             static_cast<unsigned char>(records[i].bytes[5]) << 8);
            EXPECT_NE(records[i + 1].type, biff::CONTINUE);
        }
    EXPECT_EQ(counts, (std::vector<int>{1027, 3}));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("merged.xls"));
    TExcelWriter().Save(book, path);
    expectXlscheckClean(path);
}

struct TooLarge {
    const char* name;
    TXLSArea area;
    friend void PrintTo(const TooLarge& c, std::ostream* os) { *os << c.name; }
};

class XlsSheetTooLarge : public ::testing::TestWithParam<TooLarge> {};

// Row and column numbers are 16-bit in the file; wrapped ones gave a
// silently corrupt workbook.
TEST_P(XlsSheetTooLarge, IsRefusedBeforeAnythingIsWritten) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    sheet.SetName(QStringLiteral("Big"));
    sheet.GetRange(GetParam().area);
    MemorySink sink;
    try {
        TExcelWriter().WriteWorkbook(book, sink);
        ADD_FAILURE() << "no error";
    } catch (const support::UserError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral(u"«Big»"))) << e.what();
    }
    EXPECT_EQ(sink.size(), 0);
    EXPECT_EQ(sheet.Range(0).WriterLink, -1);
}

INSTANTIATE_TEST_SUITE_P(Cases, XlsSheetTooLarge,
                         ::testing::Values(TooLarge{"row_65536", {0, 65536, 0, 65536}},
                                           TooLarge{"column_256", {250, 0, 256, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(XlsSheetRecords, LastRowAndColumnThatFit) {
    TXLSWorkbook book;
    book.AddSheet()->GetRange({255, 65535, 255, 65535})->SetValue(QStringLiteral("end"));
    MemorySink sink;
    TExcelWriter().WriteWorkbook(book, sink);
    std::map<std::uint16_t, QByteArray> last;
    for (const Record& r : splitRecords(sink.bytes()))
        last[r.type] = r.bytes;
    EXPECT_EQ(hexDiff(hex(dimensions(65535, 65536, 255, 256)), last[0x0200]), "");
    EXPECT_EQ(hexDiff(hex(row(65535, 255, 256)), last[0x0208]), "");
    EXPECT_EQ(hexDiff(hex("fd 00 0a 00 ff ff ff 00 10 00 00 00 00 00"), last[0x00FD]), "");
}

} // namespace
} // namespace dbfquery::xls
