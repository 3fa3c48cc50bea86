#include "editor/THighlighterAttributes.h"

namespace dbfquery::editor {

THighlighterAttributes::THighlighterAttributes(QString name, unsigned defaultStyle)
    : m_name(std::move(name)), m_style(defaultStyle), m_defaultStyle(defaultStyle) {}

void THighlighterAttributes::SetForeground(std::optional<TColor> colour) {
    if (colour == m_foreground)
        return;
    m_foreground = colour;
    notify();
}

void THighlighterAttributes::SetBackground(std::optional<TColor> colour) {
    if (colour == m_background)
        return;
    m_background = colour;
    notify();
}

void THighlighterAttributes::SetStyle(unsigned style) {
    if (style == m_style)
        return;
    m_style = style;
    notify();
}

void THighlighterAttributes::notify() {
    if (m_changed)
        m_changed();
}

} // namespace dbfquery::editor
