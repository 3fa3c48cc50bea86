#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
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

// A static result: all rows in memory, read by index in any order. Cells are
// held compactly (a tag byte and eight bytes per cell, text in one buffer per
// column), not as a QVariant each. Immutable once built; any thread may read.
class ResultSet {
public:
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
    Cell cell(qsizetype row, int column) const { return m_data[column].tags[row]; }
    std::int64_t integer(qsizetype row, int column) const; // an Integer cell's value
    double real(qsizetype row, int column) const;          // a Real cell's value

    // Bytes held by the cells (for the benchmark and memory checks).
    std::size_t memoryUsed() const;

    struct Column {
        std::vector<Cell> tags;
        std::vector<std::uint64_t> payload; // int64 bits, double bits, or offset into `text`
        std::string text;                    // each entry: 4-byte length, then the bytes
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
    void addBytes(int column, ResultSet::Cell tag, std::string_view bytes);
    std::vector<bool> m_known;
    ResultSet m_result;
};

} // namespace dbfquery::data
