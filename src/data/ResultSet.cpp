#include "data/ResultSet.h"

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <limits>

namespace dbfquery::data {

NumericClass numericClassOf(FieldType type) {
    switch (type) {
    case FieldType::Integer: return NumericClass::Integer;
    case FieldType::Float:
    case FieldType::Currency: return NumericClass::Float;
    case FieldType::Decimal: return NumericClass::Decimal;
    default: return NumericClass::None;
    }
}

QString fieldTypeName(FieldType type) {
    switch (type) {
    case FieldType::Text: return QStringLiteral("Text");
    case FieldType::Memo: return QStringLiteral("Memo");
    case FieldType::Date: return QStringLiteral("Date");
    case FieldType::DateTime: return QStringLiteral("DateTime");
    case FieldType::Logical: return QStringLiteral("Logical");
    case FieldType::Integer: return QStringLiteral("Integer");
    case FieldType::BigInt: return QStringLiteral("BigInt");
    case FieldType::Float: return QStringLiteral("Float");
    case FieldType::Currency: return QStringLiteral("Currency");
    case FieldType::Decimal: return QStringLiteral("Decimal");
    case FieldType::Binary: return QStringLiteral("Binary");
    }
    return {};
}

namespace {

int utf8Length(std::string_view s) {
    return static_cast<int>(std::count_if(s.begin(), s.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

// Columns whose values need eight bytes from the start, so that they are
// not copied when the first such value comes.
bool startsWide(bool known, FieldType type, int width, int decimals) {
    if (!known)
        return true;
    switch (type) {
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::BigInt: return true;
    case FieldType::Decimal: return decimals > 0 || width > 9;
    default: return false;
    }
}

} // namespace

std::uint64_t TextPool::add(std::string_view bytes) {
    // Values beyond 4 GiB cannot come from a DBF cell or SQLite (its limit is 1 GB).
    const auto length = static_cast<std::uint32_t>(
        std::min<std::size_t>(bytes.size(), std::numeric_limits<std::uint32_t>::max()));
    const std::size_t need = sizeof length + length;
    if (m_chunks.empty() || m_chunks.back().size - m_chunks.back().used < need) {
        // Chunks double from 4 KiB to 1 MiB; a larger entry gets a chunk of its own.
        const std::size_t grown = m_chunks.empty() ? 4096 : std::min<std::size_t>(m_chunks.back().size * 2, 1 << offsetBits);
        Chunk chunk;
        chunk.size = std::max(grown, need);
        chunk.data.reset(new char[chunk.size]);
        m_chunks.push_back(std::move(chunk));
    }
    Chunk& c = m_chunks.back();
    const std::uint64_t position = (std::uint64_t(m_chunks.size() - 1) << offsetBits) | c.used;
    std::memcpy(c.data.get() + c.used, &length, sizeof length);
    std::memcpy(c.data.get() + c.used + sizeof length, bytes.data(), length);
    c.used += need;
    if (c.used > (std::size_t(1) << offsetBits))
        c.used = c.size; // an oversized entry fills its chunk
    return position;
}

std::string_view TextPool::at(std::uint64_t position) const {
    const Chunk& c = m_chunks[position >> offsetBits];
    const char* p = c.data.get() + (position & ((1U << offsetBits) - 1));
    std::uint32_t length = 0;
    std::memcpy(&length, p, sizeof length);
    return {p + sizeof length, length};
}

std::size_t TextPool::bytes() const {
    std::size_t total = 0;
    for (const Chunk& c : m_chunks)
        total += c.size;
    return total;
}

bool ResultSet::isNull(qsizetype row, int column) const {
    return cell(row, column) == Cell::Null;
}

std::string_view ResultSet::bytes(qsizetype row, int column) const {
    const Cell tag = cell(row, column);
    if (tag != Cell::Text && tag != Cell::Blob)
        return {};
    const Column& c = m_data[column];
    return c.text.at(c.raw(std::size_t(row)));
}

std::int64_t ResultSet::integer(qsizetype row, int column) const {
    const Column& c = m_data[column];
    return c.wide ? static_cast<std::int64_t>(c.payload[std::size_t(row)])
                  : static_cast<std::int32_t>(c.narrow[std::size_t(row)]);
}

double ResultSet::real(qsizetype row, int column) const {
    return std::bit_cast<double>(m_data[column].payload[std::size_t(row)]);
}

double ResultSet::number(qsizetype row, int column) const {
    switch (cell(row, column)) {
    case Cell::Integer: return static_cast<double>(integer(row, column));
    case Cell::Real: return real(row, column);
    default: return 0;
    }
}

QVariant ResultSet::value(qsizetype row, int column) const {
    const FieldType type = m_columns[column].type;
    switch (cell(row, column)) {
    case Cell::Null:
        return {};
    case Cell::Integer: {
        const std::int64_t v = integer(row, column);
        if (type == FieldType::Logical)
            return v != 0;
        if (type == FieldType::Text || type == FieldType::Memo)
            return QString::number(v);
        return static_cast<qint64>(v);
    }
    case Cell::Real: {
        const double v = real(row, column);
        if (type == FieldType::Text || type == FieldType::Memo)
            return QString::number(v, 'g', 15);
        return v;
    }
    case Cell::Text: {
        const std::string_view s = bytes(row, column);
        const QString text = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
        if (type == FieldType::Date) {
            const QDate d = QDate::fromString(text, Qt::ISODate);
            if (d.isValid())
                return d;
        } else if (type == FieldType::DateTime) {
            const QDateTime t = QDateTime::fromString(text, Qt::ISODate);
            if (t.isValid())
                return t;
        }
        return text;
    }
    case Cell::Blob: {
        const std::string_view s = bytes(row, column);
        return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
    }
    }
    return {};
}

std::size_t ResultSet::memoryUsed() const {
    std::size_t total = 0;
    for (const Column& c : m_data)
        total += c.tags.bytes() + c.narrow.bytes() + c.payload.bytes() + c.text.bytes();
    return total;
}

ResultSetBuilder::ResultSetBuilder(std::vector<Declared> columns) {
    m_result.m_data.resize(columns.size());
    m_interning.resize(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        Declared& d = columns[i];
        m_known.push_back(d.known);
        m_result.m_data[i].wide = startsWide(d.known, d.type, d.width, d.decimals);
        m_result.m_columns.push_back(ResultColumn{std::move(d.name), d.type, d.width, d.decimals});
    }
}

void ResultSetBuilder::push(int column, ResultSet::Cell tag, std::uint64_t payload, bool fitsNarrow) {
    ResultSet::Column& c = m_result.m_data[column];
    if (!c.wide && !fitsNarrow) {
        // The first value that needs eight bytes: the column moves to them.
        for (std::size_t row = 0; row < c.narrow.size(); ++row) {
            const std::uint32_t v = c.narrow[row];
            c.payload.push_back(c.tags[row] == ResultSet::Cell::Integer
                                    ? static_cast<std::uint64_t>(static_cast<std::int64_t>(static_cast<std::int32_t>(v)))
                                    : v);
        }
        c.narrow.clear();
        c.wide = true;
    }
    c.tags.push_back(tag);
    if (c.wide)
        c.payload.push_back(payload);
    else
        c.narrow.push_back(static_cast<std::uint32_t>(payload));
}

void ResultSetBuilder::addNull(int column) {
    push(column, ResultSet::Cell::Null, 0, true);
}

void ResultSetBuilder::addInteger(int column, std::int64_t value) {
    const bool fits = value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
    push(column, ResultSet::Cell::Integer,
         m_result.m_data[column].wide || !fits ? static_cast<std::uint64_t>(value)
                                               : static_cast<std::uint32_t>(static_cast<std::int32_t>(value)),
         fits);
}

void ResultSetBuilder::addReal(int column, double value) {
    push(column, ResultSet::Cell::Real, std::bit_cast<std::uint64_t>(value), false);
}

void ResultSetBuilder::addText(int column, std::string_view utf8) {
    addBytes(column, ResultSet::Cell::Text, utf8);
}

void ResultSetBuilder::addBlob(int column, std::string_view bytes) {
    addBytes(column, ResultSet::Cell::Blob, bytes);
}

void ResultSetBuilder::addBytes(int column, ResultSet::Cell tag, std::string_view bytes) {
    ResultSet::Column& c = m_result.m_data[column];
    Interning& in = m_interning[column];
    std::uint64_t position;
    if (in.enabled && tag == ResultSet::Cell::Text) {
        if (in.used * 2 >= in.table.size()) {
            std::vector<std::pair<std::uint64_t, std::uint64_t>> grown(std::max<std::size_t>(64, in.table.size() * 2));
            for (const auto& slot : in.table)
                if (slot.first)
                    for (std::size_t k = slot.first & (grown.size() - 1);; k = (k + 1) & (grown.size() - 1))
                        if (!grown[k].first) {
                            grown[k] = slot;
                            break;
                        }
            in.table.swap(grown);
        }
        const std::uint64_t hash = std::hash<std::string_view>{}(bytes) | 1;
        const std::size_t mask = in.table.size() - 1;
        std::size_t k = hash & mask;
        while (in.table[k].first && !(in.table[k].first == hash && c.text.at(in.table[k].second) == bytes))
            k = (k + 1) & mask;
        if (in.table[k].first) {
            position = in.table[k].second;
        } else {
            position = c.text.add(bytes);
            in.table[k] = {hash, position};
            ++in.used;
        }
        // Mostly distinct values are not worth the table: stop looking them up.
        if (++in.seen % 65536 == 0 && in.used > in.seen / 2) {
            in.enabled = false;
            in.table = {};
        }
    } else {
        position = c.text.add(bytes);
    }
    push(column, tag, position, position <= std::numeric_limits<std::uint32_t>::max());
}

ResultSet ResultSetBuilder::finish() {
    ResultSet& r = m_result;
    m_interning.clear();
    for (std::size_t i = 0; i < r.m_columns.size(); ++i) {
        if (m_known[i])
            continue;
        // A computed column: text if any value is text, else floating point
        // if any is, else integer (64-bit when a value needs it).
        bool anyText = false, anyReal = false, anyInteger = false, anyBlob = false, wide = false;
        int width = 0;
        const int column = static_cast<int>(i);
        for (qsizetype row = 0; row < r.m_rowCount; ++row) {
            switch (r.cell(row, column)) {
            case ResultSet::Cell::Null: break;
            case ResultSet::Cell::Integer: {
                anyInteger = true;
                const std::int64_t v = r.integer(row, column);
                wide = wide || v < std::numeric_limits<std::int32_t>::min()
                       || v > std::numeric_limits<std::int32_t>::max();
                width = std::max(width, static_cast<int>(std::to_string(v).size()));
                break;
            }
            case ResultSet::Cell::Real:
                anyReal = true;
                width = std::max(width, static_cast<int>(QString::number(r.real(row, column), 'g', 15).size()));
                break;
            case ResultSet::Cell::Text:
                anyText = true;
                width = std::max(width, utf8Length(r.bytes(row, column)));
                break;
            case ResultSet::Cell::Blob:
                anyBlob = true;
                width = std::max(width, static_cast<int>(r.bytes(row, column).size()));
                break;
            }
        }
        ResultColumn& c = r.m_columns[i];
        c.width = width;
        c.decimals = 0;
        if (anyText || (!anyReal && !anyInteger && !anyBlob))
            c.type = FieldType::Text;
        else if (anyBlob)
            c.type = FieldType::Binary;
        else if (anyReal)
            c.type = FieldType::Float;
        else
            c.type = wide ? FieldType::BigInt : FieldType::Integer;
    }
    return std::move(m_result);
}

} // namespace dbfquery::data
