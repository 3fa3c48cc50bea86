// The workbook-globals substream against records written out by hand.
#include "XlsTestSupport.h"

#include "export/Biff8Records.h"
#include "export/MemorySink.h"
#include "export/TExcelWriter.h"
#include "export/TXLSWorkbook.h"
#include "support/HexDiff.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dbfquery::xls {
namespace {

using dbfquery::testing::hexDiff;
using namespace xls::testing;

QString formatRecord(unsigned code, const QString& text) {
    return QStringLiteral("1e 04 ") + h16(5 + 2 * text.size()) + h16(code) + h16(text.size()) +
           QStringLiteral("01 ") + hUtf16(text);
}

const QString ArialWindowText = QStringLiteral("31 00 1a 00 c8 00 00 00 08 00 64 00 00 00 00 00 01 00 05 01 ") +
                                hUtf16(QStringLiteral("Arial"));

TEST(XlsGlobalsGolden, EmptyWorkbook) {
    TXLSWorkbook book;
    const QByteArray stream = writeStream(book);
    std::vector<Golden> expected = {
        {"BOF", "09 08 10 00 00 06 05 00 bb 0d cc 07 00 00 00 00 00 06 00 00"},
        {"INTERFACEHDR", "e1 00 02 00 e4 04"},
        {"MMS", "c1 00 02 00 00 00"},
        {"INTERFACEEND", "e2 00 00 00"},
        {"WRITEACCESS", QStringLiteral("5c 00 70 00 07 00 01 ") + hUtf16(QStringLiteral("VIrorad")) +
                            QString(95, u' ').replace(" ", "20 ")},
        {"CODEPAGE", "42 00 02 00 e4 04"},
        {"DSF", "61 01 02 00 00 00"},
        {"EXCEL9FILE", "c0 01 00 00"},
        {"TABID", "3d 01 00 00"},
        {"FNGROUPCOUNT", "9c 00 02 00 0e 00"},
        {"WINDOWPROTECT", "19 00 02 00 00 00"},
        {"PROTECT", "12 00 02 00 00 00"},
        {"PASSWORD", "13 00 02 00 00 00"},
        {"PROT4REV", "af 01 02 00 00 00"},
        {"PROT4REVPASS", "bc 01 02 00 00 00"},
        {"WINDOW1", "3d 00 12 00 68 01 1e 00 1e 1d 60 18 38 00 00 00 00 00 01 00 58 02"},
        {"BACKUP", "40 00 02 00 00 00"},
        {"HIDEOBJ", "8d 00 02 00 00 00"},
        {"DATEMODE", "22 00 02 00 00 00"},
        {"PRECISION", "0e 00 02 00 01 00"},
        {"REFRESHALL", "b7 01 02 00 00 00"},
        {"BOOKBOOL", "da 00 02 00 00 00"},
        {"FONT 1", ArialWindowText},
        {"FONT 2", ArialWindowText},
        {"FONT 3", ArialWindowText},
        {"FONT 5", ArialWindowText},
        {"FORMAT 5", formatRecord(5, QStringLiteral(u"#,##0\"р.\";\\-#,##0\"р.\""))},
        {"FORMAT 6", formatRecord(6, QStringLiteral(u"#,##0\"р.\";[Red]\\-#,##0\"р.\""))},
        {"FORMAT 7", formatRecord(7, QStringLiteral(u"#,##0.00\"р.\";\\-#,##0.00\"р.\""))},
        {"FORMAT 8", formatRecord(8, QStringLiteral(u"#,##0.00\"р.\";[Red]\\-#,##0.00\"р.\""))},
        {"FORMAT 42", formatRecord(42, QStringLiteral(u"_-* #,##0\"р.\"_-;\\-* #,##0\"р.\"_-;_-* \"-\"\"р.\"_-;_-@_-"))},
        {"FORMAT 41", formatRecord(41, QStringLiteral(u"_-* #,##0_р_._-;\\-* #,##0_р_._-;_-* \"-\"_р_._-;_-@_-"))},
        {"FORMAT 44", formatRecord(44, QStringLiteral(u"_-* #,##0.00\"р.\"_-;\\-* #,##0.00\"р.\"_-;_-* \"-\"??\"р.\"_-;_-@_-"))},
        {"FORMAT 43", formatRecord(43, QStringLiteral(u"_-* #,##0.00_р_._-;\\-* #,##0.00_р_._-;_-* \"-\"??_р_._-;_-@_-"))},
        {"XF 0", "e0 00 14 00 00 00 00 00 f5 ff 20 00 00 00 00 00 00 00 00 00 00 00 c0 20"},
    };
    for (int i = 1; i <= 14; ++i) {
        const unsigned font = i <= 2 ? 1 : i <= 4 ? 2 : 0;
        expected.push_back({"XF " + std::to_string(i), QStringLiteral("e0 00 14 00 ") + h16(font) +
                                                           "00 00 f5 ff 20 00 00 f4 00 00 00 00 00 00 00 00 c0 20"});
    }
    const std::vector<Golden> tail = {
        {"XF 15", "e0 00 14 00 00 00 00 00 01 00 20 00 00 00 00 00 00 00 00 00 00 00 c0 20"},
        {"STYLE Currency", "93 02 04 00 10 80 04 ff"},
        {"STYLE Currency [0]", "93 02 04 00 11 80 07 ff"},
        {"STYLE Normal", "93 02 04 00 00 80 00 ff"},
        {"STYLE Percent", "93 02 04 00 12 80 05 ff"},
        {"STYLE Comma", "93 02 04 00 13 80 03 ff"},
        {"STYLE Comma [0]", "93 02 04 00 14 80 06 ff"},
        {"USESELFS", "60 01 02 00 00 00"},
        {"COUNTRY", "8c 00 04 00 07 00 07 00"},
        {"EOF", "0a 00 00 00"},
    };
    expected.insert(expected.end(), tail.begin(), tail.end());
    expectRecords(stream, 0, expected);
    EXPECT_EQ(stream.size(), hexSize(expected)) << "nothing after the globals' EOF";
}

TEST(XlsGlobalsGolden, BoundSheetsPointAtTheirSheetsAndNamesAreUtf16) {
    TXLSWorkbook book;
    book.AddSheet()->SetName(QStringLiteral(u"Итог"));
    book.AddSheet()->SetName(QString());
    const QByteArray stream = writeStream(book);
    const std::vector<Record> sheets = recordsOfType(stream, 0x0085);
    ASSERT_EQ(sheets.size(), 2u);
    const std::vector<Record> bofs = recordsOfType(stream, 0x0809);
    ASSERT_EQ(bofs.size(), 3u);
    EXPECT_EQ(hexDiff(hex(QStringLiteral("85 00 10 00 ") + h32(bofs[1].offset) + "00 00 04 01 " +
                                       hUtf16(QStringLiteral(u"Итог"))),
                      sheets[0].bytes), "");
    EXPECT_EQ(hexDiff(hex(QStringLiteral("85 00 08 00 ") + h32(bofs[2].offset) + "00 00 00 01"),
                      sheets[1].bytes), "");
    EXPECT_EQ(hexDiff(hex("3d 01 04 00 00 00 01 00"), recordsOfType(stream, 0x013D)[0].bytes), "");
}

TEST(XlsFonts, DefaultRangeFontIsAFifthFontAndEqualFontsShareAnIndex) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    sheet.GetRange({0, 0, 0, 0});  // Arial 10 black
    TXLSRange* fancy = sheet.GetRange({1, 0, 1, 0});
    fancy->Font.Name = QStringLiteral("Times New Roman");
    fancy->Font.Size = 12;
    fancy->Font.Style = TXLSFont::Bold | TXLSFont::Italic | TXLSFont::Underline | TXLSFont::StrikeOut;
    fancy->Font.Color = 0x0000FF;  // red
    sheet.GetRange({2, 0, 2, 0})->Font = fancy->Font;
    sheet.GetRange({3, 0, 3, 0})->Font.Color = static_cast<std::int32_t>(0x80000008);  // the first default

    const QByteArray stream = writeStream(book);
    const std::vector<Record> fonts = recordsOfType(stream, 0x0031);
    ASSERT_EQ(fonts.size(), 6u);
    EXPECT_EQ(hexDiff(hex(ArialWindowText), fonts[4].bytes), "") << "font 5: black";
    EXPECT_EQ(hexDiff(hex(QStringLiteral("31 00 2e 00 f0 00 0a 00 0a 00 e8 03 00 00 01 00 01 00 0f 01 ") +
                                       hUtf16(QStringLiteral("Times New Roman"))),
                      fonts[5].bytes), "") << "font 6";
    const std::vector<Record> xfs = recordsOfType(stream, 0x00E0);
    ASSERT_EQ(xfs.size(), 15u + 4u);
    auto fontOf = [](const Record& xf) { return static_cast<unsigned char>(xf.bytes[4]); };
    EXPECT_EQ(fontOf(xfs[16]), 5);
    EXPECT_EQ(fontOf(xfs[17]), 6);
    EXPECT_EQ(fontOf(xfs[18]), 1);
}

TEST(XlsFormats, NewFormatsGetCodesFrom50AndMatchWithoutRegardToCase) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    const QString formats[] = {QStringLiteral("@"), QStringLiteral("0.00"), QStringLiteral("[Red]0"),
                               QStringLiteral("[RED]0"), QStringLiteral("@"),
                               QStringLiteral(u"#,##0\"Р.\";\\-#,##0\"Р.\""), QString()};
    for (int i = 0; i < 7; ++i)
        sheet.GetRange({i, 0, i, 0})->NumberFormat = formats[i];
    const QByteArray stream = writeStream(book);
    const std::vector<Record> records = recordsOfType(stream, 0x041E);
    ASSERT_EQ(records.size(), 8u + 3u);
    EXPECT_EQ(hexDiff(hex(formatRecord(50, QStringLiteral("@"))), records[8].bytes), "");
    EXPECT_EQ(hexDiff(hex(formatRecord(51, QStringLiteral("0.00"))), records[9].bytes), "");
    EXPECT_EQ(hexDiff(hex(formatRecord(52, QStringLiteral("[Red]0"))), records[10].bytes), "");

    // Cell XFs after the default one; the format code sits at bytes 2..3 of
    // the body. Equal bodies are shared: ranges 3 and 4 reuse those of 2 and 0.
    std::vector<unsigned> codes;
    const std::vector<Record> xfs = recordsOfType(stream, 0x00E0);
    for (std::size_t i = 16; i < xfs.size(); ++i)
        codes.push_back(static_cast<unsigned char>(xfs[i].bytes[6]) | static_cast<unsigned char>(xfs[i].bytes[7]) << 8);
    EXPECT_EQ(codes, (std::vector<unsigned>{50, 51, 52, 5, 0}));
}

} // namespace
} // namespace dbfquery::xls
