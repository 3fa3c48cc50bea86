#include "export/TXLSWorksheet.h"

#include "export/TXLSWorkbook.h"

#include <algorithm>
#include <stdexcept>

namespace dbfquery::xls {

namespace {

bool nameTaken(const TXLSWorkbook& workbook, const QString& name) {
    for (int i = 0; i < workbook.SheetCount(); ++i)
        if (workbook.Sheet(i).Name().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool intersects(const TXLSRange& r, const TXLSArea& a) {
    return r.FirstCol <= a.LastCol && a.FirstCol <= r.LastCol && r.FirstRow <= a.LastRow &&
           a.FirstRow <= r.LastRow;
}

void widen(std::int32_t& first, std::int32_t& last, std::int32_t lo, std::int32_t hi) {
    first = first < 0 ? lo : std::min(first, lo);
    last = last < 0 ? hi : std::max(last, hi);
}

} // namespace

TXLSWorksheet::TXLSWorksheet(TXLSWorkbook* workbook) : m_workbook(workbook) {
    if (!workbook)
        return;
    // Called before the workbook appends this sheet, so the count is that
    // of the sheets already there.
    int n = workbook->SheetCount() + 1;
    while (nameTaken(*workbook, QStringLiteral("Sheet%1").arg(n)))
        ++n;
    SetName(QStringLiteral("Sheet%1").arg(n));
}

TXLSWorksheet::~TXLSWorksheet() = default;

void TXLSWorksheet::SetName(const QString& text) { m_name = trimBlanksAndControls(text.left(31)); }

TXLSRow* TXLSWorksheet::FindRow(std::int32_t index) const {
    const auto it = m_rowByIndex.find(index);
    return it == m_rowByIndex.end() ? nullptr : it->second;
}

TXLSRow* TXLSWorksheet::AddRow(std::int32_t index) {
    auto row = std::make_unique<TXLSRow>();
    row->Index = index;
    TXLSRow* raw = row.get();
    m_rows.push_back(std::move(row));
    m_rowByIndex.try_emplace(index, raw);  // the first one in list order wins
    widenRows(index, index);
    return raw;
}

TXLSRow* TXLSWorksheet::GetRow(std::int32_t index) {
    TXLSRow* row = FindRow(index);
    return row ? row : AddRow(index);
}

TXLSCol* TXLSWorksheet::FindCol(std::int32_t index) const {
    const auto it = m_colByIndex.find(index);
    return it == m_colByIndex.end() ? nullptr : it->second;
}

TXLSCol* TXLSWorksheet::AddCol(std::int32_t index) {
    auto col = std::make_unique<TXLSCol>();
    col->Index = index;
    TXLSCol* raw = col.get();
    m_cols.push_back(std::move(col));
    m_colByIndex.try_emplace(index, raw);
    widenCols(index, index);
    return raw;
}

TXLSCol* TXLSWorksheet::GetCol(std::int32_t index) {
    TXLSCol* col = FindCol(index);
    return col ? col : AddCol(index);
}

TXLSRange* TXLSWorksheet::FindRange(const TXLSArea& area) const {
    const auto row = m_rowIndex.find(area.FirstRow);
    if (row == m_rowIndex.end())
        return nullptr;
    const auto it = row->second.find(area.FirstCol);
    if (it == row->second.end())
        return nullptr;
    const TXLSRange& r = *it->second;
    const bool same = r.LastCol == area.LastCol && r.FirstRow == area.FirstRow && r.LastRow == area.LastRow;
    return same ? it->second : nullptr;
}

void TXLSWorksheet::removeIntersecting(const TXLSArea& area) {
    std::vector<TXLSRange*> doomed;
    for (std::int32_t row = area.FirstRow; row <= area.LastRow; ++row) {
        const auto found = m_rowIndex.find(row);
        if (found == m_rowIndex.end())
            continue;
        auto& cols = found->second;
        // Ranges in one row do not overlap: the candidates start at the last
        // range beginning at or before the area's first column.
        auto it = cols.upper_bound(area.FirstCol);
        if (it != cols.begin())
            --it;
        for (; it != cols.end() && it->first <= area.LastCol; ++it)
            if (intersects(*it->second, area))
                doomed.push_back(it->second);
    }
    std::sort(doomed.begin(), doomed.end());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    for (TXLSRange* r : doomed) {
        for (std::int32_t row = r->FirstRow; row <= r->LastRow; ++row) {
            auto found = m_rowIndex.find(row);
            found->second.erase(r->FirstCol);
            if (found->second.empty())
                m_rowIndex.erase(found);
        }
        m_ranges[r->m_slot].reset();
        ++m_holes;
    }
}

TXLSRange* TXLSWorksheet::AddRange(const TXLSArea& area) {
    if (area.FirstCol < 0 || area.FirstRow < 0 || area.LastCol < area.FirstCol ||
        area.LastRow < area.FirstRow)
        throw std::invalid_argument("TXLSWorksheet::AddRange: negative or inverted area");
    removeIntersecting(area);
    auto range = std::make_unique<TXLSRange>(this);
    range->FirstCol = area.FirstCol;
    range->FirstRow = area.FirstRow;
    range->LastCol = area.LastCol;
    range->LastRow = area.LastRow;
    TXLSRange* raw = range.get();
    raw->m_slot = m_ranges.size();
    m_ranges.push_back(std::move(range));
    for (std::int32_t row = area.FirstRow; row <= area.LastRow; ++row)
        m_rowIndex[row].emplace(area.FirstCol, raw);
    widenCols(area.FirstCol, area.LastCol);
    widenRows(area.FirstRow, area.LastRow);
    return raw;
}

TXLSRange* TXLSWorksheet::GetRange(const TXLSArea& area) {
    TXLSRange* range = FindRange(area);
    return range ? range : AddRange(area);
}

void TXLSWorksheet::compact() const {
    if (m_holes == 0)
        return;
    std::erase_if(m_ranges, [](const auto& slot) { return !slot; });
    for (std::size_t i = 0; i < m_ranges.size(); ++i)
        m_ranges[i]->m_slot = i;
    m_holes = 0;
}

int TXLSWorksheet::RangeCount() const { return static_cast<int>(m_ranges.size() - m_holes); }

TXLSRange& TXLSWorksheet::Range(int i) const {
    compact();
    return *m_ranges.at(static_cast<std::size_t>(i));
}

int TXLSWorksheet::IndexInWorkbook() const {
    if (!m_workbook)
        return -1;
    for (int i = 0; i < m_workbook->SheetCount(); ++i)
        if (&m_workbook->Sheet(i) == this)
            return i;
    return -1;
}

std::vector<const TXLSRange*> TXLSWorksheet::RangesInRow(std::int32_t row) const {
    std::vector<const TXLSRange*> result;
    const auto found = m_rowIndex.find(row);
    if (found != m_rowIndex.end()) {
        result.reserve(found->second.size());
        for (const auto& [col, range] : found->second)
            result.push_back(range);
    }
    return result;
}

void TXLSWorksheet::widenRows(std::int32_t first, std::int32_t last) {
    widen(m_firstRow, m_lastRow, first, last);
}

void TXLSWorksheet::widenCols(std::int32_t first, std::int32_t last) {
    widen(m_firstCol, m_lastCol, first, last);
}

} // namespace dbfquery::xls
