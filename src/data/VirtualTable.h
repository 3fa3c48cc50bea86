#pragma once

#include "data/DbfTable.h"
#include "data/ModuleContext.h"

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dbfquery::data {

// How a field's values compare in SQLite, which decides whether a constraint
// value can be matched by the table itself.
enum class ValueClass : std::uint8_t { Numeric, Text, Blob };

// An equality index over one column: the live records sorted by the hash of
// their value. Built on the first lookup, kept while the table is connected.
struct ColumnIndex {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> entries; // (hash, record)
    std::size_t distinct = 0;                                     // distinct hashes
};

// One constraint the cursor checks before SQLite sees a row.
struct Prefilter {
    int column = 0;
    unsigned char op = 0; // SQLITE_INDEX_CONSTRAINT_EQ, _GT, _LE, _LT, _GE
};

// A constraint value copied out of SQLite for the length of a scan.
struct Operand {
    int type = SQLITE_NULL; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB, SQLITE_NULL
    std::int64_t integer = 0;
    double real = 0;
    std::string bytes;
    void assign(sqlite3_value* value);
};

// One DBF file as an SQLite virtual table, read where it lies. Rows are the
// live records; the rowid is the record number.
class VirtualTable : public sqlite3_vtab {
public:
    VirtualTable(ModuleContext& context, std::shared_ptr<const DbfTable> table);

    // Called by CREATE VIRTUAL TABLE (and when SQLite reconnects): declares
    // the columns from the field descriptors and reads no record.
    static int connect(sqlite3* db, void* aux, int argc, const char* const* argv,
                       sqlite3_vtab** out, char** error);
    // Called while SQLite plans a statement, once per candidate plan: picks the
    // constraints the cursor checks and states the cost and rows of the plan.
    int bestIndex(sqlite3_index_info* info);
    // Called when SQLite drops its handle of the table (connection closed,
    // table dropped): frees the table object.
    int disconnect();

    ModuleContext& context() const { return m_context; }
    const DbfTable& table() const { return *m_table; }
    const std::vector<ValueClass>& classes() const { return m_classes; }
    std::uint32_t liveRows() const;
    // Builds the column's index on first use. Throws support::UserError.
    const ColumnIndex& index(int column);
    // Keeps a failure's message for the statement's error and sets zErrMsg.
    int fail(const QString& message);

private:
    ModuleContext& m_context;
    std::shared_ptr<const DbfTable> m_table;
    std::vector<ValueClass> m_classes;
    std::vector<std::unique_ptr<ColumnIndex>> m_indexes;
    mutable std::int64_t m_liveRows = -1; // counted once an index build has seen every record
};

// The key a value is indexed under: numbers by their numeric value (so 1 and
// 1.0 meet), text and blobs by their bytes.
std::uint64_t valueHash(const DbfValue& value);
std::uint64_t valueHash(const Operand& value);

} // namespace dbfquery::data
