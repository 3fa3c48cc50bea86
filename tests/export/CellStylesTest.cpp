#include "XlsTestSupport.h"

#include "export/Biff8Records.h"
#include "export/MemorySink.h"
#include "export/SystemColors.h"
#include "export/TExcelWriter.h"
#include "export/TXLSWorkbook.h"
#include "support/HexDiff.h"

#include <gtest/gtest.h>

namespace dbfquery::xls {
namespace {

using dbfquery::testing::hexDiff;
using namespace xls::testing;

std::vector<Record> recordsOf(TXLSWorkbook& book, std::uint16_t type) {
    return recordsOfType(writeStream(book), type);
}

TEST(XlsCellXf, EveryBitFieldOfTheBody) {
    TXLSWorkbook book;
    TXLSRange& r = *book.AddSheet()->GetRange({0, 0, 1, 0});
    r.HorizontalAlignment = 3;
    r.VerticalAlignment = 1;
    r.WrapText = true;
    r.Rotation = 90;
    r.Borders[TXLSBorders::Left] = {colorFromRgb(0xFF0000), 1, 0};
    r.Borders[TXLSBorders::Right] = {colorFromRgb(0x0000FF), 2, 0};
    r.Borders[TXLSBorders::Top] = {colorFromRgb(0x00FF00), 13, 0};
    r.Borders[TXLSBorders::Bottom] = {colorFromRgb(0xFFFF00), 14, 0};  // no such style: written as none
    r.Borders[TXLSBorders::DiagonalUp] = {colorFromRgb(0x000000), 5, 0};
    r.Borders[TXLSBorders::DiagonalDown] = {colorFromRgb(0xFFFFFF), 3, 0};
    r.Pattern = 17;
    r.PatternColor = 0x123456;  // new: takes the first free palette entry, 24

    const std::vector<Record> xfs = recordsOf(book, 0x00E0);
    ASSERT_EQ(xfs.size(), 17u);
    EXPECT_EQ(hexDiff(hex("e0 00 14 00 05 00 00 00 01 00 1b 5a 20 7c 21 0d 0a c6 8b 06 a2 04 18 00"),
                      xfs[16].bytes), "");

    QString palette = QStringLiteral("92 00 e2 00 38 00 ");
    for (std::size_t i = 0; i < 56; ++i)
        palette += h32(static_cast<std::uint32_t>(i == 16 ? 0x123456 : TExcelWriter::DefaultPalette()[i]));
    const std::vector<Record> palettes = recordsOf(book, 0x0092);
    ASSERT_EQ(palettes.size(), 1u);
    EXPECT_EQ(hexDiff(hex(palette), palettes[0].bytes), "");
}

TEST(XlsCellXf, PatternColourAloneMakesAnotherXfAndNoPaletteWithoutNewColours) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    sheet.GetRange({0, 0, 0, 0})->PatternColor = colorFromRgb(0xFF0000);
    sheet.GetRange({1, 0, 1, 0})->PatternColor = colorFromRgb(0x00FF00);
    sheet.GetRange({2, 0, 2, 0})->PatternColor = colorFromRgb(0xFF0000);
    const std::vector<Record> xfs = recordsOf(book, 0x00E0);
    ASSERT_EQ(xfs.size(), 18u);
    EXPECT_EQ(xfs[16].bytes.mid(22, 2), hex("0a 00"));
    EXPECT_EQ(xfs[17].bytes.mid(22, 2), hex("0b 00"));
    EXPECT_TRUE(recordsOf(book, 0x0092).empty());
}

TEST(XlsColorIndex, TakesFreeEntriesInOrderAndGives8WhenThePaletteIsFull) {
    TExcelWriter writer;
    EXPECT_EQ(writer.ColorIndex(colorFromRgb(0xFF0000)), 10);
    EXPECT_EQ(writer.ColorIndex(static_cast<std::int32_t>(0x80000008)), 8) << "window text is black";
    EXPECT_EQ(writer.ColorIndex(colorFromRgb(0x9999FF)), 24) << "a default entry in use";
    EXPECT_FALSE(writer.PaletteChanged());

    // 31 entries are left that are neither protected nor in use: 25..31, 40..63.
    std::vector<int> indexes;
    for (std::uint32_t i = 0; i < 31; ++i)
        indexes.push_back(writer.ColorIndex(static_cast<std::int32_t>(0x010101 * (i + 1) + 0x100000)));
    EXPECT_EQ(indexes.front(), 25);
    EXPECT_EQ(indexes[7], 40) << "the protected duplicates 32..39 are skipped";
    EXPECT_EQ(indexes.back(), 63);
    EXPECT_TRUE(writer.PaletteChanged());
    EXPECT_EQ(writer.ColorIndex(0x00ABCDEF), 8);
    EXPECT_EQ(writer.ColorIndex(static_cast<std::int32_t>(0x010101 * 5 + 0x100000)), indexes[4]);
}

} // namespace
} // namespace dbfquery::xls
