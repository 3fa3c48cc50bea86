#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dbfquery::data {

// The type of a result column. Table columns take it from their DBF field;
// computed columns (SUM, an expression) from their values.
enum class FieldType {
    Text,
    Memo,
    Date,      // values QDate
    DateTime,  // values QDateTime (local, no zone)
    Logical,   // values bool
    Integer,   // 32-bit and narrower
    BigInt,    // 64-bit: not numeric
    Float,
    Currency,
    Decimal,   // N, F fixed point
    Binary,    // values QByteArray
};

// The classes whose footers can show sums.
enum class NumericClass { None, Integer, Float /* currency included */, Decimal };

NumericClass numericClassOf(FieldType type);
QString fieldTypeName(FieldType type); // "Decimal", "Text", ... for listings

struct ResultColumn {
    QString name;
    FieldType type = FieldType::Text;
    int width = 0;     // characters: the field's width, or the widest value of a computed column
    int decimals = 0;  // digits after the point (Decimal; 4 for Currency)
    NumericClass numericClass() const { return numericClassOf(type); }
};

// Storage that grows without moving what it holds: the first 64K elements
// in one vector, then fixed chunks of 64K, so a million-row result never
// copies itself on growth.
template <typename T>
class ChunkedVector {
public:
    void push_back(T value) {
        if (m_chunks.empty() || m_chunks.back().size() == chunkSize) {
            m_chunks.emplace_back();
            if (m_chunks.size() > 1)
                m_chunks.back().reserve(chunkSize);
        }
        m_chunks.back().push_back(value);
        ++m_size;
    }
    T operator[](std::size_t i) const { return m_chunks[i >> chunkBits][i & (chunkSize - 1)]; }
    std::size_t size() const { return m_size; }
    void clear() { m_chunks.clear(); m_size = 0; }
    std::size_t bytes() const {
        std::size_t total = 0;
        for (const auto& c : m_chunks)
            total += c.capacity() * sizeof(T);
        return total;
    }

private:
    static constexpr int chunkBits = 16;
    static constexpr std::size_t chunkSize = std::size_t(1) << chunkBits;
    std::vector<std::vector<T>> m_chunks;
    std::size_t m_size = 0;
};

// Text and blob bytes of one column: each entry a 4-byte length and the
// bytes, in chunks that never move. An entry's position packs the chunk
// number above 20 bits of offset.
class TextPool {
public:
    std::uint64_t add(std::string_view bytes);
    std::string_view at(std::uint64_t position) const;
    std::size_t bytes() const;

private:
    static constexpr int offsetBits = 20;
    struct Chunk {
        std::unique_ptr<char[]> data;
        std::size_t size = 0;
        std::size_t used = 0;
    };
    std::vector<Chunk> m_chunks;
};

// A static result: all rows in memory, read by index in any order. Cells are
// held compactly (a tag byte and four or eight bytes per cell; text in a pool
// per column where repeated values are stored once), not as a QVariant each.
// Immutable once built; any thread may read.
class ResultSet {
public:
    ResultSet() = default;
    ResultSet(ResultSet&&) noexcept = default;
    ResultSet& operator=(ResultSet&&) noexcept = default;

    const std::vector<ResultColumn>& columns() const { return m_columns; }
    qsizetype rowCount() const { return m_rowCount; }

    bool isNull(qsizetype row, int column) const;
    // QString, qint64, double, QDate, QDateTime, bool, QByteArray; null -> QVariant().
    QVariant value(qsizetype row, int column) const;
    // The value as a double (0 for null or non-numeric).
    double number(qsizetype row, int column) const;
    // The stored text of a text, date or binary cell (UTF-8 / raw bytes), empty otherwise.
    std::string_view bytes(qsizetype row, int column) const;

    // The raw cell, for writers that format without a QVariant per cell.
    enum class Cell : std::uint8_t { Null, Integer, Real, Text, Blob };
    Cell cell(qsizetype row, int column) const { return m_data[column].tags[std::size_t(row)]; }
    std::int64_t integer(qsizetype row, int column) const; // an Integer cell's value
    double real(qsizetype row, int column) const;          // a Real cell's value

    // Bytes held by the cells (for the benchmark and memory checks).
    std::size_t memoryUsed() const;

    struct Column {
        ChunkedVector<Cell> tags;
        // Four bytes a cell while every value fits (32-bit integers, text
        // positions), else eight.
        bool wide = false;
        ChunkedVector<std::uint32_t> narrow;
        ChunkedVector<std::uint64_t> payload;
        TextPool text;
        std::uint64_t raw(std::size_t row) const { return wide ? payload[row] : narrow[row]; }
    };

private:
    friend class ResultSetBuilder;

    std::vector<ResultColumn> m_columns;
    std::vector<Column> m_data;
    qsizetype m_rowCount = 0;
};

// Appends rows one value at a time, row after row, then settles the types of
// computed columns from their values.
class ResultSetBuilder {
public:
    // A column's type when it comes from a table field (`known`); a computed
    // column leaves `known` false and gets its type from its values.
    struct Declared {
        QString name;
        bool known = false;
        FieldType type = FieldType::Text;
        int width = 0;
        int decimals = 0;
    };
    explicit ResultSetBuilder(std::vector<Declared> columns);

    void addNull(int column);
    void addInteger(int column, std::int64_t value);
    void addReal(int column, double value);
    void addText(int column, std::string_view utf8);
    void addBlob(int column, std::string_view bytes);
    void endRow() { ++m_result.m_rowCount; }

    ResultSet finish();

private:
    // Repeated text of a column stored once: an open-addressing table of
    // (hash, pool position), dropped once values turn out mostly distinct.
    struct Interning {
        bool enabled = true;
        std::size_t seen = 0;
        std::size_t used = 0;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> table; // hash 0: empty
    };
    void addBytes(int column, ResultSet::Cell tag, std::string_view bytes);
    void push(int column, ResultSet::Cell tag, std::uint64_t payload, bool fitsNarrow);
    std::vector<bool> m_known;
    std::vector<Interning> m_interning;
    ResultSet m_result;
};

} // namespace dbfquery::data
