#pragma once

#include "export/TXLSCol.h"
#include "export/TXLSPageSetup.h"
#include "export/TXLSRange.h"
#include "export/TXLSRow.h"

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

namespace dbfquery::xls {

class TXLSWorkbook;

// A cell area: inclusive bounds counted from 0.
struct TXLSArea {
    std::int32_t FirstCol = 0, FirstRow = 0, LastCol = 0, LastRow = 0;
    friend bool operator==(const TXLSArea&, const TXLSArea&) = default;
};

// One sheet of a workbook. Owns its ranges, rows, columns and page setup.
// Ranges never overlap: adding one frees every range it intersects. The
// used area (FirstCol ... LastRow, -1 while unset) only grows.
// Not thread-safe; one thread builds and writes a workbook.
class TXLSWorksheet {
public:
    explicit TXLSWorksheet(TXLSWorkbook* workbook);
    TXLSWorksheet(const TXLSWorksheet&) = delete;
    TXLSWorksheet& operator=(const TXLSWorksheet&) = delete;
    ~TXLSWorksheet();

    TXLSWorkbook* Workbook() const { return m_workbook; }
    const QString& Name() const { return m_name; }
    // Keeps the first 31 characters, then trims blanks and control
    // characters at both ends.
    void SetName(const QString& text);

    TXLSPageSetup PageSetup;

    std::int32_t FirstCol() const { return m_firstCol; }
    std::int32_t FirstRow() const { return m_firstRow; }
    std::int32_t LastCol() const { return m_lastCol; }
    std::int32_t LastRow() const { return m_lastRow; }

    TXLSRow* FindRow(std::int32_t index) const;
    TXLSRow* AddRow(std::int32_t index);
    TXLSRow* GetRow(std::int32_t index);
    TXLSCol* FindCol(std::int32_t index) const;
    TXLSCol* AddCol(std::int32_t index);
    TXLSCol* GetCol(std::int32_t index);

    // The range whose bounds equal the area exactly, or null.
    TXLSRange* FindRange(const TXLSArea& area) const;
    // Frees every range sharing a cell with the area, then appends a new
    // range with the defaults. Throws std::invalid_argument for an area
    // with negative or inverted bounds.
    TXLSRange* AddRange(const TXLSArea& area);
    TXLSRange* GetRange(const TXLSArea& area);

    int RangeCount() const;
    TXLSRange& Range(int i) const;
    int ColCount() const { return static_cast<int>(m_cols.size()); }
    TXLSCol& Col(int i) const { return *m_cols.at(static_cast<std::size_t>(i)); }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    TXLSRow& Row(int i) const { return *m_rows.at(static_cast<std::size_t>(i)); }
    // Position in the workbook's sheet list, -1 without a workbook.
    int IndexInWorkbook() const;

    // The ranges that include the row, by first column.
    std::vector<const TXLSRange*> RangesInRow(std::int32_t row) const;

private:
    void widenRows(std::int32_t first, std::int32_t last);
    void widenCols(std::int32_t first, std::int32_t last);
    void removeIntersecting(const TXLSArea& area);
    void compact() const;

    TXLSWorkbook* m_workbook;
    QString m_name;
    std::int32_t m_firstCol = -1, m_firstRow = -1, m_lastCol = -1, m_lastRow = -1;
    // Freed ranges leave a null slot until the list is next read by index,
    // so replacing many ranges stays linear.
    mutable std::vector<std::unique_ptr<TXLSRange>> m_ranges;
    mutable std::size_t m_holes = 0;
    // row -> (first column -> range) for every row a range covers.
    std::unordered_map<std::int32_t, std::map<std::int32_t, TXLSRange*>> m_rowIndex;
    std::vector<std::unique_ptr<TXLSRow>> m_rows;
    std::vector<std::unique_ptr<TXLSCol>> m_cols;
    std::unordered_map<std::int32_t, TXLSRow*> m_rowByIndex;
    std::unordered_map<std::int32_t, TXLSCol*> m_colByIndex;
};

} // namespace dbfquery::xls
