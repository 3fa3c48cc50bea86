#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace dbfquery::editor {

enum TEditorCommand {
    ecUp, ecSelUp, ecScrollUp, ecDown, ecSelDown, ecScrollDown,
    ecLeft, ecSelLeft, ecWordLeft, ecSelWordLeft,
    ecRight, ecSelRight, ecWordRight, ecSelWordRight,
    ecPageDown, ecSelPageDown, ecPageBottom, ecSelPageBottom,
    ecPageUp, ecSelPageUp, ecPageTop, ecSelPageTop,
    ecLineStart, ecSelLineStart, ecEditorTop, ecSelEditorTop,
    ecLineEnd, ecSelLineEnd, ecEditorBottom, ecSelEditorBottom,
    ecToggleMode, ecCopy, ecCut, ecPaste, ecDeleteChar, ecDeleteLastChar,
    ecDeleteLastWord, ecUndo, ecRedo, ecLineBreak, ecTab, ecShiftTab,
    ecContextHelp, ecSelectAll, ecBlockIndent, ecBlockUnindent, ecInsertLine,
    ecDeleteWord, ecDeleteLine, ecDeleteEOL,
    ecGotoMarker0, ecGotoMarker9 = ecGotoMarker0 + 9,
    ecSetMarker0, ecSetMarker9 = ecSetMarker0 + 9,
    ecNormalSelect, ecColumnSelect, ecLineSelect, ecMatchBracket,
};

// A key combination as one 16-bit value: the virtual-key code plus these.
constexpr std::uint16_t kShift = 8192;
constexpr std::uint16_t kCtrl = 16384;
constexpr std::uint16_t kAlt = 32768;

// Virtual-key codes; digits and letters use their character codes.
namespace vk {
constexpr std::uint16_t Back = 8, Tab = 9, Return = 13, Prior = 33, Next = 34, End = 35,
                        Home = 36, Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45,
                        Delete = 46, F1 = 112, F9 = 120;
}

struct TKeyStroke {
    TEditorCommand command;
    std::uint16_t key;
};

// The editor's whole key map, in table order (82 entries).
const std::vector<TKeyStroke>& DefaultKeystrokes();

// The command bound to `key`, if any.
std::optional<TEditorCommand> FindKeystroke(std::uint16_t key);

} // namespace dbfquery::editor
