#pragma once

#include "report/engine/ReportColor.h"

#include <QFont>
#include <QString>
#include <cstdint>

namespace dbfquery::report {

// Font style bits as stored in report streams (their own order, not Qt's).
enum FontStyleBits : std::uint16_t {
    fsItalic = 1,
    fsBold = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

inline constexpr std::uint16_t DEFAULT_CHARSET = 1;
inline constexpr std::uint16_t RUSSIAN_CHARSET = 204;

// The font of a text object. Size in points; measured and drawn at the pixel
// height round(size x 96 / 72 x scale).
struct ReportFont {
    QString Name = QStringLiteral("Arial");
    int Size = 10;
    std::uint16_t Style = 0; // FontStyleBits
    TColor Color = clBlack;
    std::uint16_t Charset = DEFAULT_CHARSET;

    bool operator==(const ReportFont&) const = default;

    // A Qt font of this face and style at `pixelHeight` pixels (at least 1).
    QFont toQFont(int pixelHeight) const {
        QFont font(Name);
        font.setPixelSize(pixelHeight > 0 ? pixelHeight : 1);
        font.setItalic(Style & fsItalic);
        font.setBold(Style & fsBold);
        font.setUnderline(Style & fsUnderline);
        font.setStrikeOut(Style & fsStrikeOut);
        return font;
    }
};

} // namespace dbfquery::report
