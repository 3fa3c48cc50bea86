#include "editor/EditCommands.h"
#include "editor/Keystrokes.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace dbfquery::editor {

void PrintTo(const EditState& s, std::ostream* os) {
    *os << "{";
    for (const QString& l : s.lines)
        *os << "\"" << l.toStdString() << "\" ";
    *os << "caret " << s.caret.line << ":" << s.caret.col << " anchor " << s.anchor.line << ":"
        << s.anchor.col << "}";
}

namespace {

EditState at(QStringList lines, int line, int col) {
    return EditState{std::move(lines), {line, col}, {line, col}};
}

EditState selected(QStringList lines, TextPos anchor, TextPos caret) {
    return EditState{std::move(lines), caret, anchor};
}

struct Case {
    const char* name;
    std::function<EditState(const EditState&)> command;
    EditState before;
    EditState after;
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

class EditCommandCases : public ::testing::TestWithParam<Case> {};

TEST_P(EditCommandCases, GivesTheExpectedTextAndCaret) {
    const Case& c = GetParam();
    EXPECT_EQ(c.command(c.before), c.after);
}

const auto tab = [](const EditState& s) { return SmartTab(s); };
const auto shiftTab = [](const EditState& s) { return ShiftTab(s); };
const auto enter = [](const EditState& s) { return LineBreak(s); };
const auto insertLine = [](const EditState& s) { return LineBreak(s, false); };
const auto backspace = [](const EditState& s) { return Backspace(s); };
const auto del = [](const EditState& s) { return DeleteChar(s); };
const auto indent = [](const EditState& s) { return BlockIndent(s); };
const auto unindent = [](const EditState& s) { return BlockUnindent(s); };
const auto type = [](const QString& text) {
    return [text](const EditState& s) { return TypeText(s, text, false); };
};

INSTANTIATE_TEST_SUITE_P(
    Tab, EditCommandCases,
    ::testing::Values(
        Case{"UnderTwoWordsGoesToSecondWord", tab, at({"select  name", "x"}, 1, 0),
             at({"select  name", "        x"}, 1, 8)},
        Case{"FromInsideAWordAbove", tab, at({"ab cd", "x"}, 1, 1), at({"ab cd", "x"}, 1, 3)},
        Case{"SkipsLinesTooShort", tab, at({"one two", "a", "xyz"}, 2, 3),
             at({"one two", "a", "xyz"}, 2, 4)},
        Case{"NoLineAboveInsertsTwo", tab, at({"ab"}, 0, 0), at({"  ab"}, 0, 2)},
        Case{"ColumnTwoInsertsOne", tab, at({"ab"}, 0, 1), at({"a b"}, 0, 2)},
        Case{"PastEndOnlyMovesTheCaret", tab, at({"ab"}, 0, 2), at({"ab"}, 0, 4)},
        Case{"ReplacesSelectionInOneLine", tab, selected({"abcd"}, {0, 1}, {0, 3}),
             at({"a d"}, 0, 2)},
        Case{"MultiLineSelectionIndents", tab, selected({"a", "b", "c"}, {0, 1}, {2, 0}),
             selected({"  a", "  b", "c"}, {0, 3}, {2, 0})},
        Case{"WholeLineSelectionIndents", tab, selected({"ab", "c"}, {0, 0}, {0, 2}),
             selected({"  ab", "c"}, {0, 0}, {0, 4})}));

INSTANTIATE_TEST_SUITE_P(
    ShiftTab, EditCommandCases,
    ::testing::Values(
        Case{"BackToPreviousWordAbove", shiftTab, at({"select   name", "         x"}, 1, 9),
             at({"select   name", "x"}, 1, 0)},
        Case{"ToWordAboveInsideIt", shiftTab, at({"select name", "          x"}, 1, 10),
             at({"select name", "       x"}, 1, 7)},
        Case{"NoLineAboveBackToTabStop", shiftTab, at({"     x"}, 0, 5), at({"    x"}, 0, 4)},
        Case{"StopsAtNonBlank", shiftTab, at({"ab x"}, 0, 2), at({"ab x"}, 0, 2)},
        // Regression: aligning with a word above deleted the caret line's own text.
        Case{"KeepsTextBeforeTheCaret", shiftTab, at({"x yyyyyyyy", "abc    z"}, 1, 7),
             at({"x yyyyyyyy", "abcz"}, 1, 3)},
        Case{"PastEndMovesBack", shiftTab, at({"ab"}, 0, 5), at({"ab"}, 0, 4)},
        Case{"BlockUnindents", shiftTab, selected({"    a", "\tb", " \tc"}, {0, 4}, {2, 3}),
             selected({"  a", "b", "c"}, {0, 2}, {2, 1})}));

INSTANTIATE_TEST_SUITE_P(
    Block, EditCommandCases,
    ::testing::Values(
        Case{"IndentLeavesLastLineAtColumnOne", indent, selected({"a", "b"}, {0, 0}, {1, 0}),
             selected({"  a", "b"}, {0, 0}, {1, 0})},
        Case{"IndentCaretLineWithoutSelection", indent, at({"a", "b"}, 1, 1),
             at({"a", "  b"}, 1, 3)},
        Case{"UnindentTabOrTwoBlanks", unindent, selected({"\t\ta", "   b", "c"}, {0, 0}, {2, 1}),
             selected({"\ta", " b", "c"}, {0, 0}, {2, 1})},
        Case{"UnindentTabEndsRemoval", unindent, at({" \t a"}, 0, 4), at({" a"}, 0, 2)}));

INSTANTIATE_TEST_SUITE_P(
    Enter, EditCommandCases,
    ::testing::Values(
        Case{"EmptyLineTakesIndentAbove", enter, at({"    a", ""}, 1, 7),
             at({"    a", "", ""}, 2, 4)},
        Case{"EmptyLineTabsCountTwo", enter, at({"\ta", "", ""}, 2, 0),
             at({"\ta", "", "", ""}, 3, 2)},
        Case{"PastEndCopiesLeadingBlanks", enter, at({"\t a"}, 0, 5), at({"\t a", "\t"}, 1, 2)},
        Case{"ColumnOneOpensLineAbove", enter, at({"  ab"}, 0, 0), at({"", "  ab"}, 1, 0)},
        Case{"MiddleOfIndentedLine", enter, at({"    ab cd"}, 0, 7),
             at({"    ab", "    cd"}, 1, 4)},
        Case{"SplitTrimsTheFirstPart", enter, at({"ab  cd"}, 0, 4), at({"ab", "cd"}, 1, 0)},
        Case{"ReplacesSelection", enter, selected({"abcd"}, {0, 1}, {0, 3}),
             at({"a", "d"}, 1, 0)},
        Case{"InsertLineKeepsCaret", insertLine, at({"  ab"}, 0, 3), at({"  a", "  b"}, 0, 3)}));

INSTANTIATE_TEST_SUITE_P(
    Backspace, EditCommandCases,
    ::testing::Values(
        Case{"SelectionIsDeleted", backspace, selected({"abc", "def"}, {0, 1}, {1, 2}),
             at({"af"}, 0, 1)},
        Case{"PastEndGoesToLastCharacter", backspace, at({"ab"}, 0, 6), at({"ab"}, 0, 2)},
        Case{"EmptyLineToLessIndentedAbove", backspace, at({"  a", "      b", ""}, 2, 5),
             at({"  a", "      b", ""}, 2, 2)},
        Case{"EmptyLineNoneAboveToColumnOne", backspace, at({""}, 0, 3), at({""}, 0, 0)},
        Case{"ColumnOneJoins", backspace, at({"ab", "cd"}, 1, 0), at({"abcd"}, 0, 2)},
        Case{"JoinTrims", backspace, at({"ab", "  "}, 1, 0), at({"ab"}, 0, 2)},
        Case{"FirstLineColumnOneDoesNothing", backspace, at({"ab"}, 0, 0), at({"ab"}, 0, 0)},
        Case{"LeadingBlanksToLessIndentedAbove", backspace, at({"  a", "    b"}, 1, 4),
             at({"  a", "  b"}, 1, 2)},
        Case{"LeadingBlanksEmptyLineCountsZero", backspace, at({"  a", "", "    b"}, 2, 4),
             at({"  a", "", "b"}, 2, 0)},
        Case{"LeadingBlanksOnFirstLineAllGo", backspace, at({"    b"}, 0, 4), at({"b"}, 0, 0)},
        Case{"OneCharacter", backspace, at({"abc"}, 0, 2), at({"ac"}, 0, 1)},
        Case{"OneCharacterThenTrim", backspace, at({"ab c"}, 0, 4), at({"ab"}, 0, 3)}));

INSTANTIATE_TEST_SUITE_P(
    Delete, EditCommandCases,
    ::testing::Values(
        Case{"CharacterAtCaretThenTrim", del, at({"ab c"}, 0, 3), at({"ab"}, 0, 3)},
        Case{"PastEndJoinsAtCaretColumn", del, at({"ab", "cd"}, 0, 4), at({"ab  cd"}, 0, 4)},
        Case{"LastLineEndDoesNothing", del, at({"ab"}, 0, 5), at({"ab"}, 0, 5)},
        Case{"Selection", del, selected({"abcd"}, {0, 3}, {0, 1}), at({"ad"}, 0, 1)}));

INSTANTIATE_TEST_SUITE_P(
    Typing, EditCommandCases,
    ::testing::Values(
        Case{"SpaceAtEndOnlyMovesCaret", type(" "), at({"ab"}, 0, 2), at({"ab"}, 0, 3)},
        Case{"LetterAfterSpaceGetsOneSpace", type("x"), at({"ab"}, 0, 3), at({"ab x"}, 0, 4)},
        Case{"VirtualSpaceIsFilled", type("x"), at({""}, 0, 4), at({"    x"}, 0, 5)},
        Case{"ReplacesSelection", type("x"), selected({"abc", "d"}, {1, 1}, {0, 1}),
             at({"ax"}, 0, 2)},
        Case{"SelectionFromVirtualSpaceJoins", type("x"), selected({"a", "bc"}, {0, 3}, {1, 1}),
             at({"a  xc"}, 0, 4)},
        Case{"NoFurtherThanMaxColumn", type("x"), at({""}, 0, 5000),
             at({QString(kMaxCaretColumn, u' ') + "x"}, 0, kMaxCaretColumn + 1)}));

TEST(EditCommands, OverwriteReplacesNextCharacter) {
    EXPECT_EQ(TypeText(at({"abc"}, 0, 1), "x", true), at({"axc"}, 0, 2));
    EXPECT_EQ(TypeText(at({"abc"}, 0, 3), "x", true), at({"abcx"}, 0, 4));
}

TEST(WordCommands, CyrillicCheSplitsAWord) {
    const QString line = QStringLiteral("абвЧгде xyz");
    EXPECT_EQ(WordAt(line, 1), std::make_pair(0, 3));
    EXPECT_EQ(WordAt(line, 5), std::make_pair(4, 7));
    EXPECT_EQ(WordAt(line, 3), std::make_pair(3, 4));
    EXPECT_EQ(WordAt(QStringLiteral("Ёлка"), 0), std::make_pair(0, 1));
    EXPECT_EQ(WordAt(QStringLiteral("имя_поля1 "), 4), std::make_pair(0, 9));
    EXPECT_EQ(WordRight({line}, {0, 0}), (TextPos{0, 4}));
    EXPECT_EQ(WordRight({line}, {0, 4}), (TextPos{0, 8}));
    EXPECT_EQ(WordLeft({line}, {0, 7}), (TextPos{0, 4}));
    EXPECT_EQ(WordLeft({line}, {0, 4}), (TextPos{0, 0}));
}

TEST(WordCommands, CrossLinesAndDelete) {
    const QStringList lines = {"ab, cd", "  ef"};
    EXPECT_EQ(WordRight(lines, {0, 4}), (TextPos{0, 6}));
    EXPECT_EQ(WordRight(lines, {0, 6}), (TextPos{1, 2}));
    EXPECT_EQ(WordLeft(lines, {1, 0}), (TextPos{0, 6}));
    EXPECT_EQ(WordLeft(lines, {1, 9}), (TextPos{1, 2}));
    EXPECT_EQ(DeleteWord(at({"ab, cd"}, 0, 0)), at({"cd"}, 0, 0));
    EXPECT_EQ(DeleteWord(at({"ab", "  cd"}, 0, 7)), at({"abcd"}, 0, 2));
    EXPECT_EQ(DeleteLastWord(at({"ab, cd"}, 0, 6)), at({"ab,"}, 0, 4));
    EXPECT_EQ(DeleteLastWord(at({"ab"}, 0, 0)), at({"ab"}, 0, 0));
}

TEST(Keystrokes, TableHasEveryBindingOnceAndLeavesF9Free) {
    const auto& table = DefaultKeystrokes();
    EXPECT_EQ(table.size(), 82u);
    std::set<std::uint16_t> keys;
    for (const TKeyStroke& k : table)
        EXPECT_TRUE(keys.insert(k.key).second) << "duplicate key " << k.key;
    EXPECT_EQ(FindKeystroke(24649), ecBlockIndent);
    EXPECT_EQ(FindKeystroke(32776), ecUndo);
    EXPECT_EQ(FindKeystroke(kCtrl + kShift + '7'), TEditorCommand(ecSetMarker0 + 7));
    EXPECT_EQ(FindKeystroke(kCtrl + vk::F1), ecContextHelp);
    EXPECT_FALSE(FindKeystroke(vk::F9));
    EXPECT_FALSE(FindKeystroke(kCtrl + 'B'));
}

} // namespace
} // namespace dbfquery::editor
