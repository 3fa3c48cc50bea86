#pragma once

#include <QFont>
#include <QString>

namespace dbfquery::support {

// The windows' design font: "MS Sans Serif" at a character height in pixels
// (11 px is 8 pt, 13 px is 10 pt at 96 dpi). Fontconfig maps the family to
// the machine's sans-serif font.
inline QFont designFont(int pixelHeight, bool bold = false) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

} // namespace dbfquery::support
