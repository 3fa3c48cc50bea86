#include "editor/SqlHighlighter1Settings.h"
#include "editor/TSqlEdit.h"
#include "editor/TSqlHighlighter.h"
#include "editor/TSqlLexer.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMainWindow>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace dbfquery::editor {
namespace {

using Sci = QsciScintillaBase;

class SqlEditTest : public ::testing::Test {
protected:
    SqlEditTest() {
        ApplySqlHighlighter1Settings(highlighter);
        edit.resize(400, 300);
        edit.setHighlighter(&highlighter);
    }

    void keys(std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>> sequence) {
        for (const auto& [key, mods] : sequence)
            QTest::keyClick(&edit, key, mods);
    }

    int styleAt(int line, int col) {
        edit.SendScintilla(Sci::SCI_COLOURISE, 0L, -1L);
        const long pos = edit.SendScintilla(Sci::SCI_POSITIONFROMLINE, line) + col;
        return int(edit.SendScintilla(Sci::SCI_GETSTYLEAT, pos));
    }

    QString selection() const {
        const int a = int(edit.SendScintilla(Sci::SCI_GETANCHOR));
        const int c = int(edit.SendScintilla(Sci::SCI_GETCURRENTPOS));
        return edit.text(std::min(a, c), std::max(a, c));
    }

    int styleOf(THighlighterAttributes* attribute) {
        const auto& all = highlighter.Attributes();
        return int(std::find(all.begin(), all.end(), attribute) - all.begin()) + 1;
    }

    TSqlHighlighter highlighter;
    TSqlEdit edit;
};

TEST_F(SqlEditTest, StartsConfigured) {
    EXPECT_EQ(edit.lines(), (QStringList{"Select", "", "From", "", "Where", "", "Order By"}));
    const QFont font = edit.lexer()->font(0);
    EXPECT_EQ(font.family(), QStringLiteral("Courier New"));
    EXPECT_EQ(QFontInfo(font).pixelSize(), 13);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(edit.tabWidth(), 2);
    EXPECT_EQ(edit.edgeColumn(), 80);
    EXPECT_EQ(edit.edgeColor(), QColor(192, 192, 192));
    EXPECT_EQ(edit.SendScintilla(Sci::SCI_GETVIRTUALSPACEOPTIONS), long(Sci::SCVS_USERACCESSIBLE));
    EXPECT_EQ(edit.viewport()->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(SqlEditTest, GutterKeepsTwoDigitWidthBeyondLine99) {
    const int expected = 6 + 2 * QFontMetrics(edit.lexer()->font(0)).horizontalAdvance(u'0');
    EXPECT_EQ(edit.gutterWidth(), expected);
    EXPECT_EQ(edit.marginWidth(0), expected);
    QStringList many;
    for (int i = 0; i < 150; ++i)
        many << QStringLiteral("x");
    edit.setLines(many);
    EXPECT_EQ(edit.marginWidth(0), expected);
    EXPECT_EQ(edit.marginWidth(1), 0);
}

TEST_F(SqlEditTest, LinesRoundTripAndProgramTextCannotBeUndone) {
    const QStringList text = {"select *", "", "from T", "Ёлка"};
    edit.setLines(text);
    EXPECT_EQ(edit.lines(), text);
    EXPECT_FALSE(edit.isUndoAvailable());
    edit.setLines({});
    EXPECT_TRUE(edit.lines().isEmpty());
}

TEST_F(SqlEditTest, TypedCharactersAreSignalledCommandKeysAreNot) {
    edit.setLines({"ab"});
    edit.setCaretPos({0, 2});
    QSignalSpy typed(&edit, &TSqlEdit::characterTyped);
    QTest::keyClicks(&edit, QStringLiteral("x ,"));
    QKeyEvent cyrillic(QEvent::KeyPress, 0x042F, Qt::NoModifier, QStringLiteral("Я"));
    QApplication::sendEvent(&edit, &cyrillic);
    QTest::keyClick(&edit, Qt::Key_1);
    ASSERT_EQ(typed.count(), 5);
    EXPECT_EQ(typed[3][0].value<QChar>(), QChar(u'Я'));
    typed.clear();
    keys({{Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Return, Qt::NoModifier},
          {Qt::Key_Tab, Qt::NoModifier}, {Qt::Key_Backtab, Qt::ShiftModifier},
          {Qt::Key_Delete, Qt::NoModifier}, {Qt::Key_Z, Qt::ControlModifier},
          {Qt::Key_V, Qt::ControlModifier}, {Qt::Key_Left, Qt::NoModifier},
          {Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier},
          {Qt::Key_B, Qt::ControlModifier}, {Qt::Key_F9, Qt::NoModifier}});
    EXPECT_EQ(typed.count(), 0);
}

TEST_F(SqlEditTest, F9StaysFreeForTheWindow) {
    QMainWindow window;
    auto* editor = new TSqlEdit(&window);
    window.setCentralWidget(editor);
    QAction run(&window);
    run.setShortcut(QKeySequence(Qt::Key_F9));
    window.addAction(&run);
    QSignalSpy triggered(&run, &QAction::triggered);
    QAction undoLike(&window);
    undoLike.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    window.addAction(&undoLike);
    QSignalSpy stolen(&undoLike, &QAction::triggered);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_F9);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_EQ(stolen.count(), 0) << "a key of the table must reach the editor";
}

TEST_F(SqlEditTest, TabUnderTwoWordsAndUndoAsOneStep) {
    edit.setLines({"select  name", "x"});
    edit.setCaretPos({1, 0});
    keys({{Qt::Key_Tab, Qt::NoModifier}});
    EXPECT_EQ(edit.lines(), (QStringList{"select  name", "        x"}));
    EXPECT_EQ(edit.caretPos(), (TextPos{1, 8}));
    keys({{Qt::Key_Z, Qt::ControlModifier}});
    EXPECT_EQ(edit.lines(), (QStringList{"select  name", "x"}));
}

TEST_F(SqlEditTest, UndoTakesBackAWholeTypedWordAndRedoRestoresIt) {
    edit.setLines({"where"});
    edit.setCaretPos({0, 5});
    QTest::keyClicks(&edit, QStringLiteral(" id"));
    EXPECT_EQ(edit.lines(), QStringList{"where id"});
    keys({{Qt::Key_Home, Qt::NoModifier}, {Qt::Key_Tab, Qt::NoModifier},
          {Qt::Key_End, Qt::NoModifier}});
    QTest::keyClicks(&edit, QStringLiteral("=1"));
    EXPECT_EQ(edit.lines(), QStringList{"  where id=1"});
    keys({{Qt::Key_Z, Qt::ControlModifier}});
    EXPECT_EQ(edit.lines(), QStringList{"  where id"});
    keys({{Qt::Key_Backspace, Qt::AltModifier}});
    EXPECT_EQ(edit.lines(), QStringList{"where id"}) << "the tab is its own step";
    keys({{Qt::Key_Z, Qt::ControlModifier}});
    EXPECT_EQ(edit.lines(), QStringList{"where"});
    keys({{Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}});
    EXPECT_EQ(edit.lines(), QStringList{"where id"});
    keys({{Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier}});
    EXPECT_EQ(edit.lines(), QStringList{"  where id"});
}

TEST_F(SqlEditTest, BackspacesMergeIntoOneUndoStep) {
    edit.setLines({"abcd"});
    edit.setCaretPos({0, 4});
    keys({{Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Backspace, Qt::NoModifier}});
    EXPECT_EQ(edit.lines(), QStringList{"ab"});
    keys({{Qt::Key_Z, Qt::ControlModifier}});
    EXPECT_EQ(edit.lines(), QStringList{"abcd"});
}

TEST_F(SqlEditTest, BlockIndentIsItsOwnUndoStep) {
    edit.setLines({"a", "b"});
    edit.setCaretPos({1, 1}, {0, 0});
    keys({{Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier}});
    EXPECT_EQ(edit.lines(), (QStringList{"  a", "  b"}));
    keys({{Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier}});
    keys({{Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier}});
    EXPECT_EQ(edit.lines(), (QStringList{"  a", "  b"}));
    keys({{Qt::Key_Z, Qt::ControlModifier}});
    EXPECT_EQ(edit.lines(), (QStringList{"    a", "    b"}));
    keys({{Qt::Key_Z, Qt::ControlModifier}, {Qt::Key_Z, Qt::ControlModifier}});
    EXPECT_EQ(edit.lines(), (QStringList{"a", "b"}));
}

TEST_F(SqlEditTest, VirtualSpaceTypingAndTrimming) {
    edit.setLines({"ab", "cd"});
    edit.setCaretPos({0, 2});
    keys({{Qt::Key_Right, Qt::NoModifier}, {Qt::Key_Right, Qt::NoModifier}});
    EXPECT_EQ(edit.caretPos(), (TextPos{0, 4}));
    EXPECT_EQ(edit.lines()[0], QStringLiteral("ab"));
    QTest::keyClicks(&edit, QStringLiteral("  "));
    EXPECT_EQ(edit.lines()[0], QStringLiteral("ab")) << "blanks alone write nothing";
    QTest::keyClick(&edit, Qt::Key_X);
    EXPECT_EQ(edit.lines()[0], QStringLiteral("ab    x"));
    keys({{Qt::Key_Down, Qt::NoModifier}});
    EXPECT_EQ(edit.caretPos(), (TextPos{1, 7})) << "the column is kept past the end";
    edit.setCaretPos({1, kMaxCaretColumn - 1});
    keys({{Qt::Key_Right, Qt::NoModifier}, {Qt::Key_Right, Qt::NoModifier},
          {Qt::Key_Right, Qt::NoModifier}});
    EXPECT_EQ(edit.caretPos(), (TextPos{1, kMaxCaretColumn}));
}

TEST_F(SqlEditTest, EnterAndBackspaceByIndentation) {
    edit.setLines({"  a", "    ab cd"});
    edit.setCaretPos({1, 7});
    keys({{Qt::Key_Return, Qt::NoModifier}});
    EXPECT_EQ(edit.lines(), (QStringList{"  a", "    ab", "    cd"}));
    EXPECT_EQ(edit.caretPos(), (TextPos{2, 4}));
    keys({{Qt::Key_Backspace, Qt::NoModifier}});
    EXPECT_EQ(edit.lines(), (QStringList{"  a", "    ab", "  cd"}));
    EXPECT_EQ(edit.caretPos(), (TextPos{2, 2}));
}

TEST_F(SqlEditTest, CommentOpenedAndClosedRecoloursTheLinesBelow) {
    edit.setLines({"select a", "from b", "where c"});
    const int key = styleOf(highlighter.KeyAttri());
    const int comment = styleOf(highlighter.CommentAttri());
    EXPECT_EQ(styleAt(2, 0), key);
    edit.setCaretPos({0, 0});
    edit.typeText(QStringLiteral("/*"));
    EXPECT_EQ(styleAt(1, 0), comment);
    EXPECT_EQ(styleAt(2, 0), comment);
    EXPECT_EQ(edit.sqlLexer()->lineStartState(2), lsComment);
    edit.setCaretPos({1, 6});
    edit.typeText(QStringLiteral("*/"));
    EXPECT_EQ(styleAt(1, 0), comment);
    EXPECT_EQ(styleAt(2, 0), key);
    EXPECT_EQ(edit.sqlLexer()->lineStartState(2), lsNormal);
    edit.setCaretPos({0, 0});
    keys({{Qt::Key_Delete, Qt::NoModifier}});
    EXPECT_EQ(styleAt(1, 0), key);
    EXPECT_EQ(edit.sqlLexer()->lineStartState(1), lsNormal);
}

TEST_F(SqlEditTest, StylesFollowTokensAcrossMultiByteText) {
    edit.setLines({"'Иванов' 12"});
    EXPECT_EQ(styleAt(0, 0), styleOf(highlighter.StringAttri()));
    const int numberAt = int(QStringLiteral("'Иванов' ").toUtf8().size());
    EXPECT_EQ(styleAt(0, numberAt), styleOf(highlighter.NumberAttri()));
    EXPECT_EQ(edit.lexer()->color(styleOf(highlighter.KeyAttri())), QColor(0, 0, 128));
    EXPECT_TRUE(edit.lexer()->font(styleOf(highlighter.KeyAttri())).bold());
    highlighter.NumberAttri()->SetStyle(fsItalic);
    EXPECT_TRUE(edit.lexer()->font(styleOf(highlighter.NumberAttri())).italic());
}

TEST_F(SqlEditTest, DoubleClickSelectsByWordCharacters) {
    edit.setLines({QStringLiteral("где ЧИСЛО_Ч1 as")});
    edit.show();
    auto click = [&](int col) {
        const QString line = edit.lines()[0];
        const long pos = line.left(col).toUtf8().size();
        const QPoint p(int(edit.SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, pos)) + 2,
                       int(edit.SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, pos)) + 4);
        QTest::mouseDClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, p);
        return selection();
    };
    EXPECT_EQ(click(1), QStringLiteral("где"));
    EXPECT_EQ(click(6), QStringLiteral("ИСЛО_"));
    EXPECT_EQ(click(11), QStringLiteral("1"));
}

TEST_F(SqlEditTest, WordKeysStopAtChe) {
    edit.setLines({QStringLiteral("абЧвг де")});
    edit.setCaretPos({0, 0});
    keys({{Qt::Key_Right, Qt::ControlModifier}});
    EXPECT_EQ(edit.caretPos(), (TextPos{0, 3}));
    keys({{Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier}});
    EXPECT_EQ(selection(), QStringLiteral("вг "));
    keys({{Qt::Key_Backspace, Qt::ControlModifier}});
    EXPECT_EQ(edit.lines(), QStringList{QStringLiteral("абЧде")});
}

TEST_F(SqlEditTest, BookmarksSetMoveAndClear) {
    edit.setLines({"a", "bb", "ccc"});
    edit.setCaretPos({1, 2});
    keys({{Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier}});
    EXPECT_EQ(edit.bookmark(3), (TextPos{1, 2}));
    edit.setCaretPos({0, 0});
    keys({{Qt::Key_3, Qt::ControlModifier}});
    EXPECT_EQ(edit.caretPos(), (TextPos{1, 2}));
    edit.setCaretPos({2, 1});
    // Shift+3 arrives as "#" on a US layout.
    keys({{Qt::Key_NumberSign, Qt::ControlModifier | Qt::ShiftModifier}});
    EXPECT_EQ(edit.bookmark(3), (TextPos{2, 1})) << "set again on another line it moves";
    keys({{Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier}});
    EXPECT_FALSE(edit.bookmark(3)) << "set again on its line it goes";
}

TEST_F(SqlEditTest, ScrollHintShowsTopLineWhileDragging) {
    QStringList many;
    for (int i = 0; i < 200; ++i)
        many << QString::number(i);
    edit.setLines(many);
    edit.show();
    emit edit.verticalScrollBar()->sliderMoved(41);
    ASSERT_NE(edit.scrollHint(), nullptr);
    EXPECT_TRUE(edit.scrollHint()->isVisible());
    EXPECT_EQ(edit.scrollHint()->text(), QStringLiteral("Top Line: 42"));
    emit edit.verticalScrollBar()->sliderReleased();
    EXPECT_FALSE(edit.scrollHint()->isVisible());
}

TEST(SqlEditKeys, KeyCodesAsTheTableStoresThem) {
    auto code = [](int key, Qt::KeyboardModifiers mods, quint32 scan = 0) {
        QKeyEvent e(QEvent::KeyPress, key, mods, scan, 0, 0);
        return int(TSqlEdit::keyCode(e));
    };
    EXPECT_EQ(code(Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier), 24649);
    EXPECT_EQ(code(Qt::Key_Backspace, Qt::AltModifier), 32776);
    EXPECT_EQ(code(Qt::Key_Backtab, Qt::ShiftModifier), kShift + vk::Tab);
    EXPECT_EQ(code(Qt::Key_F1, Qt::ControlModifier), kCtrl + vk::F1);
    EXPECT_EQ(code(Qt::Key_ParenRight, Qt::ControlModifier | Qt::ShiftModifier), kCtrl + kShift + '0');
    // Ctrl+Я with a Russian layout is the key of Z.
    EXPECT_EQ(code(0x042F, Qt::ControlModifier, 52), kCtrl + 'Z');
    EXPECT_EQ(code(Qt::Key_Escape, Qt::NoModifier), 0);
}

} // namespace
} // namespace dbfquery::editor
