#pragma once

#include <QString>
#include <cstdint>

namespace dbfquery::xls {

// A cell font. Colour is 0x00BBGGRR, or a system colour index with the top
// bit set (see SystemColors.h).
struct TXLSFont {
    enum Style : std::uint8_t { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
    enum Pitch : std::uint8_t { DefaultPitch = 0, FixedPitch = 1, VariablePitch = 2 };

    QString Name = QStringLiteral("Arial");
    int Size = 10;                  // points
    std::uint8_t Style = 0;         // Style bits
    std::int32_t Color = 0;
    std::uint8_t Charset = 1;       // default character set
    std::uint8_t Pitch = DefaultPitch;

    bool has(enum Style s) const { return (Style & s) != 0; }
    // Name compared case-sensitively.
    friend bool operator==(const TXLSFont&, const TXLSFont&) = default;
};

} // namespace dbfquery::xls
