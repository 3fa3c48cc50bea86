#include "BenchDbfWriter.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace dbfquery::bench {

namespace {

void put16(std::string& s, std::size_t at, std::uint32_t v) {
    s[at] = char(v & 0xFF);
    s[at + 1] = char((v >> 8) & 0xFF);
}
void put32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s[at + i] = char((v >> (8 * i)) & 0xFF);
}
void put32be(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s[at + i] = char((v >> (8 * (3 - i))) & 0xFF);
}

int fixedWidth(const BenchDbfWriter::Field& f, bool vfp) {
    switch (f.type) {
    case 'D': return 8;
    case 'L': return 1;
    case 'I': return 4;
    case 'Y': case 'T': case 'B': return 8;
    case 'M': return vfp ? 4 : 10;
    default: return f.width;
    }
}

std::int32_t julianDay(int y, int m, int d) {
    const int a = (14 - m) / 12, yy = y + 4800 - a, mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

void check(bool ok, const std::string& what) {
    if (!ok)
        throw std::runtime_error(what);
}

} // namespace

BenchDbfWriter::BenchDbfWriter(const std::string& path, std::uint8_t version, std::uint8_t codePageMark,
                               std::vector<Field> fields)
    : m_path(path), m_version(version), m_codePageMark(codePageMark), m_fields(std::move(fields)) {
    const bool fox = version != 0x03;
    bool memo = false;
    for (Field& f : m_fields) {
        f.width = fixedWidth(f, version == 0x30);
        m_recordLength += f.width;
        memo = memo || f.type == 'M';
    }
    m_table = std::fopen(path.c_str(), "wb");
    check(m_table, "cannot create " + path);
    if (memo) {
        const std::string memoPath = path.substr(0, path.size() - 3) + (fox ? "fpt" : "dbt");
        m_memo = std::fopen(memoPath.c_str(), "wb");
        check(m_memo, "cannot create " + memoPath);
        m_blockSize = fox ? 64 : 512;
        m_nextBlock = 512 / m_blockSize;
        std::string header(512, '\0');
        if (m_version == 0x03)
            m_version = 0x83;
        std::fwrite(header.data(), 1, header.size(), m_memo);
    }
    const std::size_t headerLength = 32 + 32 * m_fields.size() + 1 + (m_version == 0x30 ? 263 : 0);
    std::string header(headerLength, '\0');
    header[0] = char(m_version);
    header[1] = 126; // 2026
    header[2] = 1;
    header[3] = 1;
    put16(header, 8, std::uint32_t(headerLength));
    put16(header, 10, std::uint32_t(m_recordLength));
    if (m_version == 0x30 && memo)
        header[28] = 0x02;
    header[29] = char(m_codePageMark);
    int offset = 1;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const Field& f = m_fields[i];
        const std::size_t at = 32 + 32 * i;
        std::memcpy(&header[at], f.name.data(), std::min<std::size_t>(f.name.size(), 10));
        header[at + 11] = f.type;
        if (fox)
            put32(header, at + 12, std::uint32_t(offset));
        header[at + 16] = char(f.width);
        header[at + 17] = char(f.decimals);
        offset += f.width;
    }
    header[32 + 32 * m_fields.size()] = 0x0D;
    std::fwrite(header.data(), 1, header.size(), m_table);
    m_record.resize(std::size_t(m_recordLength));
}

BenchDbfWriter::~BenchDbfWriter() {
    if (m_table)
        std::fclose(m_table);
    if (m_memo)
        std::fclose(m_memo);
}

std::uint32_t BenchDbfWriter::writeMemo(const std::string& text) {
    const std::uint32_t block = m_nextBlock;
    std::string data;
    if (m_version == 0x83) {
        data = text + "\x1A\x1A";
    } else {
        data.assign(8, '\0');
        put32be(data, 0, 1);
        put32be(data, 4, std::uint32_t(text.size()));
        data += text;
    }
    const std::size_t blocks = (data.size() + m_blockSize - 1) / m_blockSize;
    data.resize(blocks * m_blockSize, '\0');
    std::fwrite(data.data(), 1, data.size(), m_memo);
    m_nextBlock += std::uint32_t(blocks);
    return block;
}

void BenchDbfWriter::add(const std::vector<Value>& values, bool deleted) {
    std::string& r = m_record;
    std::fill(r.begin(), r.end(), ' ');
    r[0] = deleted ? '*' : ' ';
    std::size_t at = 1;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const Field& f = m_fields[i];
        const Value& v = values[i];
        const std::size_t w = std::size_t(f.width);
        switch (f.type) {
        case 'C': case 'D': case 'L':
            r.replace(at, std::min(w, v.text.size()), v.text, 0, std::min(w, v.text.size()));
            break;
        case 'N':
            if (v.text.size() <= w)
                r.replace(at + w - v.text.size(), v.text.size(), v.text);
            break;
        case 'I': {
            std::string b(4, '\0');
            put32(b, 0, std::uint32_t(std::int32_t(v.integer)));
            r.replace(at, 4, b);
            break;
        }
        case 'Y': {
            const auto scaled = std::int64_t(std::llround(v.number * 10000));
            std::memcpy(&r[at], &scaled, 8);
            break;
        }
        case 'B':
            std::memcpy(&r[at], &v.number, 8);
            break;
        case 'T': {
            std::string b(8, '\0');
            if (v.text.size() == 8) {
                const int y = std::stoi(v.text.substr(0, 4)), m = std::stoi(v.text.substr(4, 2)),
                          d = std::stoi(v.text.substr(6, 2));
                put32(b, 0, std::uint32_t(julianDay(y, m, d)));
                put32(b, 4, std::uint32_t(v.integer));
            }
            r.replace(at, 8, b);
            break;
        }
        case 'M': {
            const std::uint32_t block = v.text.empty() ? 0 : writeMemo(v.text);
            if (m_version != 0x30) {
                const std::string n = block ? std::to_string(block) : std::string();
                r.replace(at + w - n.size(), n.size(), n);
            } else {
                std::string b(4, '\0');
                put32(b, 0, block);
                r.replace(at, 4, b);
            }
            break;
        }
        default: break;
        }
        at += w;
    }
    check(std::fwrite(r.data(), 1, r.size(), m_table) == r.size(), "cannot write " + m_path);
    ++m_records;
}

void BenchDbfWriter::finish() {
    std::fputc(0x1A, m_table);
    std::string count(4, '\0');
    put32(count, 0, m_records);
    std::fseek(m_table, 4, SEEK_SET);
    std::fwrite(count.data(), 1, 4, m_table);
    check(std::fclose(m_table) == 0, "cannot write " + m_path);
    m_table = nullptr;
    if (m_memo) {
        std::string next(4, '\0');
        if (m_version == 0x83)
            put32(next, 0, m_nextBlock);
        else
            put32be(next, 0, m_nextBlock);
        std::fseek(m_memo, 0, SEEK_SET);
        std::fwrite(next.data(), 1, 4, m_memo);
        if (m_version != 0x83) {
            std::string size(2, '\0');
            size[0] = char((m_blockSize >> 8) & 0xFF);
            size[1] = char(m_blockSize & 0xFF);
            std::fseek(m_memo, 6, SEEK_SET);
            std::fwrite(size.data(), 1, 2, m_memo);
        }
        check(std::fclose(m_memo) == 0, "cannot write memo of " + m_path);
        m_memo = nullptr;
    }
}

} // namespace dbfquery::bench
