#include "ui/CellText.h"

#include <gtest/gtest.h>

namespace dbfquery::ui {
namespace {

TEST(CellText, DatesLogicalsAndMemoLines) {
    EXPECT_EQ(dateCellText(QDate(2024, 3, 5)), QStringLiteral("05.03.2024"));
    EXPECT_EQ(dateCellText(QDate()), QString());
    EXPECT_EQ(dateTimeCellText(QDateTime(QDate(1999, 12, 31), QTime(23, 5, 9))),
              QStringLiteral("31.12.1999 23:05:09"));
    EXPECT_EQ(logicalCellText(true), QStringLiteral("Да"));
    EXPECT_EQ(logicalCellText(false), QStringLiteral("Нет"));
    EXPECT_EQ(logicalCellText(QVariant()), QString());
    EXPECT_EQ(oneLineCellText(QStringLiteral("a\r\nb\rc\nd\te")), QStringLiteral("a b c d e"));
    EXPECT_EQ(oneLineCellText(QStringLiteral("\r\n\r\n")), QStringLiteral("  "));
}

} // namespace
} // namespace dbfquery::ui
