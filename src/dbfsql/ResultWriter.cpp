#include "dbfsql/ResultWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace dbfquery::dbfsql {

using data::FieldType;
using data::NumericClass;
using data::ResultSet;

namespace {

void appendNumber(std::string& out, double v, int decimals, bool fixed) {
    char buffer[64];
    const auto result = fixed ? std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals)
                              : std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, result.ptr);
}

void flush(std::FILE* out, std::string& buffer, bool force) {
    if (force || buffer.size() > (1 << 20)) {
        std::fwrite(buffer.data(), 1, buffer.size(), out);
        buffer.clear();
    }
}

int displayWidth(const std::string& s) {
    return static_cast<int>(std::count_if(s.begin(), s.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void appendCsvField(std::string& out, const std::string& cell) {
    const bool quote = cell.find_first_of(",\"\r\n") != std::string::npos
                       || (!cell.empty() && (cell.front() == ' ' || cell.back() == ' '));
    if (!quote) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

bool rightAligned(const data::ResultColumn& c) {
    return c.numericClass() != NumericClass::None || c.type == FieldType::BigInt;
}

} // namespace

void appendCell(std::string& out, const ResultSet& rows, qsizetype row, int column) {
    const data::ResultColumn& c = rows.columns()[column];
    const bool fixed = c.type == FieldType::Decimal || c.type == FieldType::Currency;
    switch (rows.cell(row, column)) {
    case ResultSet::Cell::Null:
        return;
    case ResultSet::Cell::Integer: {
        const std::int64_t v = rows.integer(row, column);
        if (c.type == FieldType::Logical)
            out += v ? 'T' : 'F';
        else if (fixed && c.decimals > 0)
            appendNumber(out, static_cast<double>(v), c.decimals, true);
        else
            out += std::to_string(v);
        return;
    }
    case ResultSet::Cell::Real: {
        const double v = rows.real(row, column);
        appendNumber(out, v, c.decimals, fixed && std::isfinite(v));
        return;
    }
    case ResultSet::Cell::Text: {
        const std::string_view bytes = rows.bytes(row, column);
        out.append(bytes.data(), bytes.size());
        return;
    }
    case ResultSet::Cell::Blob: {
        static const char hex[] = "0123456789abcdef";
        for (const char ch : rows.bytes(row, column)) {
            out += hex[(static_cast<unsigned char>(ch) >> 4) & 15];
            out += hex[static_cast<unsigned char>(ch) & 15];
        }
        return;
    }
    }
}

void writeCsv(std::FILE* out, const ResultSet& rows) {
    std::string buffer;
    std::string cell;
    const int columns = static_cast<int>(rows.columns().size());
    for (int c = 0; c < columns; ++c) {
        if (c)
            buffer += ',';
        appendCsvField(buffer, rows.columns()[c].name.toStdString());
    }
    buffer += '\n';
    for (qsizetype r = 0; r < rows.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c)
                buffer += ',';
            cell.clear();
            appendCell(cell, rows, r, c);
            appendCsvField(buffer, cell);
        }
        buffer += '\n';
        flush(out, buffer, false);
    }
    flush(out, buffer, true);
}

void writeTable(std::FILE* out, const ResultSet& rows) {
    const int columns = static_cast<int>(rows.columns().size());
    std::vector<std::vector<std::string>> cells(static_cast<std::size_t>(rows.rowCount()) + 1);
    std::vector<int> widths(static_cast<std::size_t>(columns), 0);
    for (int c = 0; c < columns; ++c)
        cells[0].push_back(rows.columns()[c].name.toStdString());
    for (qsizetype r = 0; r < rows.rowCount(); ++r)
        for (int c = 0; c < columns; ++c) {
            std::string cell;
            appendCell(cell, rows, r, c);
            std::replace_if(cell.begin(), cell.end(), [](char ch) { return ch == '\r' || ch == '\n' || ch == '\t'; }, ' ');
            cells[static_cast<std::size_t>(r) + 1].push_back(std::move(cell));
        }
    for (const auto& line : cells)
        for (int c = 0; c < columns; ++c)
            widths[c] = std::max(widths[c], displayWidth(line[c]));
    std::string buffer;
    for (std::size_t r = 0; r < cells.size(); ++r) {
        for (int c = 0; c < columns; ++c) {
            const std::string& cell = cells[r][c];
            const std::string pad(static_cast<std::size_t>(widths[c] - displayWidth(cell)), ' ');
            if (c)
                buffer += "  ";
            if (r > 0 && rightAligned(rows.columns()[c]))
                buffer += pad + cell;
            else
                buffer += c + 1 < columns ? cell + pad : cell;
        }
        buffer += '\n';
        if (r == 0) {
            for (int c = 0; c < columns; ++c)
                buffer += (c ? "  " : "") + std::string(static_cast<std::size_t>(widths[c]), '-');
            buffer += '\n';
        }
        flush(out, buffer, false);
    }
    flush(out, buffer, true);
}

void writeTypes(std::FILE* out, const ResultSet& rows) {
    static const char* const classes[] = {"None", "Integer", "Float", "Decimal"};
    std::string buffer;
    for (const data::ResultColumn& c : rows.columns()) {
        buffer += c.name.toStdString() + '\t' + data::fieldTypeName(c.type).toStdString() + '\t'
                  + std::to_string(c.width) + '\t' + std::to_string(c.decimals) + '\t'
                  + classes[static_cast<int>(c.numericClass())] + '\n';
    }
    flush(out, buffer, true);
}

} // namespace dbfquery::dbfsql
