#include "editor/TSqlLexer.h"

#include "editor/ScannerText.h"
#include "editor/TCustomHighlighter.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

namespace dbfquery::editor {

namespace {

QColor toQColor(std::optional<TColor> c, const QColor& fallback) {
    // A set top bit names a system colour, which the editor's own stands for.
    if (!c || (*c & 0x80000000u))
        return fallback;
    return QColor(int(*c & 0xFF), int(*c >> 8 & 0xFF), int(*c >> 16 & 0xFF));
}

} // namespace

TSqlLexer::TSqlLexer(TCustomHighlighter* highlighter, QObject* parent)
    : QsciLexerCustom(parent), m_highlighter(highlighter) {
    if (m_highlighter) {
        connect(m_highlighter, &TCustomHighlighter::changed, this, [this] {
            refreshStyles();
            rescanAll();
        });
    }
}

const char* TSqlLexer::language() const { return "SQL"; }

int TSqlLexer::styleCount() const {
    return m_highlighter ? int(m_highlighter->Attributes().size()) + 1 : 1;
}

QString TSqlLexer::description(int style) const {
    if (style == 0)
        return QStringLiteral("Default");
    if (style < styleCount())
        return m_highlighter->Attributes()[style - 1]->Name();
    return {};
}

const char* TSqlLexer::wordCharacters() const {
    // Scintilla's own word logic sees only these; the editor selects and
    // moves by words itself, with the Cyrillic letters included.
    return "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
}

QColor TSqlLexer::defaultColor(int style) const {
    if (style > 0 && style < styleCount())
        return toQColor(m_highlighter->Attributes()[style - 1]->Foreground(), m_text);
    return m_text;
}

QColor TSqlLexer::defaultPaper(int style) const {
    if (style > 0 && style < styleCount())
        return toQColor(m_highlighter->Attributes()[style - 1]->Background(), m_paper);
    return m_paper;
}

QFont TSqlLexer::defaultFont(int style) const {
    QFont f = m_font;
    if (style > 0 && style < styleCount()) {
        const unsigned s = m_highlighter->Attributes()[style - 1]->Style();
        f.setBold(s & fsBold);
        f.setItalic(s & fsItalic);
        f.setUnderline(s & fsUnderline);
        f.setStrikeOut(s & fsStrikeOut);
    }
    return f;
}

void TSqlLexer::setBaseStyle(const QFont& font, const QColor& text, const QColor& paper) {
    m_font = font;
    m_text = text;
    m_paper = paper;
    refreshStyles();
}

void TSqlLexer::refreshStyles() {
    for (int s = 0; s < styleCount(); ++s) {
        setColor(defaultColor(s), s);
        setPaper(defaultPaper(s), s);
        setFont(defaultFont(s), s);
    }
    setDefaultFont(m_font);
    setDefaultColor(m_text);
    setDefaultPaper(m_paper);
}

int TSqlLexer::lineStartState(int line) const {
    return line >= 0 && line < int(m_startStates.size()) ? m_startStates[line] : -1;
}

void TSqlLexer::linesInserted(int afterLine, int count) {
    const int at = std::clamp(afterLine + 1, 0, int(m_startStates.size()));
    m_startStates.insert(m_startStates.begin() + at, count, -1);
}

void TSqlLexer::linesRemoved(int afterLine, int count) {
    const int first = std::clamp(afterLine + 1, 0, int(m_startStates.size()));
    const int last = std::clamp(first + count, first, int(m_startStates.size()));
    m_startStates.erase(m_startStates.begin() + first, m_startStates.begin() + last);
}

void TSqlLexer::rescanAll() {
    m_startStates.assign(m_startStates.size(), -1);
    if (QsciScintilla* e = editor())
        e->recolor();
}

void TSqlLexer::styleText(int start, int end) {
    QsciScintilla* e = editor();
    if (!e)
        return;
    const int lineCount = int(e->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT));
    m_startStates.resize(lineCount, -1);
    int line = int(e->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, start));
    const int lastAsked =
        int(e->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, std::max(start, end - 1)));
    // Start where a stored state is known; line 0 always starts normal.
    while (line > 0 && m_startStates[line] < 0)
        --line;
    if (line == 0)
        m_startStates[0] = 0;
    startStyling(int(e->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line)));
    int state = m_startStates[line];
    for (; line < lineCount; ++line) {
        if (line > lastAsked && m_startStates[line] == state)
            break;
        m_startStates[line] = state;
        styleLine(line);
        state = m_highlighter ? m_highlighter->LineState() : 0;
    }
}

void TSqlLexer::styleLine(int line) {
    QsciScintilla* e = editor();
    const int length = int(e->SendScintilla(QsciScintillaBase::SCI_LINELENGTH, line));
    QByteArray utf8(length, '\0');
    if (length > 0)
        e->SendScintilla(QsciScintillaBase::SCI_GETLINE, line, static_cast<void*>(utf8.data()));
    int textLength = length;
    while (textLength > 0 && (utf8[textLength - 1] == '\n' || utf8[textLength - 1] == '\r'))
        --textLength;
    if (!m_highlighter) {
        if (length > 0)
            setStyling(length, 0);
        return;
    }
    std::vector<int> widths;
    const QByteArray bytes = scannerBytesFromUtf8(utf8.constData(), textLength, &widths);
    TCustomHighlighter& h = *m_highlighter;
    h.SetLineState(m_startStates[line]);
    h.StartLine(bytes.constData(), line);
    const auto& attributes = h.Attributes();
    int styled = 0; // UTF-8 bytes styled so far
    int index = 0;  // scanner bytes consumed so far
    while (!h.AtLineEnd()) {
        const auto found = std::find(attributes.begin(), attributes.end(), h.TokenAttribute());
        const int style = found == attributes.end() ? 0 : int(found - attributes.begin()) + 1;
        h.NextToken();
        int tokenBytes = 0;
        for (; index < h.TokenStart() && index < int(widths.size()); ++index)
            tokenBytes += widths[index];
        if (tokenBytes > 0)
            setStyling(tokenBytes, style);
        styled += tokenBytes;
    }
    if (length > styled)
        setStyling(length - styled, 0);
}

} // namespace dbfquery::editor
