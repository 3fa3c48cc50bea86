#include "editor/EditCommands.h"

#include "editor/ScannerText.h"
#include "editor/TSqlHighlighter.h"

#include <algorithm>

namespace dbfquery::editor {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Leading blanks, each counting one.
int leadingBlanks(const QString& line) {
    int n = 0;
    while (n < line.size() && isBlank(line[n]))
        ++n;
    return n;
}

// Indentation in columns with a tab counting as a full tab stop.
int indentWidth(const QString& line) {
    int width = 0;
    for (QChar c : line) {
        if (c == u' ')
            width += 1;
        else if (c == u'\t')
            width += kTabWidth;
        else
            break;
    }
    return width;
}

QString trimmedRight(QString line) {
    int end = int(line.size());
    while (end > 0 && line[end - 1] == u' ')
        --end;
    line.truncate(end);
    return line;
}

void trimLine(EditState& s, int line) {
    if (line >= 0 && line < s.lines.size())
        s.lines[line] = trimmedRight(s.lines[line]);
}

int lineLength(const EditState& s, int line) { return int(s.lines[line].size()); }

void collapseTo(EditState& s, TextPos p) { s.caret = s.anchor = p; }

// Lines from the selection's first line to its last; the last is left out
// when the selection ends in its first column.
std::pair<int, int> blockLines(const EditState& s) {
    const TextPos a = s.selStart();
    const TextPos b = s.selEnd();
    int last = b.line;
    if (b.line > a.line && b.col == 0)
        --last;
    return {a.line, last};
}

// A selection over several lines, or over the whole caret line: Tab and
// Shift+Tab then work on the lines as a block.
bool isBlockSelection(const EditState& s) {
    if (!s.hasSelection())
        return false;
    const TextPos a = s.selStart();
    const TextPos b = s.selEnd();
    return a.line != b.line || (a.col == 0 && b.col >= lineLength(s, a.line) && b.col > 0);
}

EditState ensureLines(EditState s) {
    if (s.lines.isEmpty())
        s.lines.append(QString());
    return s;
}

} // namespace

bool IsWordChar(QChar c) { return TSqlHighlighter::WordCharSet()[scannerByte(c.unicode())]; }

EditState DeleteSelection(const EditState& in) {
    EditState s = ensureLines(in);
    if (!s.hasSelection())
        return s;
    const TextPos a = s.selStart();
    const TextPos b = s.selEnd();
    QString& first = s.lines[a.line];
    if (a.line == b.line) {
        const int from = std::min(a.col, int(first.size()));
        first.remove(from, std::min(b.col, int(first.size())) - from);
    } else {
        if (a.col < first.size())
            first.truncate(a.col);
        else
            first += QString(a.col - first.size(), u' '); // the rest lands at the caret
        const QString& last = s.lines[b.line];
        first += last.mid(std::min(b.col, int(last.size())));
        s.lines.remove(a.line + 1, b.line - a.line);
    }
    trimLine(s, a.line);
    collapseTo(s, a);
    return s;
}

EditState TypeText(const EditState& in, const QString& text, bool overwrite) {
    EditState s = DeleteSelection(in);
    QString& line = s.lines[s.caret.line];
    int col = std::min(s.caret.col, kMaxCaretColumn);
    if (line.size() < col)
        line += QString(col - line.size(), u' ');
    if (overwrite)
        line.remove(col, text.size());
    line.insert(col, text);
    trimLine(s, s.caret.line);
    collapseTo(s, {s.caret.line, std::min(col + int(text.size()), kMaxCaretColumn + 1)});
    return s;
}

EditState BlockIndent(const EditState& in) {
    EditState s = ensureLines(in);
    const auto [first, last] = blockLines(s);
    const QString pad(kTabWidth, u' ');
    for (int l = first; l <= last; ++l) {
        s.lines[l].prepend(pad);
        trimLine(s, l);
    }
    for (TextPos* p : {&s.caret, &s.anchor}) {
        if (p->line >= first && p->line <= last && p->col > 0)
            p->col += kTabWidth;
    }
    return s;
}

EditState BlockUnindent(const EditState& in) {
    EditState s = ensureLines(in);
    const auto [first, last] = blockLines(s);
    for (int l = first; l <= last; ++l) {
        QString& line = s.lines[l];
        int removed = 0;
        if (line.startsWith(u'\t')) {
            removed = 1;
        } else {
            while (removed < kTabWidth && removed < line.size() && isBlank(line[removed])) {
                ++removed;
                if (line[removed - 1] == u'\t')
                    break;
            }
        }
        if (removed == 0)
            continue;
        line.remove(0, removed);
        for (TextPos* p : {&s.caret, &s.anchor}) {
            if (p->line == l)
                p->col = std::max(0, p->col - removed);
        }
    }
    return s;
}

EditState SmartTab(const EditState& in) {
    if (isBlockSelection(in))
        return BlockIndent(in);
    EditState s = DeleteSelection(in);
    const int col = s.caret.col;
    int distance = kTabWidth - col % kTabWidth;
    for (int l = s.caret.line - 1; l >= 0; --l) {
        const QString& above = s.lines[l];
        if (above.size() <= col)
            continue;
        int p = col;
        while (p < above.size() && !isBlank(above[p]))
            ++p;
        while (p < above.size() && isBlank(above[p]))
            ++p;
        distance = p - col;
        break;
    }
    return TypeText(s, QString(distance, u' '), false);
}

EditState ShiftTab(const EditState& in) {
    if (isBlockSelection(in))
        return BlockUnindent(in);
    EditState s = DeleteSelection(in);
    const int col = s.caret.col;
    int target = -1;
    if (col > 0) {
        for (int l = s.caret.line - 1; l >= 0; --l) {
            const QString& above = s.lines[l];
            if (above.size() < col)
                continue;
            int p = col - 1;
            while (p >= 0 && above[p] == u' ')
                --p;
            while (p >= 0 && above[p] != u' ')
                --p;
            target = p + 1;
            break;
        }
    }
    const QString& line = s.lines[s.caret.line];
    if (target < 0) {
        const int stop = col > 0 ? (col - 1) / kTabWidth * kTabWidth : 0;
        target = col;
        while (target > stop && (target > line.size() || line[target - 1] == u' '))
            --target;
    }
    // Only blanks go: text between the new column and the caret stays, and
    // the caret stops right after it.
    for (int p = std::min(col, int(line.size())); p > target; --p) {
        if (!isBlank(line[p - 1])) {
            target = p;
            break;
        }
    }
    if (target >= col)
        return s;
    const int len = int(line.size());
    if (target < len)
        s.lines[s.caret.line].remove(target, std::min(col, len) - target);
    trimLine(s, s.caret.line);
    collapseTo(s, {s.caret.line, target});
    return s;
}

EditState LineBreak(const EditState& in, bool moveCaret) {
    EditState s = DeleteSelection(in);
    const TextPos at = s.caret;
    const QString line = s.lines[at.line];
    TextPos caret;
    if (line.isEmpty()) {
        s.lines.insert(at.line, QString());
        int indent = 0;
        for (int l = at.line; l >= 0; --l) {
            if (!s.lines[l].isEmpty()) {
                indent = indentWidth(s.lines[l]);
                break;
            }
        }
        caret = {at.line + 1, indent};
    } else if (at.col > line.size()) {
        const QString blanks = line.left(leadingBlanks(line));
        s.lines.insert(at.line + 1, blanks);
        trimLine(s, at.line + 1);
        caret = {at.line + 1, int(blanks.size())};
    } else if (at.col == 0) {
        s.lines.insert(at.line, QString());
        caret = {at.line + 1, 0};
    } else {
        const QString before = line.left(at.col);
        const int indent = indentWidth(before);
        s.lines[at.line] = before;
        s.lines.insert(at.line + 1, QString(indent, u' ') + line.mid(at.col));
        trimLine(s, at.line);
        trimLine(s, at.line + 1);
        caret = {at.line + 1, indent};
    }
    collapseTo(s, moveCaret ? caret : at);
    return s;
}

EditState Backspace(const EditState& in) {
    if (in.hasSelection())
        return DeleteSelection(in);
    EditState s = ensureLines(in);
    const TextPos at = s.caret;
    const QString line = s.lines[at.line];
    const int len = int(line.size());
    if (at.col > len) {
        if (len > 0) {
            collapseTo(s, {at.line, len});
            return s;
        }
        int target = 0;
        for (int l = at.line - 1; l >= 0; --l) {
            const int indent = leadingBlanks(s.lines[l]);
            if (indent < at.col) {
                target = indent;
                break;
            }
        }
        collapseTo(s, {at.line, target});
        return s;
    }
    if (at.col == 0) {
        if (at.line == 0)
            return s;
        const int join = lineLength(s, at.line - 1);
        s.lines[at.line - 1] += line;
        s.lines.remove(at.line);
        trimLine(s, at.line - 1);
        collapseTo(s, {at.line - 1, join});
        return s;
    }
    const int blanks = leadingBlanks(line);
    if (at.col == blanks) {
        int target = 0;
        for (int l = at.line - 1; l >= 0; --l) {
            const int indent = leadingBlanks(s.lines[l]);
            if (indent < blanks) {
                target = indent;
                break;
            }
        }
        s.lines[at.line].remove(target, blanks - target);
        trimLine(s, at.line);
        collapseTo(s, {at.line, target});
        return s;
    }
    s.lines[at.line].remove(at.col - 1, 1);
    trimLine(s, at.line);
    collapseTo(s, {at.line, at.col - 1});
    return s;
}

EditState DeleteChar(const EditState& in) {
    if (in.hasSelection())
        return DeleteSelection(in);
    EditState s = ensureLines(in);
    const TextPos at = s.caret;
    QString& line = s.lines[at.line];
    if (at.col < line.size()) {
        line.remove(at.col, 1);
    } else if (at.line + 1 < s.lines.size()) {
        line += QString(at.col - line.size(), u' ') + s.lines[at.line + 1];
        s.lines.remove(at.line + 1);
    }
    trimLine(s, at.line);
    return s;
}

TextPos WordRight(const QStringList& lines, TextPos p) {
    if (lines.isEmpty())
        return {};
    const QString* line = &lines[p.line];
    if (p.col >= line->size()) {
        if (p.line + 1 >= lines.size())
            return {p.line, int(line->size())};
        p = {p.line + 1, 0};
        line = &lines[p.line];
    } else {
        while (p.col < line->size() && IsWordChar((*line)[p.col]))
            ++p.col;
    }
    while (p.col < line->size() && !IsWordChar((*line)[p.col]))
        ++p.col;
    return p;
}

TextPos WordLeft(const QStringList& lines, TextPos p) {
    if (lines.isEmpty())
        return {};
    p.col = std::min(p.col, int(lines[p.line].size()));
    if (p.col == 0) {
        if (p.line == 0)
            return p;
        return {p.line - 1, int(lines[p.line - 1].size())};
    }
    const QString& line = lines[p.line];
    while (p.col > 0 && !IsWordChar(line[p.col - 1]))
        --p.col;
    while (p.col > 0 && IsWordChar(line[p.col - 1]))
        --p.col;
    return p;
}

std::pair<int, int> WordAt(const QString& line, int col) {
    if (line.isEmpty())
        return {0, 0};
    // A click past the end of the line belongs to its last character.
    col = std::clamp(col, 0, int(line.size()) - 1);
    auto kind = [](QChar c) { return IsWordChar(c) ? 0 : isBlank(c) ? 1 : 2; };
    const int k = kind(line[col]);
    int first = col;
    int last = col + 1;
    while (first > 0 && kind(line[first - 1]) == k)
        --first;
    while (last < line.size() && kind(line[last]) == k)
        ++last;
    return {first, last};
}

EditState DeleteWord(const EditState& in) {
    EditState s = ensureLines(in);
    s.caret.col = std::min(s.caret.col, lineLength(s, s.caret.line));
    s.anchor = WordRight(s.lines, s.caret);
    return DeleteSelection(s);
}

EditState DeleteLastWord(const EditState& in) {
    EditState s = ensureLines(in);
    s.anchor = WordLeft(s.lines, s.caret);
    s.caret.col = std::min(s.caret.col, lineLength(s, s.caret.line));
    if (s.anchor == s.caret) {
        collapseTo(s, s.anchor);
        return s;
    }
    return DeleteSelection(s);
}

} // namespace dbfquery::editor
