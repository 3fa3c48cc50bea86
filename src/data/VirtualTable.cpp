#include "data/VirtualTable.h"

#include "data/VirtualCursor.h"
#include "support/UserError.h"

#include <QStringList>
#include <algorithm>
#include <bit>
#include <functional>
#include <new>
#include <set>
#include <string_view>

namespace dbfquery::data {

namespace {

// The declared type tells the provider the field's type back through
// sqlite3_column_decltype, and gives SQLite the affinity it compares by:
// the dates and memos end in TEXT so that they compare as text.
QString declaredType(const DbfField& f) {
    if (f.binary)
        return QStringLiteral("BLOB");
    switch (f.type) {
    case 'C': return QStringLiteral("CHAR(%1)").arg(f.width);
    case 'V': return QStringLiteral("VARCHAR(%1)").arg(f.width);
    case 'M': return QStringLiteral("MEMOTEXT");
    case 'D': return QStringLiteral("DATETEXT");
    case 'T': return QStringLiteral("DATETIMETEXT");
    case 'L': return QStringLiteral("LOGICAL");
    case 'N':
    case 'F': return QStringLiteral("DECIMAL(%1,%2)").arg(f.width).arg(f.decimals);
    case 'I':
    case '+': return QStringLiteral("INTEGER");
    case 'B':
    case 'O': return QStringLiteral("DOUBLE");
    case 'Y': return QStringLiteral("CURRENCY");
    default: return QStringLiteral("BLOB");
    }
}

ValueClass valueClass(const DbfField& f) {
    if (f.binary)
        return ValueClass::Blob;
    switch (f.type) {
    case 'C': case 'V': case 'M': case 'D': case 'T': return ValueClass::Text;
    case 'N': case 'F': case 'I': case '+': case 'B': case 'O': case 'Y': case 'L':
        return ValueClass::Numeric;
    default: return ValueClass::Blob;
    }
}

std::uint64_t mix(std::uint64_t h, std::uint64_t tag) {
    h ^= tag * 0x9E3779B97F4A7C15ULL;
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ULL;
    return h ^ (h >> 29);
}

std::uint64_t numberHash(double v) {
    if (v == 0)
        v = 0; // -0 meets 0
    return mix(std::bit_cast<std::uint64_t>(v), 1);
}

std::uint64_t bytesHash(std::string_view s, std::uint64_t tag) {
    return mix(std::hash<std::string_view>{}(s), tag);
}

template <typename F>
int guarded(VirtualTable& table, F&& f) {
    try {
        return f();
    } catch (const support::UserError& e) {
        return table.fail(e.message());
    } catch (const std::bad_alloc&) {
        return SQLITE_NOMEM;
    } catch (const std::exception& e) {
        return table.fail(QString::fromLocal8Bit(e.what()));
    }
}

VirtualTable& tableOf(sqlite3_vtab* vtab) { return *static_cast<VirtualTable*>(vtab); }
VirtualCursor& cursorOf(sqlite3_vtab_cursor* cursor) { return *static_cast<VirtualCursor*>(cursor); }

const sqlite3_module dbfModule = [] {
    sqlite3_module m{};
    m.iVersion = 1;
    m.xCreate = &VirtualTable::connect;
    m.xConnect = &VirtualTable::connect;
    m.xBestIndex = [](sqlite3_vtab* vtab, sqlite3_index_info* info) {
        return guarded(tableOf(vtab), [&] { return tableOf(vtab).bestIndex(info); });
    };
    m.xDisconnect = [](sqlite3_vtab* vtab) { return tableOf(vtab).disconnect(); };
    m.xDestroy = [](sqlite3_vtab* vtab) { return tableOf(vtab).disconnect(); };
    m.xOpen = [](sqlite3_vtab* vtab, sqlite3_vtab_cursor** out) {
        return guarded(tableOf(vtab), [&] {
            *out = new VirtualCursor(tableOf(vtab));
            return SQLITE_OK;
        });
    };
    m.xClose = [](sqlite3_vtab_cursor* cursor) {
        delete &cursorOf(cursor);
        return SQLITE_OK;
    };
    m.xFilter = [](sqlite3_vtab_cursor* cursor, int idxNum, const char* idxStr, int argc,
                   sqlite3_value** argv) {
        return guarded(tableOf(cursor->pVtab), [&] { return cursorOf(cursor).filter(idxNum, idxStr, argc, argv); });
    };
    m.xNext = [](sqlite3_vtab_cursor* cursor) {
        return guarded(tableOf(cursor->pVtab), [&] { return cursorOf(cursor).next(); });
    };
    m.xEof = [](sqlite3_vtab_cursor* cursor) { return cursorOf(cursor).eof() ? 1 : 0; };
    m.xColumn = [](sqlite3_vtab_cursor* cursor, sqlite3_context* ctx, int field) {
        return cursorOf(cursor).column(ctx, field);
    };
    m.xRowid = [](sqlite3_vtab_cursor* cursor, sqlite3_int64* rowid) {
        *rowid = cursorOf(cursor).rowid();
        return SQLITE_OK;
    };
    return m;
}();

} // namespace

void Operand::assign(sqlite3_value* value) {
    type = sqlite3_value_type(value);
    switch (type) {
    case SQLITE_INTEGER: integer = sqlite3_value_int64(value); break;
    case SQLITE_FLOAT: real = sqlite3_value_double(value); break;
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const void* data = type == SQLITE_TEXT ? static_cast<const void*>(sqlite3_value_text(value))
                                               : sqlite3_value_blob(value);
        const int size = sqlite3_value_bytes(value);
        bytes.assign(static_cast<const char*>(data), data ? static_cast<std::size_t>(size) : 0);
        break;
    }
    default: break;
    }
}

std::uint64_t valueHash(const DbfValue& value) {
    switch (value.kind) {
    case DbfValue::Kind::Integer: return numberHash(static_cast<double>(value.integer));
    case DbfValue::Kind::Real: return numberHash(value.real);
    case DbfValue::Kind::Text: return bytesHash(value.bytes, 2);
    case DbfValue::Kind::Blob: return bytesHash(value.bytes, 3);
    case DbfValue::Kind::Null: break;
    }
    return 0;
}

std::uint64_t valueHash(const Operand& value) {
    switch (value.type) {
    case SQLITE_INTEGER: return numberHash(static_cast<double>(value.integer));
    case SQLITE_FLOAT: return numberHash(value.real);
    case SQLITE_TEXT: return bytesHash(value.bytes, 2);
    case SQLITE_BLOB: return bytesHash(value.bytes, 3);
    default: return 0;
    }
}

QString quotedIdentifier(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

void registerDbfModule(sqlite3* db, ModuleContext* context) {
    sqlite3_create_module_v2(db, "dbf", &dbfModule, context, nullptr);
}

VirtualTable::VirtualTable(ModuleContext& context, std::shared_ptr<const DbfTable> table)
    : sqlite3_vtab{}, m_context(context), m_table(std::move(table)) {
    for (const DbfField& f : m_table->fields())
        m_classes.push_back(valueClass(f));
    m_indexes.resize(m_table->fields().size());
}

int VirtualTable::connect(sqlite3* db, void* aux, int argc, const char* const* argv,
                          sqlite3_vtab** out, char** error) {
    auto* context = static_cast<ModuleContext*>(aux);
    *out = nullptr;
    try {
        const std::size_t key = argc > 3 ? std::stoul(argv[3]) : context->tables.size();
        if (key >= context->tables.size()) {
            *error = sqlite3_mprintf("dbf: unknown table");
            return SQLITE_ERROR;
        }
        auto vtab = std::make_unique<VirtualTable>(*context, context->tables[key]);
        // Column names must be unique in SQLite; a damaged table may repeat one.
        QStringList columns;
        std::set<QString> seen;
        int n = 0;
        for (const DbfField& f : vtab->table().fields()) {
            ++n;
            QString name = f.name.isEmpty() ? QStringLiteral("FIELD%1").arg(n) : f.name;
            for (int k = 2; !seen.insert(name.toUpper()).second; ++k)
                name = (f.name.isEmpty() ? QStringLiteral("FIELD%1").arg(n) : f.name)
                       + QStringLiteral("_%1").arg(k);
            columns << quotedIdentifier(name) + QLatin1Char(' ') + declaredType(f);
        }
        if (columns.isEmpty())
            columns << QStringLiteral("\"_\" BLOB HIDDEN");
        const QByteArray schema = ("CREATE TABLE x(" + columns.join(QLatin1String(", ")) + ")").toUtf8();
        const int rc = sqlite3_declare_vtab(db, schema.constData());
        if (rc != SQLITE_OK)
            return rc;
        *out = vtab.release();
        return SQLITE_OK;
    } catch (const std::bad_alloc&) {
        return SQLITE_NOMEM;
    } catch (const std::exception& e) {
        *error = sqlite3_mprintf("%s", e.what());
        return SQLITE_ERROR;
    }
}

int VirtualTable::disconnect() {
    delete this;
    return SQLITE_OK;
}

std::uint32_t VirtualTable::liveRows() const {
    return m_liveRows >= 0 ? static_cast<std::uint32_t>(m_liveRows) : m_table->recordCount();
}

int VirtualTable::bestIndex(sqlite3_index_info* info) {
    // The plan travels as idxStr: one "column,op;" entry per argv value, in
    // argv order; idxNum 1 when the first entry is an equality looked up in
    // the column's index rather than checked on every record.
    std::string plan;
    int argvCount = 0;
    int keyColumn = -1;
    int ranges = 0;
    int equalities = 0;
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto& c = info->aConstraint[i];
        if (!c.usable || c.iColumn < 0 || c.iColumn >= static_cast<int>(m_classes.size()))
            continue;
        const unsigned char op = c.op;
        const bool eq = op == SQLITE_INDEX_CONSTRAINT_EQ;
        if (!eq && op != SQLITE_INDEX_CONSTRAINT_GT && op != SQLITE_INDEX_CONSTRAINT_GE
            && op != SQLITE_INDEX_CONSTRAINT_LT && op != SQLITE_INDEX_CONSTRAINT_LE)
            continue;
        const ValueClass cls = m_classes[c.iColumn];
        if (cls == ValueClass::Blob)
            continue;
        // Text compared under another collation (NOCASE, say) is left to SQLite.
        if (cls == ValueClass::Text && sqlite3_stricmp(sqlite3_vtab_collation(info, i), "BINARY") != 0)
            continue;
        const std::string entry = std::to_string(c.iColumn) + ',' + std::to_string(op) + ';';
        if (eq && keyColumn < 0) {
            keyColumn = c.iColumn;
            plan.insert(0, entry);
            // The key must be argv[0]: shift the others.
            for (int j = 0; j < i; ++j)
                if (info->aConstraintUsage[j].argvIndex > 0)
                    ++info->aConstraintUsage[j].argvIndex;
            info->aConstraintUsage[i].argvIndex = 1;
            ++argvCount;
        } else {
            plan += entry;
            info->aConstraintUsage[i].argvIndex = ++argvCount;
            eq ? ++equalities : ++ranges;
        }
        // SQLite checks the constraint again: the cursor only drops rows that
        // surely fail it.
        info->aConstraintUsage[i].omit = 0;
    }

    const double rows = std::max<double>(1, liveRows());
    double estimate = rows;
    double cost = rows;
    if (keyColumn >= 0) {
        const ColumnIndex* built = m_indexes[keyColumn].get();
        estimate = built && built->distinct > 0
                       ? std::max(1.0, double(built->entries.size()) / double(built->distinct))
                       : std::max(1.0, rows / 10);
        cost = 10 + estimate;
    }
    for (int k = 0; k < equalities; ++k)
        estimate = std::max(1.0, estimate / 10);
    for (int k = 0; k < ranges; ++k)
        estimate = std::max(1.0, estimate / 4);
    info->idxNum = keyColumn >= 0 ? 1 : 0;
    if (!plan.empty()) {
        info->idxStr = sqlite3_mprintf("%s", plan.c_str());
        if (!info->idxStr)
            return SQLITE_NOMEM;
        info->needToFreeIdxStr = 1;
    }
    info->estimatedCost = cost + estimate;
    info->estimatedRows = static_cast<sqlite3_int64>(estimate);
    return SQLITE_OK;
}

const ColumnIndex& VirtualTable::index(int column) {
    std::unique_ptr<ColumnIndex>& slot = m_indexes[column];
    if (slot)
        return *slot;
    auto built = std::make_unique<ColumnIndex>();
    std::string scratch;
    const std::uint32_t count = m_table->recordCount();
    std::uint32_t live = 0;
    built->entries.reserve(count);
    for (std::uint32_t record = 0; record < count; ++record) {
        if (!m_context.includeDeleted && m_table->isDeleted(record))
            continue;
        ++live;
        const DbfValue v = m_table->value(record, column, scratch);
        if (v.kind != DbfValue::Kind::Null)
            built->entries.emplace_back(valueHash(v), record);
    }
    std::sort(built->entries.begin(), built->entries.end());
    for (std::size_t i = 0; i < built->entries.size(); ++i)
        if (i == 0 || built->entries[i].first != built->entries[i - 1].first)
            ++built->distinct;
    built->entries.shrink_to_fit();
    m_liveRows = live;
    slot = std::move(built);
    return *slot;
}

int VirtualTable::fail(const QString& message) {
    m_context.failure = message;
    sqlite3_free(zErrMsg);
    zErrMsg = sqlite3_mprintf("%s", message.toUtf8().constData());
    return SQLITE_ERROR;
}

} // namespace dbfquery::data
