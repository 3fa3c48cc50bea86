#include "editor/ScannerText.h"
#include "editor/SqlHighlighter1Settings.h"
#include "editor/TSqlHighlighter.h"
#include "support/UserError.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace dbfquery::editor {
namespace {

struct Token {
    int kind;
    QByteArray text;
    bool operator==(const Token&) const = default;
};

void PrintTo(const Token& t, std::ostream* os) { *os << t.kind << ":'" << t.text.toStdString() << "'"; }

struct Scan {
    std::vector<Token> tokens;
    int nextState;
};

Scan scan(TSqlHighlighter& h, const QByteArray& line, int state) {
    Scan result;
    h.SetLineState(state);
    h.StartLine(line.constData(), 0);
    while (!h.AtLineEnd()) {
        result.tokens.push_back({h.TokenKind(), h.TokenText()});
        h.NextToken();
    }
    result.nextState = h.LineState();
    return result;
}

struct Case {
    const char* name;
    QByteArray line;
    int state;
    std::vector<Token> tokens;
    int nextState;
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

class ScannerCases : public ::testing::TestWithParam<Case> {};

TEST_P(ScannerCases, TokensAndNextLineState) {
    const Case& c = GetParam();
    TSqlHighlighter h;
    const Scan s = scan(h, c.line, c.state);
    EXPECT_EQ(s.tokens, c.tokens);
    EXPECT_EQ(s.nextState, c.nextState);
}

const QByteArray cyr3("\xF1\xF3\xEC"); // сум in the Cyrillic code page

INSTANTIATE_TEST_SUITE_P(
    Lines, ScannerCases,
    ::testing::Values(
        Case{"MixedCaseKeyword", "SeLeCt", lsNormal, {{skKey, "SeLeCt"}}, lsNormal},
        Case{"KeywordPrefixes", "selected select1 select_", lsNormal,
             {{skIdentifier, "selected"}, {skSpace, " "}, {skIdentifier, "select1"},
              {skSpace, " "}, {skIdentifier, "select_"}},
             lsNormal},
        Case{"UnderscoreKeywords", "base_name entry_point", lsNormal,
             {{skKey, "base_name"}, {skSpace, " "}, {skKey, "entry_point"}}, lsNormal},
        Case{"FunctionIsIdentifier", "sum(x)", lsNormal,
             {{skIdentifier, "sum"}, {skSymbol, "("}, {skIdentifier, "x"}, {skSymbol, ")"}},
             lsNormal},
        Case{"NotEqualIsTwoSymbols", "a<>b", lsNormal,
             {{skIdentifier, "a"}, {skSymbol, "<"}, {skSymbol, ">"}, {skIdentifier, "b"}},
             lsNormal},
        Case{"NumberWithMinus", "3-4", lsNormal, {{skNumber, "3-4"}}, lsNormal},
        Case{"RangeDots", "1..5", lsNormal,
             {{skNumber, "1"}, {skSymbol, "."}, {skSymbol, "."}, {skNumber, "5"}}, lsNormal},
        Case{"NoExponent", "1.5e3", lsNormal, {{skNumber, "1.5"}, {skIdentifier, "e3"}},
             lsNormal},
        Case{"VariableAndParameter", "@total and :p", lsNormal,
             {{skVariable, "@total"}, {skSpace, " "}, {skKey, "and"}, {skSpace, " "},
              {skSymbol, ":"}, {skIdentifier, "p"}},
             lsNormal},
        Case{"BareAt", "@ x", lsNormal, {{skVariable, "@"}, {skSpace, " "}, {skIdentifier, "x"}},
             lsNormal},
        Case{"HashInsideAndAtStart", "a#1 and #a", lsNormal,
             {{skIdentifier, "a#1"}, {skSpace, " "}, {skKey, "and"}, {skSpace, " "},
              {skUnknown, "#"}, {skIdentifier, "a"}},
             lsNormal},
        Case{"CyrillicBytesEach", cyr3, lsNormal,
             {{skUnknown, "\xF1"}, {skUnknown, "\xF3"}, {skUnknown, "\xEC"}}, lsNormal},
        Case{"LineComment", "-- note", lsNormal, {{skComment, "-- note"}}, lsNormal},
        Case{"MinusSymbol", "a-b", lsNormal,
             {{skIdentifier, "a"}, {skSymbol, "-"}, {skIdentifier, "b"}}, lsNormal},
        Case{"BlockCommentOpens", "x /* y", lsNormal,
             {{skIdentifier, "x"}, {skSpace, " "}, {skComment, "/* y"}}, lsComment},
        Case{"BlockCommentCloses", "y */ z", lsComment,
             {{skComment, "y */"}, {skSpace, " "}, {skIdentifier, "z"}}, lsNormal},
        Case{"CloseAtLineStart", "*/x", lsComment, {{skComment, "*/"}, {skIdentifier, "x"}},
             lsNormal},
        Case{"EmptyLineInComment", "", lsComment, {}, lsComment},
        Case{"SlashStarSlashStaysOpen", "/*/", lsNormal, {{skComment, "/*/"}}, lsComment},
        Case{"SlashStarStarSlashCloses", "/**/a", lsNormal,
             {{skComment, "/**/"}, {skIdentifier, "a"}}, lsNormal},
        Case{"StringOpens", "'abc", lsNormal, {{skString, "'abc"}}, lsString},
        Case{"StringClosesAtFirstQuote", "' x", lsString,
             {{skString, "'"}, {skSpace, " "}, {skIdentifier, "x"}}, lsNormal},
        Case{"StringContinues", "ab'c", lsString, {{skString, "ab'"}, {skIdentifier, "c"}},
             lsNormal},
        Case{"DoubledSingleQuotes", "'a''b'", lsNormal,
             {{skString, "'a'"}, {skString, "'b'"}}, lsNormal},
        Case{"DoubledDoubleQuote", "\"a\"\"b\"", lsNormal, {{skString, "\"a\"\"b\""}},
             lsNormal},
        Case{"EscapedDoubleQuote", "\"a\\\"b\" c", lsNormal,
             {{skString, "\"a\\\"b\""}, {skSpace, " "}, {skIdentifier, "c"}}, lsNormal},
        Case{"OpenDoubleQuoteNeverCarries", "\"abc", lsNormal, {{skString, "\"abc"}}, lsNormal},
        Case{"DoubleQuoteStopsAtLineBreak", "\"ab\r\nc", lsNormal,
             {{skString, "\"ab"}, {skSpace, "\r\n"}, {skIdentifier, "c"}}, lsNormal},
        Case{"LineBreaksAndBlanks", "\t \x01\n\r\r\n", lsNormal,
             {{skSpace, "\t \x01"}, {skSpace, "\n"}, {skSpace, "\r"}, {skSpace, "\r\n"}},
             lsNormal},
        Case{"LineBreakInComment", "\nx", lsComment, {{skSpace, "\n"}, {skComment, "x"}},
             lsComment},
        Case{"TwoCharSymbols", "!=%=*=^=&&&=++|||====>>=>>/=", lsNormal,
             {{skSymbol, "!="}, {skSymbol, "%="}, {skSymbol, "*="}, {skSymbol, "^="},
              {skSymbol, "&&"}, {skSymbol, "&="}, {skSymbol, "++"}, {skSymbol, "||"},
              {skSymbol, "|="}, {skSymbol, "=="}, {skSymbol, "=>"}, {skSymbol, ">="},
              {skSymbol, ">>"}, {skSymbol, "/="}},
             lsNormal},
        Case{"LowerForms", "<<=<<<=<", lsNormal,
             {{skSymbol, "<<="}, {skSymbol, "<<"}, {skSymbol, "<="}, {skSymbol, "<"}},
             lsNormal},
        Case{"SingleSymbols", "(),.;?[]{}~:", lsNormal,
             {{skSymbol, "("}, {skSymbol, ")"}, {skSymbol, ","}, {skSymbol, "."},
              {skSymbol, ";"}, {skSymbol, "?"}, {skSymbol, "["}, {skSymbol, "]"},
              {skSymbol, "{"}, {skSymbol, "}"}, {skSymbol, "~"}, {skSymbol, ":"}},
             lsNormal},
        Case{"UnknownBytes", "$\\`\x7F\x80\xFF", lsNormal,
             {{skUnknown, "$"}, {skUnknown, "\\"}, {skUnknown, "`"}, {skUnknown, "\x7F"},
              {skUnknown, "\x80"}, {skUnknown, "\xFF"}},
             lsNormal}));

TEST(SqlScanner, EveryByteGivesATokenAndTheLineEnds) {
    TSqlHighlighter h;
    for (int state : {lsNormal, lsComment, lsString}) {
        for (int c = 1; c < 256; ++c) {
            const char line[] = {char(c), char(c), 'x', 0};
            h.SetLineState(state);
            h.StartLine(line, 0);
            int steps = 0;
            int lastEnd = 0;
            while (!h.AtLineEnd() && steps < 10) {
                EXPECT_GE(h.TokenStart(), lastEnd) << c;
                lastEnd = h.TokenStart() + int(h.TokenText().size());
                EXPECT_GT(h.TokenText().size(), 0) << "empty token for byte " << c;
                h.NextToken();
                ++steps;
            }
            EXPECT_TRUE(h.AtLineEnd()) << "byte " << c << " state " << state;
            EXPECT_EQ(h.TokenStart(), 3) << "byte " << c << " state " << state;
        }
    }
}

TEST(SqlScanner, TokenStartIsZeroBasedColumn) {
    TSqlHighlighter h;
    h.ResetLineState();
    h.StartLine("ab  cd", 7);
    EXPECT_EQ(h.LineIndex(), 7);
    std::vector<int> starts;
    for (; !h.AtLineEnd(); h.NextToken())
        starts.push_back(h.TokenStart());
    EXPECT_EQ(starts, (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(h.TokenAttribute(), nullptr);
}

TEST(SqlKeywords, EveryStandardWordIsFoundInAnyCase) {
    TSqlHighlighter h;
    const QList<QByteArray> words = QByteArray(kStandardKeywords).split(',');
    ASSERT_EQ(words.size(), 126);
    for (const QByteArray& w : words) {
        EXPECT_TRUE(h.IsKeyword(w)) << w.toStdString();
        EXPECT_TRUE(h.IsKeyword(w.toUpper())) << w.toStdString();
        const Scan s = scan(h, w.toUpper(), lsNormal);
        ASSERT_EQ(s.tokens.size(), 1u);
        EXPECT_EQ(s.tokens[0].kind, skKey) << w.toStdString();
    }
    for (const char* plain : {"sum", "avg", "max", "min", "upper", "selec", "fromm", "a"})
        EXPECT_FALSE(h.IsKeyword(plain)) << plain;
}

TEST(SqlKeywords, ChainsAreOrderedByLengthAndWordsAreUnique) {
    TSqlHighlighter h;
    int total = 0;
    for (std::size_t b = 0; b < h.Buckets().size(); ++b) {
        const THashEntryList& chain = h.Buckets()[b];
        for (std::size_t i = 0; i < chain.size(); ++i) {
            EXPECT_EQ(TSqlHighlighter::KeyHash(chain[i].word.constData()), int(b));
            if (i > 0) {
                EXPECT_LE(chain[i - 1].length, chain[i].length);
            }
        }
        total += int(chain.size());
    }
    EXPECT_EQ(total, 126);
    EXPECT_FALSE(h.Buckets().back().empty()) << "the list grows only to the highest bucket used";
}

TEST(SqlKeywords, DuplicateIsRejectedWhateverTheCase) {
    TSqlHighlighter h;
    try {
        h.AddKeyword("SeLeCt", skKey);
        FAIL() << "no error";
    } catch (const support::UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Keyword \"SeLeCt\" already in list"));
    }
}

TEST(SqlKeywords, HashDoublesAndAddsLetterValues) {
    // h = 2h + v, modulo 256: "a" 2, "ab" 2*2+3, "_" 1; digits add nothing.
    EXPECT_EQ(TSqlHighlighter::KeyHash("a"), 2);
    EXPECT_EQ(TSqlHighlighter::KeyHash("Ab"), 7);
    EXPECT_EQ(TSqlHighlighter::KeyHash("z_"), 55);
    EXPECT_EQ(TSqlHighlighter::KeyHash("a1"), 4);
    int run = 0;
    EXPECT_EQ(TSqlHighlighter::KeyHash("zzzzzzzzz+", &run), (((((((((27 * 2 + 27) * 2 + 27) * 2 + 27) * 2 + 27) * 2 + 27) * 2 + 27) * 2 + 27) * 2 + 27) % 256));
    EXPECT_EQ(run, 9);
}

TEST(SqlKeywords, TableNamesAddedOnceAndMatchedOnlyExactlyBeyondLetters) {
    TSqlHighlighter h;
    h.SetTableNames({"people", "PEOPLE", "select", "t1"});
    EXPECT_EQ(scan(h, "People", lsNormal).tokens[0].kind, skTableName);
    EXPECT_EQ(scan(h, "select", lsNormal).tokens[0].kind, skKey);
    EXPECT_EQ(scan(h, "T1", lsNormal).tokens[0].kind, skTableName);
    // "#" and "1" share hash value 0 but are different characters.
    EXPECT_EQ(scan(h, "T#", lsNormal).tokens[0].kind, skIdentifier);
}

TEST(SqlAttributes, RolesKindsAndDefaults) {
    TSqlHighlighter h;
    EXPECT_EQ(h.DefaultAttribute(0), h.CommentAttri());
    EXPECT_EQ(h.DefaultAttribute(5), h.SymbolAttri());
    EXPECT_EQ(h.DefaultAttribute(6), nullptr);
    EXPECT_EQ(h.AttributeForKind(skUnknown), h.IdentifierAttri());
    EXPECT_EQ(h.AttributeForKind(skNull), nullptr);
    EXPECT_EQ(h.KeyAttri()->Name(), QStringLiteral("Reserved word"));
    EXPECT_EQ(h.KeyAttri()->Style(), unsigned(fsBold));
    EXPECT_EQ(h.CommentAttri()->Style(), unsigned(fsItalic));
    EXPECT_FALSE(h.CommentAttri()->Foreground().has_value());
}

TEST(SqlAttributes, WindowSettingsAndChangeNotification) {
    TSqlHighlighter h;
    QSignalSpy spy(&h, &TCustomHighlighter::changed);
    ApplySqlHighlighter1Settings(h);
    EXPECT_GT(spy.count(), 0);
    EXPECT_EQ(h.CommentAttri()->Foreground(), rgbColor(0, 128, 0));
    EXPECT_EQ(h.CommentAttri()->Style(), unsigned(fsItalic));
    EXPECT_EQ(h.KeyAttri()->Foreground(), rgbColor(0, 0, 128));
    EXPECT_EQ(h.SymbolAttri()->Style(), unsigned(fsBold));
    EXPECT_EQ(h.TableNameAttri()->Foreground(), rgbColor(128, 0, 128));
    EXPECT_FALSE(h.IdentifierAttri()->Foreground().has_value());
    EXPECT_EQ(h.DefaultFilter(), QStringLiteral("SQL Files (*.sql)|*.sql"));
    spy.clear();
    h.NumberAttri()->SetForeground(rgbColor(255, 0, 0)); // unchanged value
    EXPECT_EQ(spy.count(), 0);
}

TEST(SqlWordChars, CyrillicLettersExceptCheAndYo) {
    TSqlHighlighter h;
    const TCharSet& w = h.WordChars();
    for (QChar c : QStringLiteral("azAZ09_АяЖж"))
        EXPECT_TRUE(w[scannerByte(c.unicode())]) << int(c.unicode());
    for (QChar c : QStringLiteral("ЧчЁё#$ .-€"))
        EXPECT_FALSE(w[scannerByte(c.unicode())]) << int(c.unicode());
}

TEST(ScannerText, Utf8CharactersBecomeOneByteEach) {
    const QByteArray utf8 = QStringLiteral("aЧ€😀").toUtf8() + QByteArray("\xFF", 1);
    std::vector<int> widths;
    const QByteArray bytes = scannerBytesFromUtf8(utf8.constData(), int(utf8.size()), &widths);
    EXPECT_EQ(bytes, QByteArray("a\xD7\xA0\xA0\xA0"));
    EXPECT_EQ(widths, (std::vector<int>{1, 2, 3, 4, 1}));
    EXPECT_EQ(scannerBytes(QStringLiteral("ё😀")), QByteArray("\xB8\xA0"));
}

} // namespace
} // namespace dbfquery::editor
