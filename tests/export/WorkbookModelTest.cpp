#include "export/TXLSWorkbook.h"

#include <QDate>
#include <gtest/gtest.h>

namespace dbfquery::xls {
namespace {

TXLSArea area(int c1, int r1, int c2, int r2) { return {c1, r1, c2, r2}; }

struct NameCase {
    const char* name;
    QString input;
    QString expected;
    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }
};

class XlsSheetName : public ::testing::TestWithParam<NameCase> {};

TEST_P(XlsSheetName, IsCutTo31ThenTrimmed) {
    TXLSWorkbook book;
    TXLSWorksheet* sheet = book.AddSheet();
    sheet->SetName(GetParam().input);
    EXPECT_EQ(sheet->Name(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, XlsSheetName,
    ::testing::Values(NameCase{"forty_chars", QString(40, u'x'), QString(31, u'x')},
                      NameCase{"spaces_only", QStringLiteral("     "), QString()},
                      NameCase{"controls_and_blanks", QStringLiteral("\t Итоги\r\n"), QStringLiteral(u"Итоги")},
                      // cut first: the blank at position 31 is trimmed away afterwards
                      NameCase{"cut_then_trim", QString(30, u'a') + QStringLiteral(" b"), QString(30, u'a')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XlsWorkbook, UserNameDefaultsAndIsCutTo66ThenTrimmed) {
    TXLSWorkbook book;
    EXPECT_EQ(book.UserName(), QStringLiteral("VIrorad"));
    book.SetUserName(QStringLiteral("  Иванов\t"));
    EXPECT_EQ(book.UserName(), QStringLiteral(u"Иванов"));
    book.SetUserName(QString(70, u'n'));
    EXPECT_EQ(book.UserName().size(), 66);
}

TEST(XlsWorkbook, DefaultSheetNamesSkipTakenNamesWithoutRegardToCase) {
    TXLSWorkbook book;
    book.AddSheet();
    book.AddSheet();
    EXPECT_EQ(book.Sheet(0).Name(), QStringLiteral("Sheet1"));
    EXPECT_EQ(book.Sheet(1).Name(), QStringLiteral("Sheet2"));
    EXPECT_EQ(book.Sheet(1).IndexInWorkbook(), 1);

    TXLSWorkbook renamed;
    renamed.AddSheet()->SetName(QStringLiteral("sheet2"));
    EXPECT_EQ(renamed.AddSheet()->Name(), QStringLiteral("Sheet3"));
    renamed.Clear();
    EXPECT_EQ(renamed.SheetCount(), 0);
}

TEST(XlsWorksheet, RowsAndColumnsWidenOnlyTheirOwnBounds) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    TXLSRow* row = sheet.GetRow(5);
    EXPECT_EQ(sheet.FirstRow(), 5);
    EXPECT_EQ(sheet.LastRow(), 5);
    EXPECT_EQ(sheet.FirstCol(), -1);
    EXPECT_EQ(sheet.LastCol(), -1);
    EXPECT_EQ(row->Height, 255);
    EXPECT_EQ(sheet.GetRow(5), row);
    sheet.GetRow(2);
    EXPECT_EQ(sheet.FirstRow(), 2);
    EXPECT_EQ(sheet.LastRow(), 5);

    TXLSCol* col = sheet.GetCol(7);
    EXPECT_EQ(col->Width, 2048);
    EXPECT_EQ(sheet.FindCol(7), col);
    EXPECT_EQ(sheet.FindCol(6), nullptr);
    EXPECT_EQ(sheet.FirstCol(), 7);
    EXPECT_EQ(sheet.LastCol(), 7);
}

TEST(XlsWorksheet, GetRangeFindsTheSameAreaAndReplacesIntersectingRanges) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    TXLSRange* a = sheet.GetRange(area(0, 0, 0, 0));
    EXPECT_EQ(sheet.GetRange(area(0, 0, 0, 0)), a);
    sheet.GetRange(area(1, 0, 1, 0));
    TXLSRange* kept = sheet.GetRange(area(5, 5, 5, 5));
    kept->SetValue(QStringLiteral("kept"));

    // A1:B2 shares cells with both single-cell ranges of row 0.
    TXLSRange* merged = sheet.GetRange(area(0, 0, 1, 1));
    ASSERT_EQ(sheet.RangeCount(), 2);
    EXPECT_EQ(&sheet.Range(0), kept);
    EXPECT_EQ(&sheet.Range(1), merged);
    EXPECT_EQ(sheet.FindRange(area(0, 0, 0, 0)), nullptr);
    EXPECT_EQ(sheet.RangesInRow(1), std::vector<const TXLSRange*>{merged});

    // Touching corners intersect; a neighbour beside the area does not.
    sheet.GetRange(area(2, 1, 2, 1));
    sheet.GetRange(area(1, 1, 3, 3));
    EXPECT_EQ(sheet.RangeCount(), 2);
    EXPECT_EQ(sheet.Range(0).Value.toString(), QStringLiteral("kept"));
}

TEST(XlsWorksheet, BoundsNeverShrinkWhenRangesAreReplaced) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    sheet.GetRange(area(2, 3, 9, 9));
    sheet.GetRange(area(4, 4, 4, 4));
    EXPECT_EQ(sheet.RangeCount(), 1);
    EXPECT_EQ(sheet.FirstCol(), 2);
    EXPECT_EQ(sheet.FirstRow(), 3);
    EXPECT_EQ(sheet.LastCol(), 9);
    EXPECT_EQ(sheet.LastRow(), 9);
}

TEST(XlsWorksheet, RangesInRowAreSortedByFirstColumn) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    TXLSRange* right = sheet.GetRange(area(4, 0, 5, 1));
    TXLSRange* left = sheet.GetRange(area(0, 1, 0, 1));
    EXPECT_EQ(sheet.RangesInRow(1), (std::vector<const TXLSRange*>{left, right}));
    EXPECT_TRUE(sheet.RangesInRow(2).empty());
}

TEST(XlsWorksheet, InvertedOrNegativeAreaIsRejected) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    EXPECT_THROW(sheet.GetRange(area(3, 0, 2, 0)), std::invalid_argument);
    EXPECT_THROW(sheet.GetRange(area(-1, 0, 0, 0)), std::invalid_argument);
    EXPECT_EQ(sheet.RangeCount(), 0);
}

TEST(XlsRange, DefaultsAndSetValue) {
    TXLSWorkbook book;
    TXLSRange& r = *book.AddSheet()->GetRange(area(0, 0, 0, 0));
    EXPECT_EQ(r.Font.Name, QStringLiteral("Arial"));
    EXPECT_EQ(r.Font.Size, 10);
    EXPECT_EQ(r.Font.Color, 0);
    EXPECT_EQ(r.VerticalAlignment, 2);
    EXPECT_FALSE(r.Value.isValid());

    r.SetValue(QStringLiteral("a\r\nb\rc\n"));
    EXPECT_EQ(r.Value.toString(), QStringLiteral("a\nb\rc\n"));
    r.SetValue(12.5);
    EXPECT_EQ(r.Value.typeId(), QMetaType::Double);
    EXPECT_EQ(r.Value.toDouble(), 12.5);
}

TEST(XlsRange, NumberKindsAndTextKinds) {
    for (const QVariant& v : {QVariant(short(1)), QVariant(7), QVariant(qint64(1) << 40), QVariant(1.5f),
                              QVariant(2.5), QVariant::fromValue<uchar>(3)})
        EXPECT_TRUE(TXLSRange::isNumber(v)) << v.typeName();
    for (const QVariant& v : {QVariant(), QVariant(QStringLiteral("1")), QVariant(true), QVariant(QDate(2020, 1, 1))})
        EXPECT_FALSE(TXLSRange::isNumber(v)) << v.typeName();
}

} // namespace
} // namespace dbfquery::xls
