#include "editor/Keystrokes.h"

namespace dbfquery::editor {

namespace {

std::vector<TKeyStroke> buildTable() {
    using namespace vk;
    std::vector<TKeyStroke> t = {
        {ecUp, Up},
        {ecSelUp, kShift + Up},
        {ecScrollUp, kCtrl + Up},
        {ecDown, Down},
        {ecSelDown, kShift + Down},
        {ecScrollDown, kCtrl + Down},
        {ecLeft, Left},
        {ecSelLeft, kShift + Left},
        {ecWordLeft, kCtrl + Left},
        {ecSelWordLeft, kCtrl + kShift + Left},
        {ecRight, Right},
        {ecSelRight, kShift + Right},
        {ecWordRight, kCtrl + Right},
        {ecSelWordRight, kCtrl + kShift + Right},
        {ecPageDown, Next},
        {ecSelPageDown, kShift + Next},
        {ecPageBottom, kCtrl + Next},
        {ecSelPageBottom, kCtrl + kShift + Next},
        {ecPageUp, Prior},
        {ecSelPageUp, kShift + Prior},
        {ecPageTop, kCtrl + Prior},
        {ecSelPageTop, kCtrl + kShift + Prior},
        {ecLineStart, Home},
        {ecSelLineStart, kShift + Home},
        {ecEditorTop, kCtrl + Home},
        {ecSelEditorTop, kCtrl + kShift + Home},
        {ecLineEnd, End},
        {ecSelLineEnd, kShift + End},
        {ecEditorBottom, kCtrl + End},
        {ecSelEditorBottom, kCtrl + kShift + End},
        {ecToggleMode, Insert},
        {ecCopy, kCtrl + Insert},
        {ecCut, kShift + Delete},
        {ecPaste, kShift + Insert},
        {ecDeleteChar, Delete},
        {ecDeleteLastChar, Back},
        {ecDeleteLastChar, kShift + Back},
        {ecDeleteLastWord, kCtrl + Back},
        {ecUndo, kAlt + Back},
        {ecRedo, kAlt + kShift + Back},
        {ecLineBreak, Return},
        {ecLineBreak, kShift + Return},
        {ecTab, Tab},
        {ecShiftTab, kShift + Tab},
        {ecContextHelp, kCtrl + F1},
        {ecSelectAll, kCtrl + 'A'},
        {ecCopy, kCtrl + 'C'},
        {ecPaste, kCtrl + 'V'},
        {ecCut, kCtrl + 'X'},
        {ecBlockIndent, kCtrl + kShift + 'I'},
        {ecBlockUnindent, kCtrl + kShift + 'U'},
        {ecLineBreak, kCtrl + 'M'},
        {ecInsertLine, kCtrl + 'N'},
        {ecDeleteWord, kCtrl + 'T'},
        {ecDeleteLine, kCtrl + 'Y'},
        {ecDeleteEOL, kCtrl + kShift + 'Y'},
        {ecUndo, kCtrl + 'Z'},
        {ecRedo, kCtrl + kShift + 'Z'},
    };
    for (int n = 0; n <= 9; ++n)
        t.push_back({TEditorCommand(ecGotoMarker0 + n), std::uint16_t(kCtrl + '0' + n)});
    for (int n = 0; n <= 9; ++n)
        t.push_back({TEditorCommand(ecSetMarker0 + n), std::uint16_t(kCtrl + kShift + '0' + n)});
    t.push_back({ecNormalSelect, kCtrl + kShift + 'N'});
    t.push_back({ecColumnSelect, kCtrl + kShift + 'C'});
    t.push_back({ecLineSelect, kCtrl + kShift + 'L'});
    t.push_back({ecMatchBracket, kCtrl + kShift + 'B'});
    return t;
}

} // namespace

const std::vector<TKeyStroke>& DefaultKeystrokes() {
    static const std::vector<TKeyStroke> table = buildTable();
    return table;
}

std::optional<TEditorCommand> FindKeystroke(std::uint16_t key) {
    for (const TKeyStroke& k : DefaultKeystrokes()) {
        if (k.key == key)
            return k.command;
    }
    return std::nullopt;
}

} // namespace dbfquery::editor
