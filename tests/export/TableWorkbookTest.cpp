#include "XlsTestSupport.h"

#include "export/TableWorkbook.h"
#include "export/TXLSWorkbook.h"

#include "support/HexDiff.h"

#include <QDate>
#include <QLocale>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dbfquery::xls {
namespace {

using namespace xls::testing;

TableRowReader rowsOf(QList<QVariantList> rows) {
    auto next = std::make_shared<qsizetype>(0);
    auto data = std::make_shared<QList<QVariantList>>(std::move(rows));
    return [next, data](QVariantList& row) {
        if (*next >= data->size())
            return false;
        row = data->at((*next)++);
        return true;
    };
}

TEST(XlsTableWorkbook, KindsHeaderAndWidthsAsXlrdReadsThem) {
    using K = TableColumn::Kind;
    const QList<TableColumn> columns = {{QStringLiteral("NAME"), K::Text, 0},
                                        {QStringLiteral("QTY"), K::Number, 0},
                                        {QStringLiteral("PRICE"), K::Number, 2},
                                        {QStringLiteral("DAY"), K::Date, 0},
                                        {QStringLiteral("OK"), K::Logical, 0}};
    const QList<QVariantList> rows = {
        {QStringLiteral(u"Молоко"), qint64(12), 45.5, QDate(2024, 1, 15), true},
        {QStringLiteral("x"), QVariant(), 1234567.891, QDate(1900, 3, 1), false},
        {QVariant(), qint64(-7), 0.0, QDate(1900, 2, 28), QVariant()},
        {QString(), qint64(0), 1.0, QDate(1899, 12, 31), true},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.xls"));
    saveTableWorkbook(path, columns, rowsOf(rows), QStringLiteral("GOODS"), QStringLiteral("Tester"));
    expectXlscheckClean(path);
    const QJsonObject read = readWithOracles(path);
    EXPECT_EQ(read["user_name"].toString(), QStringLiteral("Tester"));
    const QJsonObject s = read["sheets"].toArray()[0].toObject();
    EXPECT_EQ(s["name"].toString(), QStringLiteral("GOODS"));
    EXPECT_EQ(s["nrows"].toInt(), 5);

    const QJsonObject xfs = read["xfs"].toObject();
    auto xf = [&](int r, int c) { return xfs[QString::number(cellAt(s, r, c)[4].toInt())].toObject(); };
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(cellAt(s, 0, c)[3].toString(), columns[c].name);
        EXPECT_EQ(xf(0, c)["font"].toObject()["weight"].toInt(), 1000) << "bold header";
    }
    EXPECT_EQ(xf(1, 0)["font"].toObject()["weight"].toInt(), 100);

    struct Expect {
        int r, c, ctype;
        QJsonValue value;
        QString format;
    };
    const Expect cells[] = {
        {1, 0, 1, QStringLiteral(u"Молоко"), QString()},
        {1, 1, 2, 12.0, QStringLiteral("0")},
        {1, 2, 2, 45.5, QStringLiteral("0.00")},
        {1, 3, 3, 45306.0, QStringLiteral("DD.MM.YYYY")},
        {1, 4, 1, QStringLiteral("T"), QString()},
        {2, 2, 2, 1234567.891, QStringLiteral("0.00")},
        {2, 3, 3, 61.0, QStringLiteral("DD.MM.YYYY")},
        {2, 4, 1, QStringLiteral("F"), QString()},
        {3, 1, 2, -7.0, QStringLiteral("0")},
        {3, 3, 3, 59.0, QStringLiteral("DD.MM.YYYY")},
        {4, 3, 1, QStringLiteral("31.12.1899"), QString()},  // before the 1900 date system
    };
    for (const Expect& e : cells) {
        const QJsonArray cell = cellAt(s, e.r, e.c);
        ASSERT_FALSE(cell.isEmpty()) << e.r << "," << e.c;
        EXPECT_EQ(cell[2].toInt(), e.ctype) << e.r << "," << e.c;
        EXPECT_EQ(cell[3], e.value) << e.r << "," << e.c;
        if (!e.format.isEmpty()) {
            EXPECT_EQ(xf(e.r, e.c)["format"].toString(), e.format) << e.r << "," << e.c;
        }
    }
    EXPECT_TRUE(cellAt(s, 2, 1).isEmpty()) << "invalid value: empty cell";
    EXPECT_TRUE(cellAt(s, 3, 0).isEmpty());
    EXPECT_TRUE(cellAt(s, 4, 0).isEmpty()) << "empty text: empty cell";

    // Widest value + 2 characters: "1234567.89", "Молоко"/"NAME", "DD.MM.YYYY".
    const QJsonObject widths = s["widths"].toObject();
    EXPECT_EQ(widths["0"].toInt(), (6 + 2) * 256);
    EXPECT_EQ(widths["2"].toInt(), (10 + 2) * 256);
    EXPECT_EQ(widths["3"].toInt(), (10 + 2) * 256);
    EXPECT_EQ(widths["4"].toInt(), (2 + 2) * 256);
}

TEST(XlsTableWorkbook, RowsPast65536GoOnInAFurtherSheetWithItsHeader) {
    constexpr int Records = 70000;
    int next = 0;
    TXLSWorkbook book;
    buildTableWorkbook(book, {{QStringLiteral("N"), TableColumn::Kind::Number, 0}},
                       [&next](QVariantList& row) {
                           if (next == Records)
                               return false;
                           row = {qint64(next++)};
                           return true;
                       },
                       QString(40, u'T'));
    ASSERT_EQ(book.SheetCount(), 2);
    EXPECT_EQ(book.Sheet(0).Name(), QString(31, u'T'));
    EXPECT_EQ(book.Sheet(1).Name(), QString(27, u'T') + QStringLiteral(" (2)"));
    EXPECT_EQ(book.Sheet(0).LastRow(), 65535);
    EXPECT_EQ(book.Sheet(1).LastRow(), Records - 65535);
    EXPECT_EQ(book.Sheet(1).FindRange({0, 0, 0, 0})->Value.toString(), QStringLiteral("N"));
    EXPECT_EQ(book.Sheet(1).FindRange({0, 1, 0, 1})->Value.toDouble(), 65535.0);
}

TEST(XlsTableWorkbook, SheetNamesLoseCharactersSheetsCannotHave) {
    TXLSWorkbook book;
    buildTableWorkbook(book, {{QStringLiteral("A"), TableColumn::Kind::Text, 0}}, rowsOf({}),
                       QStringLiteral("a/b:c[1]*?"));
    EXPECT_EQ(book.Sheet(0).Name(), QStringLiteral("a_b_c_1___"));
    TXLSWorkbook unnamed;
    buildTableWorkbook(unnamed, {{QStringLiteral("A"), TableColumn::Kind::Text, 0}}, rowsOf({}), QStringLiteral(" "));
    EXPECT_EQ(unnamed.Sheet(0).Name(), QStringLiteral("Sheet1"));
}

TEST(XlsTableWorkbook, BytesDoNotDependOnTheLocale) {
    const QList<TableColumn> columns = {{QStringLiteral("SUM"), TableColumn::Kind::Number, 2},
                                        {QStringLiteral("TEXT"), TableColumn::Kind::Number, 1}};
    auto stream = [&] {
        TXLSWorkbook book;
        buildTableWorkbook(book, columns, rowsOf({{1234.5, QStringLiteral("2.5")}, {-0.125, QStringLiteral("x")}}),
                           QStringLiteral("L"));
        return writeStream(book);
    };
    const QByteArray plain = stream();
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // decimal comma
    const QByteArray german = stream();
    QLocale::setDefault(saved);
    EXPECT_EQ(dbfquery::testing::hexDiff(plain, german), "");
}

} // namespace
} // namespace dbfquery::xls
