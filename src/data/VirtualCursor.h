#pragma once

#include "data/VirtualTable.h"

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dbfquery::data {

// A walk over one virtual table's live records, either all of them or those
// an equality index gives, with the plan's prefilters applied.
class VirtualCursor : public sqlite3_vtab_cursor {
public:
    explicit VirtualCursor(VirtualTable& table);
    VirtualCursor(const VirtualCursor&) = delete;
    VirtualCursor& operator=(const VirtualCursor&) = delete;

    // Called at the start of each scan (for the inner table of a join: once
    // per outer row) with the plan of bestIndex and the constraint values.
    int filter(int idxNum, const char* idxStr, int argc, sqlite3_value** argv);
    // Called after SQLite has read a row, to move to the next one that passes
    // the prefilters.
    int next();
    // Called after filter and after every next: true once the walk is past
    // its last row.
    bool eof() const { return m_eof; }
    // Called for each column SQLite reads from the current row: hands the
    // field's value to SQLite.
    int column(sqlite3_context* ctx, int field);
    // Called when the statement needs the rowid: the record number.
    std::int64_t rowid() const { return m_record; }

private:
    bool passes(std::uint32_t record);
    void advance();

    VirtualTable& m_table;
    std::vector<Prefilter> m_filters;
    std::vector<Operand> m_values; // the scan's constraint values, in argv order
    const char* m_plan = nullptr;  // the idxStr m_filters was parsed from
    bool m_keyed = false;          // the plan's first constraint is the index key
    std::uint32_t m_nextRecord = 0;
    // Index walk: candidates [m_at, m_end) of the index's entries with m_hash.
    const ColumnIndex* m_index = nullptr;
    std::size_t m_at = 0, m_end = 0;
    std::uint64_t m_hash = 0;
    std::uint32_t m_record = 0;
    bool m_eof = true;
    std::string m_scratch;
};

} // namespace dbfquery::data
