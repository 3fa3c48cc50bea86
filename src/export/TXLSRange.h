#pragma once

#include "export/TXLSBorders.h"
#include "export/TXLSFont.h"

#include <QString>
#include <QVariant>
#include <cstddef>
#include <cstdint>

namespace dbfquery::xls {

class TXLSWorksheet;

// A rectangular area of cells with one value and one look; written as one
// merged cell when it spans more than one cell. Created only through
// TXLSWorksheet::GetRange; bounds are inclusive, counted from 0.
class TXLSRange {
public:
    explicit TXLSRange(TXLSWorksheet* sheet) : Worksheet(sheet) {}

    // Text values have every CR LF pair replaced by a single LF; other
    // values are kept as they are.
    void SetValue(const QVariant& value);

    // Numbers are the arithmetic kinds (bool excluded); everything else,
    // the empty value included, is written as its text form.
    static bool isNumber(const QVariant& value);
    static QString textOf(const QVariant& value);
    bool spansSeveralCells() const { return FirstCol != LastCol || FirstRow != LastRow; }

    TXLSWorksheet* Worksheet;
    std::int32_t FirstCol = 0, FirstRow = 0, LastCol = 0, LastRow = 0;
    TXLSBorders Borders;
    TXLSFont Font;
    std::uint8_t HorizontalAlignment = 0;  // 0 general, 1 left, 2 centre, 3 right, 4 fill, 5 justify, 6 centre across
    std::uint8_t VerticalAlignment = 2;    // 0 top, 1 centre, 2 bottom, 3 justify
    bool WrapText = false;
    std::uint8_t Rotation = 0;             // BIFF8 rotation code
    QString NumberFormat;                  // empty = General
    QVariant Value;
    std::uint8_t Pattern = 0;              // 0 none, 17 solid
    std::int32_t PatternColor = 0;
    // Set by the writer for the duration of a save: index of the range's
    // entry in the writer's cell table, -1 otherwise.
    std::int32_t WriterLink = -1;

private:
    friend class TXLSWorksheet;
    std::size_t m_slot = 0;  // position in the sheet's range list, holes included
};

} // namespace dbfquery::xls
