#pragma once

#include <QStringList>
#include <compare>

namespace dbfquery::editor {

// A place in the text: zero-based line and zero-based column, counted in
// characters (a tab is one). The column may stand past the end of its line
// (virtual space); nothing is stored there until text is typed.
struct TextPos {
    int line = 0;
    int col = 0;
    auto operator<=>(const TextPos&) const = default;
};

// The text and the selection the editing commands work on. The selection
// runs between `anchor` and `caret`; it is empty when they are equal.
struct EditState {
    QStringList lines;
    TextPos caret;
    TextPos anchor;

    bool hasSelection() const { return caret != anchor; }
    TextPos selStart() const { return std::min(caret, anchor); }
    TextPos selEnd() const { return std::max(caret, anchor); }
    bool operator==(const EditState&) const = default;
};

// Tab stops every 2 columns; the caret goes no further right than this
// zero-based column into virtual space.
constexpr int kTabWidth = 2;
constexpr int kMaxCaretColumn = 1023;

// The word characters of the scanner, for Unicode text (Ч, ч, Ё, ё are not).
bool IsWordChar(QChar c);

// Each command takes the state before and returns the state after. Every
// line a command writes back loses its trailing spaces (tabs stay).
EditState TypeText(const EditState& s, const QString& text, bool overwrite);
EditState SmartTab(const EditState& s);
EditState ShiftTab(const EditState& s);
EditState BlockIndent(const EditState& s);
EditState BlockUnindent(const EditState& s);
// Enter with auto-indent; with `moveCaret` false the caret stays where it was.
EditState LineBreak(const EditState& s, bool moveCaret = true);
EditState Backspace(const EditState& s);
// Delete: the character at the caret; past the end of the line the next
// line is joined at the caret's column.
EditState DeleteChar(const EditState& s);
EditState DeleteWord(const EditState& s);
EditState DeleteLastWord(const EditState& s);
EditState DeleteSelection(const EditState& s);

// Where the word commands move, by the word characters.
TextPos WordLeft(const QStringList& lines, TextPos p);
TextPos WordRight(const QStringList& lines, TextPos p);
// The word (or run of blanks, or run of other characters) under column
// `col` of `line`, as [first, last) columns; for double-click selection.
std::pair<int, int> WordAt(const QString& line, int col);

} // namespace dbfquery::editor
