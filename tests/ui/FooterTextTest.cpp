#include "ui/FooterText.h"
#include "ui/TFooterTotal.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace dbfquery::ui {
namespace {

struct GeneralCase {
    const char* name;
    double value;
    int precision;
    const char* expected;
    friend void PrintTo(const GeneralCase& c, std::ostream* os) { *os << c.name; }
};

class GeneralFormat : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralFormat, ShortestTextAtThePrecision) {
    const GeneralCase& c = GetParam();
    EXPECT_EQ(formatGeneral(c.value, c.precision, gridLocale()), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeneralFormat,
    ::testing::Values(GeneralCase{"Zero", 0.0, 15, "0"}, GeneralCase{"Half", 1.5, 15, "1,5"},
                      GeneralCase{"Negative", -0.25, 15, "-0,25"},
                      GeneralCase{"NoiseDropped", 0.1 + 0.2, 15, "0,3"},
                      GeneralCase{"NoiseKeptAt17", 0.1 + 0.2, 17, "0,30000000000000004"},
                      GeneralCase{"RoundedLastDigit", 2.0 / 3.0, 15, "0,666666666666667"},
                      GeneralCase{"FifteenDigitsFixed", 123456789012345.0, 15, "123456789012345"},
                      GeneralCase{"SixteenDigitsScientific", 1e15, 15, "1E15"},
                      GeneralCase{"SmallestFixed", 0.00001, 15, "0,00001"},
                      GeneralCase{"TooSmallForFixed", 0.0000015, 15, "1,5E-6"},
                      GeneralCase{"LowPrecision", 1234.5, 3, "1,23E3"},
                      GeneralCase{"RoundingCarries", 999.96, 4, "1000"},
                      GeneralCase{"DefaultPrecision", 1.0 / 3.0, 0, "0,333333333333333"},
                      GeneralCase{"NotANumber", std::nan(""), 15, "NAN"},
                      GeneralCase{"Infinite", -std::numeric_limits<double>::infinity(), 15, "-INF"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GeneralFormat, SameInEveryProcessLocale) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char* c = std::setlocale(LC_NUMERIC, "C.utf8");
    EXPECT_EQ(formatGeneral(1234.5, 15, gridLocale()), QStringLiteral("1234,5"));
    EXPECT_EQ(formatGeneral(1234.5, 15, QLocale::c()), QStringLiteral("1234.5"));
    EXPECT_EQ(formatTenThousandths(12345, QLocale::c()), QStringLiteral("1.2345"));
    QLocale::setDefault(before);
    if (c)
        std::setlocale(LC_NUMERIC, "C");
}

TEST(TenThousandths, AtMostFourDecimalsNoTrailingZeros) {
    const QLocale ru = gridLocale();
    EXPECT_EQ(formatTenThousandths(0, ru), QStringLiteral("0"));
    EXPECT_EQ(formatTenThousandths(30000, ru), QStringLiteral("3"));
    EXPECT_EQ(formatTenThousandths(125000, ru), QStringLiteral("12,5"));
    EXPECT_EQ(formatTenThousandths(-1, ru), QStringLiteral("-0,0001"));
    EXPECT_EQ(formatTenThousandths(std::numeric_limits<std::int64_t>::min(), ru),
              QStringLiteral("-922337203685477,5808"));
}

TEST(FooterTotal, EachAdditionRoundsHalfToEven) {
    TFooterTotal total;
    total.add(0.00025); // 2.5 ten-thousandths -> 2
    EXPECT_EQ(total.fixed(), 2);
    total.add(0.00025); // 2.5 + 2 = 4.5 -> 4
    EXPECT_EQ(total.fixed(), 4);
    // 0.00015 x 10000 is 1.4999..., but added to 4 in floating point it
    // gives 5.5 exactly, which goes to 6.
    total.add(0.00015);
    EXPECT_EQ(total.fixed(), 6);
    EXPECT_EQ(total.count(), 3);
    EXPECT_TRUE(total.exact());
}

// Regression: a total beyond the 64-bit range was converted to an integer
// with undefined behaviour and showed a wrapped, wrong number.
TEST(FooterTotal, TotalsBeyondFixedPointGoOnApproximately) {
    TFooterTotal total;
    total.add(5e14);
    EXPECT_TRUE(total.exact());
    total.add(1e300);
    EXPECT_FALSE(total.exact());
    EXPECT_EQ(footerNumberText(total, TFieldKind::Float, 15, gridLocale()), QStringLiteral("1E300"));
    EXPECT_EQ(footerNumberText(total, TFieldKind::Integer, 15, gridLocale()), QStringLiteral("1E300"));
    TFooterTotal broken;
    broken.add(std::nan(""));
    EXPECT_EQ(footerNumberText(broken, TFieldKind::Decimal, 15, gridLocale()), QStringLiteral("NAN"));
}

struct KindCase {
    const char* name;
    std::int64_t tenThousandths;
    TFieldKind kind;
    const char* expected;
    friend void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }
};

class FooterByKind : public ::testing::TestWithParam<KindCase> {};

TEST_P(FooterByKind, ShowsTheTotalAsTheFieldTypeDoes) {
    const KindCase& c = GetParam();
    TFooterTotal total;
    total.add(double(c.tenThousandths) / 10000.0);
    ASSERT_EQ(total.fixed(), c.tenThousandths);
    EXPECT_EQ(footerNumberText(total, c.kind, 0, gridLocale()), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FooterByKind,
    ::testing::Values(KindCase{"IntegerHalfDown", 25000, TFieldKind::Integer, "2"},
                      KindCase{"IntegerHalfUp", 35000, TFieldKind::Integer, "4"},
                      KindCase{"IntegerNegativeHalf", -25000, TFieldKind::Integer, "-2"},
                      KindCase{"IntegerAboveHalf", 15001, TFieldKind::Integer, "2"},
                      KindCase{"FloatGeneral", 12345678, TFieldKind::Float, "1234,5678"},
                      KindCase{"DecimalFourPlaces", 37505, TFieldKind::Decimal, "3,7505"},
                      KindCase{"DecimalWhole", 95000, TFieldKind::Decimal, "9,5"},
                      KindCase{"Currency", 12347500, TFieldKind::Currency, "1\u00a0234,75\u00a0₽"},
                      KindCase{"OtherType", 12345, TFieldKind::Other, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace dbfquery::ui
