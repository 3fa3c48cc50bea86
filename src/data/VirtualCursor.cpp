#include "data/VirtualCursor.h"

#include "support/UserError.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace dbfquery::data {

namespace {

bool matchesClass(ValueClass cls, int type) {
    switch (cls) {
    case ValueClass::Numeric: return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
    case ValueClass::Text: return type == SQLITE_TEXT;
    case ValueClass::Blob: return type == SQLITE_BLOB;
    }
    return false;
}

// -1, 0, 1 as SQLite orders the two; `comparable` false when SQLite would
// first convert one side, which is left to SQLite.
int compare(const DbfValue& v, const Operand& rhs, bool& comparable) {
    comparable = true;
    if (v.kind == DbfValue::Kind::Integer && rhs.type == SQLITE_INTEGER)
        return v.integer < rhs.integer ? -1 : v.integer > rhs.integer ? 1 : 0;
    if ((v.kind == DbfValue::Kind::Integer || v.kind == DbfValue::Kind::Real)
        && (rhs.type == SQLITE_INTEGER || rhs.type == SQLITE_FLOAT)) {
        const double a = v.kind == DbfValue::Kind::Integer ? double(v.integer) : v.real;
        const double b = rhs.type == SQLITE_INTEGER ? double(rhs.integer) : rhs.real;
        return a < b ? -1 : a > b ? 1 : 0;
    }
    if (v.kind == DbfValue::Kind::Text && rhs.type == SQLITE_TEXT) {
        const std::size_t n = std::min(v.bytes.size(), rhs.bytes.size());
        const int c = n ? std::memcmp(v.bytes.data(), rhs.bytes.data(), n) : 0;
        if (c != 0)
            return c < 0 ? -1 : 1;
        return v.bytes.size() < rhs.bytes.size() ? -1 : v.bytes.size() > rhs.bytes.size() ? 1 : 0;
    }
    comparable = false;
    return 0;
}

bool holds(int order, unsigned char op) {
    switch (op) {
    case SQLITE_INDEX_CONSTRAINT_EQ: return order == 0;
    case SQLITE_INDEX_CONSTRAINT_GT: return order > 0;
    case SQLITE_INDEX_CONSTRAINT_GE: return order >= 0;
    case SQLITE_INDEX_CONSTRAINT_LT: return order < 0;
    case SQLITE_INDEX_CONSTRAINT_LE: return order <= 0;
    default: return true;
    }
}

} // namespace

VirtualCursor::VirtualCursor(VirtualTable& table) : sqlite3_vtab_cursor{}, m_table(table) {}

int VirtualCursor::filter(int idxNum, const char* idxStr, int argc, sqlite3_value** argv) {
    if (idxStr != m_plan || !idxStr) {
        m_plan = idxStr;
        m_filters.clear();
        for (const char* p = idxStr; p && *p;) {
            char* end = nullptr;
            Prefilter f;
            f.column = static_cast<int>(std::strtol(p, &end, 10));
            f.op = static_cast<unsigned char>(std::strtol(end + 1, &end, 10));
            m_filters.push_back(f);
            p = end + 1;
        }
    }
    m_keyed = idxNum == 1;
    if (static_cast<int>(m_filters.size()) != argc)
        return m_table.fail(QStringLiteral("Внутренняя ошибка плана запроса"));
    m_values.resize(static_cast<std::size_t>(argc));
    for (int i = 0; i < argc; ++i)
        m_values[i].assign(argv[i]);

    m_index = nullptr;
    m_nextRecord = 0;
    m_eof = false;
    if (m_keyed) {
        const Operand& key = m_values[0];
        const int column = m_filters[0].column;
        if (key.type == SQLITE_NULL) {
            m_eof = true; // "= NULL" holds for no row
            return SQLITE_OK;
        }
        // A key SQLite would convert before comparing is not looked up: the
        // scan passes every record and SQLite decides.
        if (matchesClass(m_table.classes()[column], key.type)) {
            m_index = &m_table.index(column);
            m_hash = valueHash(key);
            const auto& entries = m_index->entries;
            const auto from = std::lower_bound(entries.begin(), entries.end(), std::pair{m_hash, 0U});
            const auto to = std::upper_bound(from, entries.end(), std::pair{m_hash, ~0U});
            m_at = static_cast<std::size_t>(from - entries.begin());
            m_end = static_cast<std::size_t>(to - entries.begin());
        }
    }
    advance();
    return SQLITE_OK;
}

int VirtualCursor::next() {
    advance();
    return SQLITE_OK;
}

void VirtualCursor::advance() {
    if (m_index) {
        while (m_at < m_end) {
            const std::uint32_t record = m_index->entries[m_at++].second;
            if (passes(record)) {
                m_record = record;
                return;
            }
        }
        m_eof = true;
        return;
    }
    const DbfTable& table = m_table.table();
    const std::uint32_t count = table.recordCount();
    const bool includeDeleted = m_table.context().includeDeleted;
    while (m_nextRecord < count) {
        const std::uint32_t record = m_nextRecord++;
        if (!includeDeleted && table.isDeleted(record))
            continue;
        if (passes(record)) {
            m_record = record;
            return;
        }
    }
    m_eof = true;
}

bool VirtualCursor::passes(std::uint32_t record) {
    const DbfTable& table = m_table.table();
    for (std::size_t i = 0; i < m_filters.size(); ++i) {
        const Operand& rhs = m_values[i];
        if (rhs.type == SQLITE_NULL)
            return false; // a comparison with NULL holds for no row
        const DbfValue v = table.value(record, m_filters[i].column, m_scratch);
        if (v.kind == DbfValue::Kind::Null)
            return false;
        bool comparable = false;
        const int order = compare(v, rhs, comparable);
        if (comparable && !holds(order, m_filters[i].op))
            return false;
    }
    return true;
}

int VirtualCursor::column(sqlite3_context* ctx, int field) {
    try {
        const DbfValue v = m_table.table().value(m_record, field, m_scratch);
        // Bytes in the mapped table stay put while the table is connected;
        // bytes in the scratch string change with the next value.
        const bool inScratch = !v.bytes.empty() && v.bytes.data() >= m_scratch.data()
                               && v.bytes.data() < m_scratch.data() + m_scratch.size();
        const auto lifetime = inScratch ? SQLITE_TRANSIENT : SQLITE_STATIC;
        switch (v.kind) {
        case DbfValue::Kind::Null: sqlite3_result_null(ctx); break;
        case DbfValue::Kind::Integer: sqlite3_result_int64(ctx, v.integer); break;
        case DbfValue::Kind::Real: sqlite3_result_double(ctx, v.real); break;
        case DbfValue::Kind::Text:
            // A null pointer would make the empty text NULL.
            sqlite3_result_text64(ctx, v.bytes.empty() ? "" : v.bytes.data(), v.bytes.size(),
                                  lifetime, SQLITE_UTF8);
            break;
        case DbfValue::Kind::Blob:
            sqlite3_result_blob64(ctx, v.bytes.empty() ? "" : v.bytes.data(), v.bytes.size(),
                                  lifetime);
            break;
        }
        return SQLITE_OK;
    } catch (const support::UserError& e) {
        m_table.context().failure = e.message();
        sqlite3_result_error(ctx, e.message().toUtf8().constData(), -1);
        return SQLITE_ERROR;
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(ctx);
        return SQLITE_NOMEM;
    }
}

} // namespace dbfquery::data
