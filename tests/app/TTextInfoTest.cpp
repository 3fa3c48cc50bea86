#include "app/QueryBaseLocation.h"
#include "app/TTextInfo.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace dbfquery::app {
namespace {

struct SplitCase {
    const char* name;
    QString text;
    QStringList items;
    friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
};

class Splitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Splitting, FindsTheRunsBetweenDelimiters) {
    const TTextInfo info(GetParam().text, QStringLiteral(","));
    QStringList items;
    for (int k = 1; k <= info.Count(); ++k)
        items << info.GetItem(k);
    EXPECT_EQ(items, GetParam().items);
    EXPECT_EQ(ItemCount(GetParam().text, QStringLiteral(",")), GetParam().items.size());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Splitting,
    ::testing::Values(SplitCase{"Empty", "", {}},
                      SplitCase{"TwoCommas", ",,", {}},
                      SplitCase{"BlanksAreOrdinary", "A, B", {"A", " B"}},
                      SplitCase{"DelimiterRunsAndEnds", ",A,,B ,", {"A", "B "}},
                      SplitCase{"BlankOnlyItem", "A, ,B", {"A", " ", "B"}},
                      SplitCase{"Cyrillic", "ИМЯ,ГОРОД", {"ИМЯ", "ГОРОД"}}),
    [](const auto& info) { return info.param.name; });

TEST(TextInfo, ItemBoundsAreOneBased) {
    const TTextInfo info(QStringLiteral(",AB,,C"), QStringLiteral(","));
    ASSERT_EQ(info.Count(), 2);
    EXPECT_EQ(info.GetItemBounds(1).Start, 2);
    EXPECT_EQ(info.GetItemBounds(1).Length, 2);
    EXPECT_EQ(info.GetItemBounds(2).Start, 6);
    EXPECT_EQ(info.GetItemBounds(2).Length, 1);
}

TEST(TextInfo, EveryCharacterOfTheDelimiterSetDelimits) {
    EXPECT_EQ(ItemCount(QStringLiteral("A;B,C D"), QStringLiteral(",; ")), 4);
}

TEST(ItemAt, ZeroIsTheLastItemAndPastTheEndIsEmpty) {
    const QString comma = QStringLiteral(",");
    EXPECT_EQ(ItemAt(QStringLiteral("A,B,C"), comma, 0), QStringLiteral("C"));
    EXPECT_EQ(ItemAt(QStringLiteral("A,B,C"), comma, 2), QStringLiteral("B"));
    EXPECT_EQ(ItemAt(QStringLiteral("A,B,C"), comma, 4), QString());
    EXPECT_EQ(ItemAt(QStringLiteral(",,"), comma, 0), QString());
}

struct FolderCase {
    const char* name;
    QString folder;
    QString normalized;
    QString queryBase;
    friend void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }
};

class Folders : public ::testing::TestWithParam<FolderCase> {};

TEST_P(Folders, NormaliseAndPlaceTheQueryBase) {
    EXPECT_EQ(NormalizeFolder(GetParam().folder), GetParam().normalized);
    EXPECT_EQ(QueryBasePathFor(GetParam().folder), GetParam().queryBase);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Folders,
    ::testing::Values(
        FolderCase{"KeepsTheCase", "/home/Ivan/Dbf", "/home/Ivan/Dbf", "/home/Ivan/Dbf/Quorvel.cds"},
        FolderCase{"Root", "/", "", "/Quorvel.cds"},
        FolderCase{"TrailingSeparators", "/data//", "/data", "/data/Quorvel.cds"},
        FolderCase{"Backslash", "C:\\Work\\Dbf\\", "C:\\Work\\Dbf", "C:\\Work\\Dbf/Quorvel.cds"},
        FolderCase{"BlanksAroundTrimmed", "  /data\t", "/data", "/data/Quorvel.cds"},
        // Separators go before blanks: one followed by a blank stays.
        FolderCase{"SeparatorBeforeBlankStays", "/data/ ", "/data/", "/data//Quorvel.cds"},
        FolderCase{"Cyrillic", "/дом/Базы", "/дом/Базы", "/дом/Базы/Quorvel.cds"}),
    [](const auto& info) { return info.param.name; });

TEST(Folders, ALongWorkingDirectoryIsTakenWhole) {
    const QString deep = QStringLiteral("/d") + QString(300, u'x');
    EXPECT_EQ(QueryBasePathFor(deep), deep + QStringLiteral("/Quorvel.cds"));
}

} // namespace
} // namespace dbfquery::app
