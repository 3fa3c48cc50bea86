// Files the writer produces, read back by independent readers: the checker,
// python3-olefile and python3-xlrd.
#include "XlsTestSupport.h"

#include "export/SystemColors.h"
#include "export/TExcelWriter.h"
#include "export/TXLSWorkbook.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dbfquery::xls {
namespace {

using namespace xls::testing;

QJsonObject xfOf(const QJsonObject& read, const QJsonArray& cell) {
    return read["xfs"].toObject()[QString::number(cell[4].toInt())].toObject();
}

QJsonArray ints(std::initializer_list<int> values) {
    QJsonArray a;
    for (int v : values)
        a.append(v);
    return a;
}

TEST(XlsReaders, FormattedWorkbookMatchesTheModel) {
    TXLSWorkbook book;
    book.SetUserName(QStringLiteral("Tester"));
    TXLSWorksheet& sheet = *book.AddSheet();
    sheet.SetName(QStringLiteral(u"Данные"));
    TXLSRange& title = *sheet.GetRange({0, 0, 0, 0});
    title.SetValue(QStringLiteral(u"Имя\r\nФамилия"));
    title.WrapText = true;
    title.HorizontalAlignment = 2;
    title.VerticalAlignment = 0;
    title.Font.Name = QStringLiteral("Times New Roman");
    title.Font.Size = 12;
    title.Font.Style = TXLSFont::Bold | TXLSFont::Italic | TXLSFont::Underline;
    title.Font.Color = colorFromRgb(0xFF0000);
    TXLSRange& box = *sheet.GetRange({1, 0, 3, 1});
    box.SetValue(1234.5);
    box.NumberFormat = QStringLiteral("0.00");
    box.Borders[TXLSBorders::Left] = {colorFromRgb(0xFF0000), 1, 0};
    box.Borders[TXLSBorders::Right] = {colorFromRgb(0x0000FF), 2, 0};
    box.Borders[TXLSBorders::Top] = {colorFromRgb(0x00FF00), 1, 0};
    box.Borders[TXLSBorders::Bottom] = {0, 1, 0};
    box.Pattern = 17;
    box.PatternColor = colorFromRgb(0xFFFF00);
    sheet.GetRange({0, 2, 0, 2})->SetValue(-3);
    sheet.GetRange({4, 4, 4, 4})->SetValue(QStringLiteral(u"ёлка"));
    sheet.GetCol(0)->Width = 5000;
    sheet.GetCol(3)->Width = 1000;
    sheet.GetRow(2)->Height = 30;
    book.AddSheet()->GetRange({0, 0, 0, 0})->SetValue(QStringLiteral("second"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("formatted.xls"));
    TExcelWriter().Save(book, path);
    expectXlscheckClean(path);
    const QJsonObject read = readWithOracles(path);

    const QJsonObject cfb = read["container"].toObject();
    EXPECT_EQ(cfb["streams"].toArray(), QJsonArray{QStringLiteral("Workbook")});
    EXPECT_LT(cfb["workbook_size"].toInt(), 4096);
    EXPECT_GE(cfb["root_size"].toInt(), cfb["workbook_size"].toInt()) << "stored in the mini stream";
    EXPECT_EQ(read["user_name"].toString(), QStringLiteral("Tester"));

    const QJsonArray sheets = read["sheets"].toArray();
    ASSERT_EQ(sheets.size(), 2);
    const QJsonObject s = sheets[0].toObject();
    EXPECT_EQ(s["name"].toString(), QStringLiteral(u"Данные"));
    EXPECT_EQ(s["nrows"].toInt(), 5);
    EXPECT_EQ(s["ncols"].toInt(), 5);
    EXPECT_EQ(s["merged"].toArray(), QJsonArray{ints({0, 2, 1, 4})});
    EXPECT_EQ(s["widths"].toObject()["0"].toInt(), 5000);
    EXPECT_EQ(s["widths"].toObject()["3"].toInt(), 1000);
    EXPECT_EQ(s["heights"].toObject(), (QJsonObject{{QStringLiteral("2"), 600}}));
    EXPECT_EQ(sheets[1].toObject()["name"].toString(), QStringLiteral("Sheet2"));
    EXPECT_EQ(cellAt(sheets[1].toObject(), 0, 0)[3].toString(), QStringLiteral("second"));

    const QJsonArray a1 = cellAt(s, 0, 0);
    EXPECT_EQ(a1[3].toString(), QStringLiteral(u"Имя\nФамилия"));
    const QJsonObject titleXf = xfOf(read, a1);
    const QJsonObject font = titleXf["font"].toObject();
    EXPECT_EQ(font["name"].toString(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(font["height"].toInt(), 240);
    EXPECT_EQ(font["weight"].toInt(), 1000);
    EXPECT_EQ(font["italic"].toInt(), 1);
    EXPECT_EQ(font["underline"].toInt(), 1);
    EXPECT_EQ(font["colour"].toInt(), 10);
    EXPECT_EQ(titleXf["hor"].toInt(), 2);
    EXPECT_EQ(titleXf["vert"].toInt(), 0);
    EXPECT_EQ(titleXf["wrap"].toInt(), 1);

    const QJsonArray b1 = cellAt(s, 0, 1);
    EXPECT_EQ(b1[2].toInt(), 2) << "a number cell";
    EXPECT_EQ(b1[3].toDouble(), 1234.5);
    const QJsonObject boxXf = xfOf(read, b1);
    EXPECT_EQ(boxXf["format"].toString(), QStringLiteral("0.00"));
    const QJsonObject borders = boxXf["borders"].toObject();
    EXPECT_EQ(borders["left"].toArray(), ints({1, 10}));
    EXPECT_EQ(borders["right"].toArray(), ints({2, 12}));
    EXPECT_EQ(borders["top"].toArray(), ints({1, 11}));
    EXPECT_EQ(borders["bottom"].toArray(), ints({1, 8}));
    EXPECT_EQ(boxXf["pattern"].toArray(), ints({1, 13}));
    EXPECT_EQ(xfOf(read, cellAt(s, 1, 3)), boxXf) << "the whole merged area carries the area's XF";

    EXPECT_EQ(cellAt(s, 2, 0)[3].toDouble(), -3.0);
    EXPECT_EQ(cellAt(s, 4, 4)[3].toString(), QStringLiteral(u"ёлка"));
}

TEST(XlsReaders, TwentyThousandRows) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    constexpr int Rows = 20000;
    for (int r = 0; r < Rows; ++r) {
        sheet.GetRange({0, r, 0, r})->SetValue(r);
        sheet.GetRange({1, r, 1, r})->SetValue(QStringLiteral(u"строка %1").arg(r));
        sheet.GetRange({2, r, 2, r})->SetValue(r * 0.25);
        if (r % 100 == 0)
            sheet.GetRange({3, r, 5, r})->SetValue(QStringLiteral("merged %1").arg(r));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.xls"));
    TExcelWriter().Save(book, path);
    expectXlscheckClean(path);
    const QJsonObject read = readWithOracles(path, 0);
    const QJsonObject cfb = read["container"].toObject();
    EXPECT_GT(cfb["workbook_size"].toInteger(), QFileInfo(path).size() * 9 / 10);
    EXPECT_EQ(cfb["root_size"].toInt(), 0) << "no mini stream";
    const QJsonObject s = read["sheets"].toArray()[0].toObject();
    EXPECT_EQ(s["nrows"].toInt(), Rows);
    EXPECT_EQ(s["cell_count"].toInt(), Rows * 3 + Rows / 100 * 3);
    EXPECT_EQ(s["merged"].toArray().size(), Rows / 100);
}

} // namespace
} // namespace dbfquery::xls
