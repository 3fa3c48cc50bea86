#pragma once

#include "editor/TCustomHighlighter.h"

#include <Qsci/qscilexercustom.h>
#include <QColor>
#include <QFont>
#include <QPointer>
#include <vector>

namespace dbfquery::editor {


// Colours the editor's text through a scanner. It keeps, for every line, the
// scanner state at the start of that line (-1: not scanned yet); after a
// change it rescans from the changed line on until a line's start state
// comes out as stored. Style 0 is the editor's plain text; style n + 1 is
// the scanner's attribute n. GUI thread only.
class TSqlLexer : public QsciLexerCustom {
    Q_OBJECT

public:
    // The scanner is not owned; it may be destroyed first.
    explicit TSqlLexer(TCustomHighlighter* highlighter, QObject* parent = nullptr);

    const char* language() const override;
    QString description(int style) const override;
    const char* wordCharacters() const override;
    QColor defaultColor(int style) const override;
    QFont defaultFont(int style) const override;
    QColor defaultPaper(int style) const override;
    void styleText(int start, int end) override;

    // The font and colours attributes without their own values fall back to.
    void setBaseStyle(const QFont& font, const QColor& text, const QColor& paper);

    // Stored start state of `line`: 0 normal, 1 comment, 2 string, -1 unknown.
    int lineStartState(int line) const;

    // Text changes as the document reports them, to keep the stored states
    // aligned with the lines.
    void linesInserted(int afterLine, int count);
    void linesRemoved(int afterLine, int count);

    // Forgets every stored state and rescans the whole text.
    void rescanAll();

private:
    void refreshStyles();
    int styleCount() const;
    void styleLine(int line);

    QPointer<TCustomHighlighter> m_highlighter;
    std::vector<int> m_startStates;
    QFont m_font;
    QColor m_text;
    QColor m_paper;
};

} // namespace dbfquery::editor
