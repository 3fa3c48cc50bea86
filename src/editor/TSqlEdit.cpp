#include "editor/TSqlEdit.h"

#include "editor/TCustomHighlighter.h"
#include "editor/TSqlLexer.h"

#include <Qsci/qscicommandset.h>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace dbfquery::editor {

namespace {

using Sci = QsciScintillaBase;

constexpr int kGutterLeftOffset = 2;
constexpr int kGutterRightOffset = 2;
constexpr int kBookmarkMask = 0x3FF; // markers 0-9

QString withoutEol(QString line) {
    while (line.endsWith(u'\n') || line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

int leadingBlankCount(const QString& line) {
    int n = 0;
    while (n < line.size() && (line[n] == u' ' || line[n] == u'\t'))
        ++n;
    return n;
}

// Virtual-key code of a Qt key, or 0.
int virtualKey(int key, Qt::KeyboardModifiers mods) {
    switch (key) {
    case Qt::Key_Backspace: return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::Return;
    case Qt::Key_PageUp: return vk::Prior;
    case Qt::Key_PageDown: return vk::Next;
    case Qt::Key_End: return vk::End;
    case Qt::Key_Home: return vk::Home;
    case Qt::Key_Left: return vk::Left;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Right: return vk::Right;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Insert: return vk::Insert;
    case Qt::Key_Delete: return vk::Delete;
    default: break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return vk::F1 + (key - Qt::Key_F1);
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    // Ctrl+Shift+digit arrives as the shifted symbol of the digit.
    if (mods & Qt::ControlModifier) {
        static const QString shiftedDigits = QStringLiteral(")!@#$%^&*(");
        const int digit = key < 0x80 ? int(shiftedDigits.indexOf(QChar(key))) : -1;
        if (digit >= 0)
            return '0' + digit;
    }
    return 0;
}

// With a non-Latin keyboard layout Ctrl+letter still means the Latin letter
// printed on the key; the evdev key codes name it.
int virtualKeyFromScanCode(quint32 code) {
    static const char* const rows[] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    static const quint32 firsts[] = {10, 24, 38, 52};
    for (int r = 0; r < 4; ++r) {
        const quint32 n = quint32(qstrlen(rows[r]));
        if (code >= firsts[r] && code < firsts[r] + n)
            return rows[r][code - firsts[r]];
    }
    return 0;
}

// A font whose character cell is `pixels` high. The component sizes fonts in
// points only, so the height is converted at the screen's resolution.
QFont designFont(const QString& family, int pixels, int dpi) {
    QFont f(family);
    f.setPointSizeF(pixels * 72.0 / (dpi > 0 ? dpi : 96));
    return f;
}

bool isTypedText(const QKeyEvent& e) {
    if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = e.text();
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
               return c.isPrint() || c.isSurrogate();
           });
}

} // namespace

TSqlEdit::TSqlEdit(QWidget* parent) : QsciScintilla(parent) {
    configure();
    setLines({QStringLiteral("Select"), QString(), QStringLiteral("From"), QString(),
              QStringLiteral("Where"), QString(), QStringLiteral("Order By")});
}

TSqlEdit::~TSqlEdit() = default;

void TSqlEdit::configure() {
    setUtf8(true);
    setEolMode(EolUnix);
    m_textFont = designFont(QStringLiteral("Courier New"), 13, logicalDpiY());
    m_textFont.setStyleHint(QFont::TypeWriter);
    const QPalette pal = palette();
    setFont(m_textFont);
    setColor(pal.color(QPalette::Text));
    setPaper(pal.color(QPalette::Base));
    viewport()->setCursor(Qt::IBeamCursor);

    setTabWidth(kTabWidth);
    setIndentationsUseTabs(false);
    setAutoIndent(false);
    SendScintilla(SCI_SETVIRTUALSPACEOPTIONS, SCVS_USERACCESSIBLE);

    const QFont gutterFont = designFont(QStringLiteral("Small Fonts"), 7, logicalDpiY());
    setMarginType(0, NumberMargin);
    setMarginLineNumbers(0, true);
    setMarginWidth(0, gutterWidth());
    setMarginMarkerMask(0, kBookmarkMask);
    for (int m = 1; m < 5; ++m)
        setMarginWidth(m, 0);
    setMarginsFont(gutterFont);
    setMarginsBackgroundColor(pal.color(QPalette::Button));
    setMarginsForegroundColor(pal.color(QPalette::WindowText));
    for (int n = 0; n < 10; ++n) {
        markerDefine(char('0' + n), n);
        setMarkerForegroundColor(pal.color(QPalette::HighlightedText), n);
        setMarkerBackgroundColor(pal.color(QPalette::Highlight), n);
    }

    setEdgeMode(EdgeLine);
    setEdgeColumn(80);
    setEdgeColor(QColor(192, 192, 192));
    setCaretWidth(1);
    SendScintilla(SCI_SETCARETSTYLE, CARETSTYLE_LINE);
    // The component's own pop-up menu would be the only English text.
    SendScintilla(SCI_USEPOPUP, SC_POPUP_NEVER);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // The keystroke table is the only key map.
    standardCommands()->clearKeys();
    standardCommands()->clearAlternateKeys();
    SendScintilla(SCI_CLEARALLCMDKEYS);

    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int, int linesAdded, int, int, int, int,
                   int) { onModified(position, type, linesAdded); });
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int) { clampVirtualSpace(); });
    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, &TSqlEdit::showScrollHint);
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        if (m_scrollHint)
            m_scrollHint->hide();
    });
}

int TSqlEdit::gutterWidth() const {
    return kGutterLeftOffset + kGutterRightOffset + 2 +
           2 * QFontMetrics(m_textFont).horizontalAdvance(u'0');
}

void TSqlEdit::setHighlighter(TCustomHighlighter* highlighter) {
    m_highlighter = highlighter;
    TSqlLexer* old = m_lexer;
    m_lexer = nullptr;
    if (highlighter) {
        m_lexer = new TSqlLexer(highlighter, this);
        const QPalette pal = palette();
        m_lexer->setBaseStyle(m_textFont, pal.color(QPalette::Text), pal.color(QPalette::Base));
        setLexer(m_lexer);
        m_lexer->rescanAll();
    } else {
        setLexer(nullptr);
        setFont(m_textFont);
    }
    delete old;
    // Attaching a lexer resets the margin's style.
    setMarginsFont(designFont(QStringLiteral("Small Fonts"), 7, logicalDpiY()));
    setMarginsBackgroundColor(palette().color(QPalette::Button));
    setMarginsForegroundColor(palette().color(QPalette::WindowText));
}

QStringList TSqlEdit::lines() const {
    const QString all = text();
    if (all.isEmpty())
        return {};
    QStringList result = all.split(u'\n');
    for (QString& l : result) {
        if (l.endsWith(u'\r'))
            l.chop(1);
    }
    return result;
}

void TSqlEdit::setLines(const QStringList& newLines) {
    SendScintilla(SCI_MARKERDELETEALL, -1);
    m_bookmarks = {};
    setText(newLines.join(u'\n'));
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    setCaretPos({0, 0});
}

int TSqlEdit::lineStartByte(int line) const {
    return int(SendScintilla(SCI_POSITIONFROMLINE, line));
}

long TSqlEdit::bytePos(TextPos p, const QString& lineText, long* virtualSpace) const {
    const int chars = std::min(p.col, int(lineText.size()));
    *virtualSpace = p.col - chars;
    return lineStartByte(p.line) + long(lineText.left(chars).toUtf8().size());
}

TextPos TSqlEdit::caretPos() const { return editState().caret; }

EditState TSqlEdit::editState() const {
    EditState s;
    s.lines = lines();
    if (s.lines.isEmpty())
        s.lines.append(QString());
    const int main = int(SendScintilla(SCI_GETMAINSELECTION));
    auto toTextPos = [&](long pos, long virtualSpace) {
        const int line = int(SendScintilla(SCI_LINEFROMPOSITION, pos));
        const QByteArray before = s.lines[line].toUtf8().left(pos - lineStartByte(line));
        return TextPos{line, int(QString::fromUtf8(before).size() + virtualSpace)};
    };
    s.caret = toTextPos(SendScintilla(SCI_GETSELECTIONNCARET, main),
                        SendScintilla(SCI_GETSELECTIONNCARETVIRTUALSPACE, main));
    s.anchor = toTextPos(SendScintilla(SCI_GETSELECTIONNANCHOR, main),
                         SendScintilla(SCI_GETSELECTIONNANCHORVIRTUALSPACE, main));
    return s;
}

void TSqlEdit::setCaretPos(TextPos caret, TextPos anchor) {
    const int last = std::max(0, int(SendScintilla(SCI_GETLINECOUNT)) - 1);
    caret = {std::clamp(caret.line, 0, last), std::max(0, caret.col)};
    anchor = {std::clamp(anchor.line, 0, last), std::max(0, anchor.col)};
    long caretVirtual = 0;
    long anchorVirtual = 0;
    const long caretByte = bytePos(caret, withoutEol(text(caret.line)), &caretVirtual);
    const long anchorByte = bytePos(anchor, withoutEol(text(anchor.line)), &anchorVirtual);
    SendScintilla(SCI_SETSELECTION, caretByte, anchorByte);
    SendScintilla(SCI_SETSELECTIONNCARETVIRTUALSPACE, 0, caretVirtual);
    SendScintilla(SCI_SETSELECTIONNANCHORVIRTUALSPACE, 0, anchorVirtual);
    SendScintilla(SCI_SCROLLCARET);
    SendScintilla(SCI_CHOOSECARETX);
}

void TSqlEdit::apply(const EditState& after, UndoStep step) {
    const QString before = lines().join(u'\n');
    const QString target = after.lines.join(u'\n');
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(before.size(), target.size());
    while (prefix < shorter && before[prefix] == target[prefix])
        ++prefix;
    if (prefix > 0 && before[prefix - 1].isHighSurrogate())
        --prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == target[target.size() - 1 - suffix])
        ++suffix;
    if (suffix > 0 && before[before.size() - suffix].isLowSurrogate())
        --suffix;
    const qsizetype removed = before.size() - prefix - suffix;
    const QString inserted = target.mid(prefix, target.size() - prefix - suffix);
    if (removed > 0 || !inserted.isEmpty()) {
        const long start = long(before.left(prefix).toUtf8().size());
        const long removedBytes = long(before.mid(prefix, removed).toUtf8().size());
        // Plain insertions and deletions let the undo list merge a run of
        // typing; a command's changes are one step of their own.
        if (step == UndoStep::Own)
            beginUndoAction();
        if (removedBytes > 0)
            SendScintilla(SCI_DELETERANGE, start, removedBytes);
        if (!inserted.isEmpty())
            SendScintilla(SCI_INSERTTEXT, start, inserted.toUtf8().constData());
        if (step == UndoStep::Own)
            endUndoAction();
    }
    setCaretPos(after.caret, after.anchor);
}

void TSqlEdit::typeText(const QString& typed) {
    const EditState s = editState();
    const bool overwrite = overwriteMode();
    apply(TypeText(s, typed, overwrite),
          s.hasSelection() || overwrite ? UndoStep::Own : UndoStep::MayMerge);
}

void TSqlEdit::moveCaretTo(TextPos p, bool extend) {
    setCaretPos(p, extend ? editState().anchor : p);
}

void TSqlEdit::pageEdge(bool bottom, bool extend) {
    const EditState s = editState();
    const int first = int(SendScintilla(SCI_DOCLINEFROMVISIBLE, SendScintilla(SCI_GETFIRSTVISIBLELINE)));
    int line = first;
    if (bottom) {
        const int visible = std::max(1, int(SendScintilla(SCI_LINESONSCREEN)));
        line = std::min(first + visible - 1, int(s.lines.size()) - 1);
    }
    moveCaretTo({line, s.caret.col}, extend);
}

void TSqlEdit::toggleBookmark(int n) {
    const TextPos caret = caretPos();
    Bookmark& b = m_bookmarks[n];
    if (b.handle >= 0) {
        const int line = int(SendScintilla(SCI_MARKERLINEFROMHANDLE, b.handle));
        SendScintilla(SCI_MARKERDELETEHANDLE, b.handle);
        b.handle = -1;
        if (line == caret.line)
            return;
    }
    b.handle = markerAdd(caret.line, n);
    b.col = caret.col;
}

std::optional<TextPos> TSqlEdit::bookmark(int n) const {
    const Bookmark& b = m_bookmarks[n];
    if (b.handle < 0)
        return std::nullopt;
    const int line = int(SendScintilla(SCI_MARKERLINEFROMHANDLE, b.handle));
    if (line < 0)
        return std::nullopt;
    return TextPos{line, b.col};
}

void TSqlEdit::gotoBookmark(int n) {
    if (const auto p = bookmark(n))
        setCaretPos(*p);
}

void TSqlEdit::matchBracket() {
    const long pos = SendScintilla(SCI_GETCURRENTPOS);
    long match = SendScintilla(SCI_BRACEMATCH, pos, 0L);
    if (match < 0 && pos > 0)
        match = SendScintilla(SCI_BRACEMATCH, pos - 1, 0L);
    if (match >= 0)
        SendScintilla(SCI_GOTOPOS, match);
}

void TSqlEdit::execute(TEditorCommand command) {
    auto sci = [this](unsigned message) { SendScintilla(message); };
    const bool smartBackspaceCase = [&] {
        if (command != ecDeleteLastChar)
            return false;
        const EditState s = editState();
        const QString& l = s.lines[s.caret.line];
        return !s.hasSelection() && s.caret.col > 0 && s.caret.col <= l.size() &&
               s.caret.col != leadingBlankCount(l);
    }();
    switch (command) {
    case ecUp: sci(SCI_LINEUP); break;
    case ecSelUp: sci(SCI_LINEUPEXTEND); break;
    case ecScrollUp: sci(SCI_LINESCROLLUP); break;
    case ecDown: sci(SCI_LINEDOWN); break;
    case ecSelDown: sci(SCI_LINEDOWNEXTEND); break;
    case ecScrollDown: sci(SCI_LINESCROLLDOWN); break;
    case ecLeft: sci(SCI_CHARLEFT); break;
    case ecSelLeft: sci(SCI_CHARLEFTEXTEND); break;
    case ecRight:
        sci(SCI_CHARRIGHT);
        clampVirtualSpace();
        break;
    case ecSelRight:
        sci(SCI_CHARRIGHTEXTEND);
        clampVirtualSpace();
        break;
    case ecWordLeft:
    case ecSelWordLeft: {
        const EditState s = editState();
        moveCaretTo(WordLeft(s.lines, s.caret), command == ecSelWordLeft);
        break;
    }
    case ecWordRight:
    case ecSelWordRight: {
        const EditState s = editState();
        moveCaretTo(WordRight(s.lines, s.caret), command == ecSelWordRight);
        break;
    }
    case ecPageDown: sci(SCI_PAGEDOWN); break;
    case ecSelPageDown: sci(SCI_PAGEDOWNEXTEND); break;
    case ecPageUp: sci(SCI_PAGEUP); break;
    case ecSelPageUp: sci(SCI_PAGEUPEXTEND); break;
    case ecPageBottom: pageEdge(true, false); break;
    case ecSelPageBottom: pageEdge(true, true); break;
    case ecPageTop: pageEdge(false, false); break;
    case ecSelPageTop: pageEdge(false, true); break;
    case ecLineStart: sci(SCI_HOME); break;
    case ecSelLineStart: sci(SCI_HOMEEXTEND); break;
    case ecEditorTop: sci(SCI_DOCUMENTSTART); break;
    case ecSelEditorTop: sci(SCI_DOCUMENTSTARTEXTEND); break;
    case ecLineEnd: sci(SCI_LINEEND); break;
    case ecSelLineEnd: sci(SCI_LINEENDEXTEND); break;
    case ecEditorBottom: sci(SCI_DOCUMENTEND); break;
    case ecSelEditorBottom: sci(SCI_DOCUMENTENDEXTEND); break;
    case ecToggleMode:
        setOverwriteMode(!overwriteMode());
        SendScintilla(SCI_SETCARETSTYLE, overwriteMode() ? CARETSTYLE_BLOCK : CARETSTYLE_LINE);
        break;
    case ecCopy: sci(SCI_COPY); break;
    case ecCut: sci(SCI_CUT); break;
    case ecPaste: sci(SCI_PASTE); break;
    case ecDeleteChar: {
        const EditState s = editState();
        apply(DeleteChar(s), s.hasSelection() ? UndoStep::Own : UndoStep::MayMerge);
        break;
    }
    case ecDeleteLastChar:
        apply(Backspace(editState()), smartBackspaceCase ? UndoStep::MayMerge : UndoStep::Own);
        break;
    case ecDeleteLastWord: apply(DeleteLastWord(editState())); break;
    case ecUndo: undo(); break;
    case ecRedo: redo(); break;
    case ecLineBreak: apply(LineBreak(editState())); break;
    case ecInsertLine: apply(LineBreak(editState(), false)); break;
    case ecTab: apply(SmartTab(editState())); break;
    case ecShiftTab: apply(ShiftTab(editState())); break;
    case ecContextHelp: break; // no help handler is set
    case ecSelectAll: sci(SCI_SELECTALL); break;
    case ecBlockIndent: apply(BlockIndent(editState())); break;
    case ecBlockUnindent: apply(BlockUnindent(editState())); break;
    case ecDeleteWord: apply(DeleteWord(editState())); break;
    case ecDeleteLine: sci(SCI_LINEDELETE); break;
    case ecDeleteEOL: sci(SCI_DELLINERIGHT); break;
    case ecNormalSelect:
        SendScintilla(SCI_SETSELECTIONMODE, SC_SEL_STREAM);
        sci(SCI_CANCEL);
        break;
    case ecColumnSelect: SendScintilla(SCI_SETSELECTIONMODE, SC_SEL_RECTANGLE); break;
    case ecLineSelect: SendScintilla(SCI_SETSELECTIONMODE, SC_SEL_LINES); break;
    case ecMatchBracket: matchBracket(); break;
    default:
        if (command >= ecGotoMarker0 && command <= ecGotoMarker9)
            gotoBookmark(command - ecGotoMarker0);
        else if (command >= ecSetMarker0 && command <= ecSetMarker9)
            toggleBookmark(command - ecSetMarker0);
        break;
    }
}

std::uint16_t TSqlEdit::keyCode(const QKeyEvent& e) {
    const Qt::KeyboardModifiers mods = e.modifiers();
    int code = virtualKey(e.key(), mods);
    if (code == 0 && (mods & (Qt::ControlModifier | Qt::AltModifier)))
        code = virtualKeyFromScanCode(e.nativeScanCode());
    if (code == 0)
        return 0;
    if ((mods & Qt::ShiftModifier) || e.key() == Qt::Key_Backtab)
        code += kShift;
    if (mods & Qt::ControlModifier)
        code += kCtrl;
    if (mods & Qt::AltModifier)
        code += kAlt;
    return std::uint16_t(code);
}

bool TSqlEdit::event(QEvent* e) {
    // Keys of the table and typed characters are the editor's; anything else
    // (F9 among them) stays free for the window's shortcuts.
    if (e->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(e);
        e->setAccepted(FindKeystroke(keyCode(*key)).has_value() || isTypedText(*key));
        return true;
    }
    return QsciScintilla::event(e);
}

void TSqlEdit::keyPressEvent(QKeyEvent* e) {
    if (const auto command = FindKeystroke(keyCode(*e))) {
        execute(*command);
        e->accept();
        return;
    }
    if (isTypedText(*e)) {
        const QString typed = e->text();
        typeText(typed);
        for (QChar c : typed)
            emit characterTyped(c);
        e->accept();
        return;
    }
    e->ignore();
}

void TSqlEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (!e->commitString().isEmpty() && e->preeditString().isEmpty()) {
        const QString typed = e->commitString();
        typeText(typed);
        for (QChar c : typed)
            emit characterTyped(c);
        e->accept();
        return;
    }
    QsciScintilla::inputMethodEvent(e);
}

void TSqlEdit::mouseDoubleClickEvent(QMouseEvent* e) {
    QsciScintilla::mouseDoubleClickEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint at = e->position().toPoint();
    const long pos = SendScintilla(SCI_POSITIONFROMPOINT, at.x(), at.y());
    const int line = int(SendScintilla(SCI_LINEFROMPOSITION, pos));
    const QString lineText = withoutEol(text(line));
    const int col =
        int(QString::fromUtf8(lineText.toUtf8().left(pos - lineStartByte(line))).size());
    const auto [first, last] = WordAt(lineText, col);
    if (last > first)
        setCaretPos({line, last}, {line, first});
}

void TSqlEdit::wheelEvent(QWheelEvent* e) {
    // The text keeps its one font size: Ctrl+wheel does not zoom.
    if (e->modifiers() & Qt::ControlModifier) {
        e->accept();
        return;
    }
    QsciScintilla::wheelEvent(e);
}

bool TSqlEdit::focusNextPrevChild(bool) { return false; }

void TSqlEdit::onModified(int position, int type, int linesAdded) {
    if (!m_lexer || linesAdded == 0)
        return;
    const int line = int(SendScintilla(SCI_LINEFROMPOSITION, position));
    if ((type & SC_MOD_INSERTTEXT) && linesAdded > 0)
        m_lexer->linesInserted(line, linesAdded);
    else if ((type & SC_MOD_DELETETEXT) && linesAdded < 0)
        m_lexer->linesRemoved(line, -linesAdded);
}

void TSqlEdit::clampVirtualSpace() {
    const int main = int(SendScintilla(SCI_GETMAINSELECTION));
    auto clamp = [&](unsigned getPos, unsigned getVirtual, unsigned setVirtual) {
        const long space = SendScintilla(getVirtual, main);
        if (space <= 0)
            return;
        const long pos = SendScintilla(getPos, main);
        const int line = int(SendScintilla(SCI_LINEFROMPOSITION, pos));
        const long col = long(withoutEol(text(line)).size()) + space;
        if (col > kMaxCaretColumn)
            SendScintilla(setVirtual, main, std::max(0L, space - (col - kMaxCaretColumn)));
    };
    clamp(SCI_GETSELECTIONNCARET, SCI_GETSELECTIONNCARETVIRTUALSPACE,
          SCI_SETSELECTIONNCARETVIRTUALSPACE);
    clamp(SCI_GETSELECTIONNANCHOR, SCI_GETSELECTIONNANCHORVIRTUALSPACE,
          SCI_SETSELECTIONNANCHORVIRTUALSPACE);
}

void TSqlEdit::showScrollHint(int value) {
    if (!m_scrollHint) {
        m_scrollHint = new QLabel(this, Qt::ToolTip);
        m_scrollHint->setAutoFillBackground(true);
        m_scrollHint->setForegroundRole(QPalette::ToolTipText);
        m_scrollHint->setBackgroundRole(QPalette::ToolTipBase);
        m_scrollHint->setMargin(2);
    }
    m_scrollHint->setText(QStringLiteral("Top Line: %1").arg(value + 1));
    m_scrollHint->adjustSize();
    const QPoint topRight = mapToGlobal(QPoint(width() - 4, 10));
    m_scrollHint->move(topRight.x() - m_scrollHint->width(), topRight.y());
    m_scrollHint->show();
}

} // namespace dbfquery::editor
