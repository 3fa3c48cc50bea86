#include "data/ResultSet.h"

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <bit>
#include <cstring>
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

std::string_view stored(const ResultSet::Column& c, std::uint64_t offset) {
    std::uint32_t length = 0;
    std::memcpy(&length, c.text.data() + offset, sizeof length);
    return {c.text.data() + offset + sizeof length, length};
}

int utf8Length(std::string_view s) {
    return static_cast<int>(std::count_if(s.begin(), s.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

} // namespace

bool ResultSet::isNull(qsizetype row, int column) const {
    return cell(row, column) == Cell::Null;
}

std::string_view ResultSet::bytes(qsizetype row, int column) const {
    const Cell tag = cell(row, column);
    if (tag != Cell::Text && tag != Cell::Blob)
        return {};
    const Column& c = m_data[column];
    return stored(c, c.payload[row]);
}

std::int64_t ResultSet::integer(qsizetype row, int column) const {
    return static_cast<std::int64_t>(m_data[column].payload[row]);
}

double ResultSet::real(qsizetype row, int column) const {
    return std::bit_cast<double>(m_data[column].payload[row]);
}

double ResultSet::number(qsizetype row, int column) const {
    const std::uint64_t bits = m_data[column].payload[row];
    switch (cell(row, column)) {
    case Cell::Integer: return static_cast<double>(static_cast<std::int64_t>(bits));
    case Cell::Real: return std::bit_cast<double>(bits);
    default: return 0;
    }
}

QVariant ResultSet::value(qsizetype row, int column) const {
    const FieldType type = m_columns[column].type;
    const std::uint64_t bits = m_data[column].payload[row];
    switch (cell(row, column)) {
    case Cell::Null:
        return {};
    case Cell::Integer: {
        const auto v = static_cast<std::int64_t>(bits);
        if (type == FieldType::Logical)
            return v != 0;
        if (type == FieldType::Text || type == FieldType::Memo)
            return QString::number(v);
        return static_cast<qint64>(v);
    }
    case Cell::Real: {
        const double v = std::bit_cast<double>(bits);
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
        total += c.tags.capacity() + c.payload.capacity() * sizeof(std::uint64_t) + c.text.capacity();
    return total;
}

ResultSetBuilder::ResultSetBuilder(std::vector<Declared> columns) {
    m_result.m_data.resize(columns.size());
    for (Declared& d : columns) {
        m_known.push_back(d.known);
        m_result.m_columns.push_back(ResultColumn{std::move(d.name), d.type, d.width, d.decimals});
    }
}

void ResultSetBuilder::addNull(int column) {
    ResultSet::Column& c = m_result.m_data[column];
    c.tags.push_back(ResultSet::Cell::Null);
    c.payload.push_back(0);
}

void ResultSetBuilder::addInteger(int column, std::int64_t value) {
    ResultSet::Column& c = m_result.m_data[column];
    c.tags.push_back(ResultSet::Cell::Integer);
    c.payload.push_back(static_cast<std::uint64_t>(value));
}

void ResultSetBuilder::addReal(int column, double value) {
    ResultSet::Column& c = m_result.m_data[column];
    c.tags.push_back(ResultSet::Cell::Real);
    c.payload.push_back(std::bit_cast<std::uint64_t>(value));
}

void ResultSetBuilder::addText(int column, std::string_view utf8) {
    addBytes(column, ResultSet::Cell::Text, utf8);
}

void ResultSetBuilder::addBlob(int column, std::string_view bytes) {
    addBytes(column, ResultSet::Cell::Blob, bytes);
}

void ResultSetBuilder::addBytes(int column, ResultSet::Cell tag, std::string_view bytes) {
    ResultSet::Column& c = m_result.m_data[column];
    // Values beyond 4 GiB cannot come from a DBF cell or SQLite (its limit is 1 GB).
    const auto length = static_cast<std::uint32_t>(
        std::min<std::size_t>(bytes.size(), std::numeric_limits<std::uint32_t>::max()));
    c.tags.push_back(tag);
    c.payload.push_back(c.text.size());
    c.text.append(reinterpret_cast<const char*>(&length), sizeof length);
    c.text.append(bytes.data(), length);
}

ResultSet ResultSetBuilder::finish() {
    ResultSet& r = m_result;
    for (std::size_t i = 0; i < r.m_columns.size(); ++i) {
        ResultSet::Column& c = r.m_data[i];
        c.tags.shrink_to_fit();
        c.payload.shrink_to_fit();
        c.text.shrink_to_fit();
        if (m_known[i])
            continue;
        // A computed column: text if any value is text, else floating point
        // if any is, else integer (64-bit when a value needs it).
        bool anyText = false, anyReal = false, anyInteger = false, anyBlob = false, wide = false;
        int width = 0;
        for (qsizetype row = 0; row < r.m_rowCount; ++row) {
            switch (c.tags[row]) {
            case ResultSet::Cell::Null: break;
            case ResultSet::Cell::Integer: {
                anyInteger = true;
                const auto v = static_cast<std::int64_t>(c.payload[row]);
                wide = wide || v < std::numeric_limits<std::int32_t>::min()
                       || v > std::numeric_limits<std::int32_t>::max();
                width = std::max(width, static_cast<int>(std::to_string(v).size()));
                break;
            }
            case ResultSet::Cell::Real:
                anyReal = true;
                width = std::max(width, static_cast<int>(
                    QString::number(std::bit_cast<double>(c.payload[row]), 'g', 15).size()));
                break;
            case ResultSet::Cell::Text:
                anyText = true;
                width = std::max(width, utf8Length(stored(c, c.payload[row])));
                break;
            case ResultSet::Cell::Blob:
                anyBlob = true;
                width = std::max(width, static_cast<int>(stored(c, c.payload[row]).size()));
                break;
            }
        }
        ResultColumn& column = r.m_columns[i];
        column.width = width;
        column.decimals = 0;
        if (anyText || (!anyReal && !anyInteger && !anyBlob))
            column.type = FieldType::Text;
        else if (anyBlob)
            column.type = FieldType::Binary;
        else if (anyReal)
            column.type = FieldType::Float;
        else
            column.type = wide ? FieldType::BigInt : FieldType::Integer;
    }
    return std::move(m_result);
}

} // namespace dbfquery::data
