#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace dbfquery::editor {

// Colour value 0x00BBGGRR (red in the low byte).
using TColor = std::uint32_t;

constexpr TColor rgbColor(unsigned r, unsigned g, unsigned b) {
    return TColor(r & 0xFF) | TColor(g & 0xFF) << 8 | TColor(b & 0xFF) << 16;
}

// Font style bits; a style is any combination of them.
enum TFontStyle : unsigned {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

// How one kind of token is drawn. A colour that is not set means the
// editor's own colour. Every change calls the owner's notification, so the
// attached editors repaint. Not thread-safe: the GUI thread only.
class THighlighterAttributes {
public:
    THighlighterAttributes(QString name, unsigned defaultStyle);

    const QString& Name() const { return m_name; }

    std::optional<TColor> Foreground() const { return m_foreground; }
    std::optional<TColor> Background() const { return m_background; }
    unsigned Style() const { return m_style; }
    // The style the scanner gives the attribute when it is created; only
    // values that differ from it are worth storing with a window's settings.
    unsigned DefaultStyle() const { return m_defaultStyle; }

    void SetForeground(std::optional<TColor> colour);
    void SetBackground(std::optional<TColor> colour);
    void SetStyle(unsigned style);

    // Set by the owning highlighter; called after every change.
    void setChangeHandler(std::function<void()> handler) { m_changed = std::move(handler); }

private:
    void notify();

    QString m_name;
    std::optional<TColor> m_foreground;
    std::optional<TColor> m_background;
    unsigned m_style;
    unsigned m_defaultStyle;
    std::function<void()> m_changed;
};

} // namespace dbfquery::editor
