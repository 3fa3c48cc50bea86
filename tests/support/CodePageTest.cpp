#include "support/CodePage.h"

#include <gtest/gtest.h>

namespace dbfquery::support {
namespace {

struct PageCase {
    const char* name;
    QByteArray bytes;  // the text in the code page
    const char* utf8;  // what it reads as
    friend void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }
};

class CodePageTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(CodePageTest, DecodesEncodesAndWritesUtf8) {
    const PageCase& c = GetParam();
    const CodePage* page = CodePage::find(QLatin1String(c.name));
    ASSERT_NE(page, nullptr);
    const QString text = QString::fromUtf8(c.utf8);
    EXPECT_EQ(page->decode(c.bytes.toStdString()), text);
    std::string utf8 = "x";
    page->appendUtf8(c.bytes.toStdString(), utf8);
    EXPECT_EQ(utf8, std::string("x") + c.utf8);
    const CodePageText encoded = page->encode(text);
    EXPECT_EQ(encoded.bytes, c.bytes);
    EXPECT_TRUE(encoded.unmappable.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CodePageTest,
    ::testing::Values(
        PageCase{"cp866", QByteArray("\x8f\xe0\xa8\xa2\xa5\xe2 \xf0\xf1 \xfc", 11), "Привет Ёё №"},
        PageCase{"cp1251", QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2 \xa8\xb8 \xb9", 11), "Привет Ёё №"},
        PageCase{"koi8-r", QByteArray("\xf0\xd2\xc9\xd7\xc5\xd4 \xb3\xa3", 9), "Привет Ёё"},
        PageCase{"cp437", QByteArray("Z\x81rich \x9c \xe1", 10), "Zürich £ ß"},
        PageCase{"cp850", QByteArray("\x92r\x9b \x87", 5), "Ærø ç"},
        PageCase{"cp852", QByteArray("\x9d\xa2\xab\x9f", 4), "Łóźč"},
        PageCase{"cp1250", QByteArray("\xa3\xf3\x9f\xe8", 4), "Łóźč"},
        PageCase{"cp1252", QByteArray("\x80 caf\xe9", 6), "€ café"}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (ch == '-')
                ch = '_';
        return n;
    });

TEST(CodePageTest, EveryByteHasTheSameUtf8AsItsCharacter) {
    // The UTF-8 table and the character table are built apart; a slip in
    // either shows as text that differs between the grid and SQLite.
    for (const char* name : {"cp866", "cp1251", "koi8-r", "cp437", "cp850", "cp852", "cp1250", "cp1252"}) {
        const CodePage* page = CodePage::find(QLatin1String(name));
        ASSERT_NE(page, nullptr) << name;
        std::string all;
        for (int b = 0; b < 256; ++b)
            all += static_cast<char>(b);
        std::string utf8;
        page->appendUtf8(all, utf8);
        EXPECT_EQ(QString::fromStdString(utf8), page->decode(all)) << name;
        // Bytes a code page leaves undefined survive a round trip.
        EXPECT_EQ(page->encode(page->decode(all)).bytes.toStdString(), all) << name;
    }
}

TEST(CodePageTest, EncodeReportsCharactersCp1251CannotHold) {
    const CodePageText t = CodePage::cp1251().encode(QStringLiteral("Цена 5€ ≈ ½ ½ ✓"));
    EXPECT_EQ(t.bytes, QByteArray("\xd6\xe5\xed\xe0 5\x88 ? ? ? ?"));
    EXPECT_EQ(t.unmappable, QStringLiteral("≈½✓"));
}

TEST(CodePageTest, FindsAliasesInAnyCase) {
    EXPECT_EQ(CodePage::find(QStringLiteral("Windows-1251")), &CodePage::cp1251());
    EXPECT_EQ(CodePage::find(QStringLiteral("IBM866")), &CodePage::cp866());
    EXPECT_EQ(CodePage::find(QStringLiteral("KOI8-R")), &CodePage::koi8r());
    EXPECT_EQ(CodePage::find(QStringLiteral("utf-8")), nullptr);
}

TEST(CodePageTest, Utf8Sanitizing) {
    std::string out;
    appendSanitizedUtf8("a\xd0\x96" "b\xff" "c\xe2\x82", out);
    EXPECT_EQ(out, "a\xd0\x96" "b\xef\xbf\xbd" "c\xef\xbf\xbd\xef\xbf\xbd");
    EXPECT_TRUE(isValidUtf8("\xd0\x96\xe2\x82\xac\xf0\x9f\x98\x80"));
    EXPECT_FALSE(isValidUtf8("\xc0\x80"));         // overlong
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));     // a surrogate
    EXPECT_TRUE(isAscii("plain text, long enough for words"));
    EXPECT_FALSE(isAscii("plain text, long enough for words\x80"));
}

} // namespace
} // namespace dbfquery::support
