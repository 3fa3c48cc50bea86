#pragma once

#include "editor/EditCommands.h"
#include "editor/TCustomHighlighter.h"
#include "editor/Keystrokes.h"

#include <Qsci/qsciscintilla.h>
#include <QPointer>
#include <array>
#include <cstdint>

class QLabel;

namespace dbfquery::editor {

class TSqlLexer;

// The SQL editor: configures itself completely on construction (font,
// colours, gutter, right margin, caret, virtual space up to column 1024,
// the keystroke table as its only key map) and colours its text through the
// scanner given to setHighlighter. GUI thread only.
class TSqlEdit : public QsciScintilla {
    Q_OBJECT

public:
    explicit TSqlEdit(QWidget* parent = nullptr);
    ~TSqlEdit() override;

    // Attaches the scanner (not owned) and colours the whole text with it;
    // nullptr detaches it.
    void setHighlighter(TCustomHighlighter* highlighter);
    TCustomHighlighter* highlighter() const { return m_highlighter; }
    TSqlLexer* sqlLexer() const { return m_lexer; }

    // The text as a list of lines (an empty editor has none). setLines is
    // the program writing the text: it empties the undo list.
    QStringList lines() const;
    void setLines(const QStringList& lines);

    // Caret and selection in characters, virtual space included.
    EditState editState() const;
    TextPos caretPos() const;
    void setCaretPos(TextPos caret, TextPos anchor);
    void setCaretPos(TextPos caret) { setCaretPos(caret, caret); }

    // Runs an editor command as its key does.
    void execute(TEditorCommand command);
    // Types text at the caret as the keyboard does, without the signal.
    void typeText(const QString& text);

    // The key combination of a key event as the keystroke table stores it;
    // 0 when the key has no code there.
    static std::uint16_t keyCode(const QKeyEvent& event);

    // Gutter width in pixels: offsets and two digits of the text font.
    int gutterWidth() const;
    // Line and column of bookmark n (0-9), or nothing.
    std::optional<TextPos> bookmark(int n) const;
    // The scroll hint while the thumb is dragged; nullptr before the first drag.
    QLabel* scrollHint() const { return m_scrollHint; }

signals:
    // A character typed that no keystroke took as a command.
    void characterTyped(QChar key);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool focusNextPrevChild(bool next) override;

private:
    enum class UndoStep { Own, MayMerge };

    void configure();
    void apply(const EditState& after, UndoStep step = UndoStep::Own);
    void moveCaretTo(TextPos p, bool extend);
    void pageEdge(bool bottom, bool extend);
    void toggleBookmark(int n);
    void gotoBookmark(int n);
    void matchBracket();
    void onModified(int position, int type, int linesAdded);
    void clampVirtualSpace();
    void showScrollHint(int value);
    int lineStartByte(int line) const;
    long bytePos(TextPos p, const QString& lineText, long* virtualSpace) const;

    QPointer<TCustomHighlighter> m_highlighter;
    TSqlLexer* m_lexer = nullptr;
    QLabel* m_scrollHint = nullptr;
    QFont m_textFont;
    struct Bookmark {
        int handle = -1;
        int col = 0;
    };
    std::array<Bookmark, 10> m_bookmarks{};
};

} // namespace dbfquery::editor
