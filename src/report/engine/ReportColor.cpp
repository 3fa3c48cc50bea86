#include "report/engine/ReportColor.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace dbfquery::report {
namespace {

// Classic desktop values by system-colour index, 0x00BBGGRR.
constexpr std::array<TColor, 31> kClassic = {
    0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
    0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
    0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xFF9933, 0xF0F0F0};

QColor fromRgb(TColor c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

bool paletteRole(unsigned index, QPalette::ColorRole& role) {
    switch (index) {
    case 5:
        role = QPalette::Base;
        return true; // window background
    case 8:
        role = QPalette::Text;
        return true; // window text
    case 13:
        role = QPalette::Highlight;
        return true;
    case 14:
        role = QPalette::HighlightedText;
        return true;
    case 15:
        role = QPalette::Button;
        return true;
    case 18:
        role = QPalette::ButtonText;
        return true;
    default:
        return false;
    }
}

} // namespace

QColor toQColor(TColor color) {
    if (!isSystemColor(color))
        return fromRgb(color);
    const unsigned index = color & 0x00FFFFFF;
    QPalette::ColorRole role{};
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && paletteRole(index, role))
        return QGuiApplication::palette().color(role);
    return index < kClassic.size() ? fromRgb(kClassic[index]) : QColor(Qt::black);
}

} // namespace dbfquery::report
