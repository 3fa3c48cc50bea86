#include "support/CodePageGuesser.h"

#include "support/CodePage.h"

#include <gtest/gtest.h>

namespace dbfquery::support {
namespace {

struct GuessCase {
    const char* name;
    const char* codePage; // the one the values are written in, or "utf-8"
    std::vector<const char*> values;
    friend void PrintTo(const GuessCase& c, std::ostream* os) { *os << c.name; }
};

class CodePageGuesserTest : public ::testing::TestWithParam<GuessCase> {};

TEST_P(CodePageGuesserTest, TellsTheCodePage) {
    const GuessCase& c = GetParam();
    CodePageGuesser guesser;
    for (const char* value : c.values) {
        const QString text = QString::fromUtf8(value);
        const QByteArray bytes = QLatin1String(c.codePage) == QLatin1String("utf-8")
                                     ? text.toUtf8()
                                     : CodePage::find(QLatin1String(c.codePage))->encode(text).bytes;
        guesser.add(bytes.toStdString());
    }
    EXPECT_EQ(guesser.guess(), QLatin1String(c.codePage));
}

const std::vector<const char*> k_people = {"Иванов Иван Иванович", "Москва", "Петрова Мария", "Санкт-Петербург",
                                           "Сидоров Пётр", "Новосибирск"};
const std::vector<const char*> k_capitals = {"ИВАНОВ И.И.", "МОСКВА", "ПЕТРОВА М.С.", "КАЗАНЬ", "ОМСК"};
const std::vector<const char*> k_lower = {"съешь же ещё этих мягких французских булок, да выпей чаю"};
const std::vector<const char*> k_single = {"Волков"};

INSTANTIATE_TEST_SUITE_P(
    Texts, CodePageGuesserTest,
    ::testing::Values(GuessCase{"NamesCp866", "cp866", k_people}, GuessCase{"NamesCp1251", "cp1251", k_people},
                      GuessCase{"NamesKoi8", "koi8-r", k_people}, GuessCase{"NamesUtf8", "utf-8", k_people},
                      GuessCase{"CapitalsCp866", "cp866", k_capitals}, GuessCase{"CapitalsCp1251", "cp1251", k_capitals},
                      GuessCase{"CapitalsKoi8", "koi8-r", k_capitals}, GuessCase{"LowerCp866", "cp866", k_lower},
                      GuessCase{"LowerCp1251", "cp1251", k_lower}, GuessCase{"LowerKoi8", "koi8-r", k_lower},
                      GuessCase{"OneWordCp866", "cp866", k_single}, GuessCase{"OneWordCp1251", "cp1251", k_single},
                      GuessCase{"OneWordKoi8", "koi8-r", k_single},
                      GuessCase{"AsciiFallsBackToCp1251", "cp1251", {"Smith", "London"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CodePageGuesserTest, Utf8CutAtTheFieldEndIsStillUtf8) {
    CodePageGuesser guesser;
    guesser.add("\xd0\x9c\xd0\xbe\xd1\x81\xd0\xba\xd0\xb2\xd0"); // "Москв" and half a letter
    guesser.add("\xd0\x9e\xd0\xbc\xd1\x81\xd0\xba");
    EXPECT_EQ(guesser.guess(), QStringLiteral("utf-8"));
}

TEST(CodePageGuesserTest, NothingToTellIsCp1251) {
    EXPECT_EQ(CodePageGuesser().guess(), QStringLiteral("cp1251"));
    EXPECT_FALSE(CodePageGuesser().sawNonAscii());
}

} // namespace
} // namespace dbfquery::support
