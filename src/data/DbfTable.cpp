#include "data/DbfTable.h"

#include "support/CodePage.h"
#include "support/CodePageGuesser.h"
#include "support/UserError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace dbfquery::data {

using support::UserError;

namespace {

enum class Decode : std::uint8_t {
    Text,
    VarText,
    Number,
    Date,
    DateTime,      // Visual FoxPro: Julian day and milliseconds, little-endian
    DateTimeText,  // "YYYYMMDDhhmmss"
    Logical,
    Int32,         // little-endian
    Int32Flipped,  // dBase 7: big-endian with the sign bit inverted
    Double,        // little-endian
    DoubleFlipped, // dBase 7: big-endian, ordered as unsigned bytes
    Currency,
    TextMemo,
    BlobMemo,
    Blob,
    VarBlob,
};

std::uint16_t le16(const char* p) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[1]) << 8);
}
std::uint32_t le32(const char* p) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(p[i]);
    return v;
}
std::uint32_t be32(const char* p) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v = v << 8 | static_cast<unsigned char>(p[i]);
    return v;
}
std::uint64_t be64(const char* p) {
    return std::uint64_t(be32(p)) << 32 | be32(p + 4);
}

bool isBlank(char c) { return c == ' ' || c == '\0'; }

std::string_view trimRight(const char* p, std::size_t n) {
    while (n > 0 && isBlank(p[n - 1]))
        --n;
    return {p, n};
}

bool isVisualFoxPro(std::uint8_t version) { return version == 0x30 || version == 0x31 || version == 0x32; }
bool isFoxPro(std::uint8_t version) { return isVisualFoxPro(version) || version == 0xF5 || version == 0xFB; }

const char* codePageOfMark(std::uint8_t mark) {
    switch (mark) {
    case 0x01: case 0x09: case 0x0B: case 0x0D: case 0x0F: case 0x11: case 0x15: case 0x18:
    case 0x19: case 0x1B:
        return "cp437";
    case 0x02: case 0x0A: case 0x0E: case 0x10: case 0x12: case 0x14: case 0x16: case 0x1A:
    case 0x1D: case 0x25: case 0x37:
        return "cp850";
    case 0x1F: case 0x22: case 0x23: case 0x40: case 0x64: case 0x87:
        return "cp852";
    case 0x26: case 0x65:
        return "cp866";
    case 0x03: case 0x57: case 0x58: case 0x59:
        return "cp1252";
    case 0xC8:
        return "cp1250";
    case 0xC9:
        return "cp1251";
    default:
        return nullptr;
    }
}

// dBase 7 names its language driver ("DB866RU0", "DBWINUS0") at offset 32.
const char* codePageOfDriver(std::string_view driver) {
    static const std::pair<const char*, const char*> drivers[] = {
        {"866", "cp866"},     {"437", "cp437"},     {"850", "cp850"},     {"852", "cp852"},
        {"WINRU", "cp1251"},  {"ANSIRU", "cp1251"}, {"WINEE", "cp1250"},  {"WINCZ", "cp1250"},
        {"WINPL", "cp1250"},  {"WIN", "cp1252"},    {"ANSI", "cp1252"},
    };
    for (const auto& [part, page] : drivers) {
        if (driver.find(part) != std::string_view::npos)
            return page;
    }
    return nullptr;
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void civilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

void putDigits(char* to, unsigned value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        to[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

bool allDigits(const char* p, int n) {
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return false;
    }
    return true;
}

unsigned digitsValue(const char* p, int n) {
    unsigned v = 0;
    for (int i = 0; i < n; ++i)
        v = v * 10 + static_cast<unsigned>(p[i] - '0');
    return v;
}

constexpr double k_powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

DbfValue number(const char* p, std::size_t n, int decimals) {
    DbfValue v;
    std::size_t begin = 0;
    while (begin < n && isBlank(p[begin]))
        ++begin;
    while (n > begin && isBlank(p[n - 1]))
        --n;
    if (begin == n)
        return v;
    const char* s = p + begin;
    const std::size_t len = n - begin;

    std::size_t i = 0;
    const bool negative = s[0] == '-';
    if (s[0] == '-' || s[0] == '+')
        ++i;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = -1; // digits after the point, -1 when there is no point
    bool simple = i < len;
    for (; i < len && simple; ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
            if (++digits > 18)
                simple = false;
            if (fraction >= 0)
                ++fraction;
        } else if (c == '.' && fraction < 0) {
            fraction = 0;
        } else {
            simple = false;
        }
    }
    if (simple && digits > 0) {
        if (fraction < 0 && decimals == 0) {
            v.kind = DbfValue::Kind::Integer;
            v.integer = negative ? -static_cast<std::int64_t>(mantissa) : static_cast<std::int64_t>(mantissa);
            return v;
        }
        // Both operands exact, so the quotient is correctly rounded.
        if (mantissa < (std::uint64_t(1) << 53)) {
            const double r = static_cast<double>(mantissa) / k_powersOfTen[fraction < 0 ? 0 : fraction];
            v.kind = DbfValue::Kind::Real;
            v.real = negative ? -r : r;
            return v;
        }
    }
    double r = 0;
    const char* first = s[0] == '+' ? s + 1 : s;
    const auto [end, error] = std::from_chars(first, s + len, r);
    if (error != std::errc() || end != s + len)
        return v; // "*****" overflow marks and other damage read as null
    if (decimals == 0 && r == static_cast<double>(static_cast<std::int64_t>(r)) &&
        std::abs(r) < 9.2e18 && std::memchr(s, '.', len) == nullptr &&
        std::memchr(s, 'e', len) == nullptr && std::memchr(s, 'E', len) == nullptr) {
        v.kind = DbfValue::Kind::Integer;
        v.integer = static_cast<std::int64_t>(r);
        return v;
    }
    v.kind = DbfValue::Kind::Real;
    v.real = r;
    return v;
}

} // namespace

struct DbfTable::Layout {
    Decode decode = Decode::Blob;
    int offset = 0;
    int width = 0;
    int decimals = 0;
    int nullBit = -1;    // bit in _NullFlags set when the value is null
    int varyingBit = -1; // bit in _NullFlags set when a V/Q value is shorter than its width
};

DbfTable::~DbfTable() = default;

void DbfTable::damaged(const QString& what) const {
    throw UserError(QStringLiteral("Файл %1 поврежден: %2").arg(m_fileName, what));
}

QString DbfTable::formatName() const {
    switch (m_version) {
    case 0x03: return QStringLiteral("dBase III");
    case 0x83: return QStringLiteral("dBase III с примечаниями");
    case 0x04: return m_dBase7 ? QStringLiteral("dBase 7") : QStringLiteral("dBase IV");
    case 0x05: return QStringLiteral("dBase 5");
    case 0x7B: case 0x8B: case 0x8E: return QStringLiteral("dBase IV с примечаниями");
    case 0x8C: return QStringLiteral("dBase 7 с примечаниями");
    case 0xF5: return QStringLiteral("FoxPro 2");
    case 0xFB: return QStringLiteral("FoxBASE");
    case 0x30: case 0x31: case 0x32: return QStringLiteral("Visual FoxPro");
    default: return QStringLiteral("DBF (0x%1)").arg(m_version, 2, 16, QLatin1Char('0'));
    }
}

void DbfTable::parseHeader() {
    if (m_size < 32)
        damaged(QStringLiteral("файл короче заголовка таблицы (%1 байт из 32)").arg(m_size));
    m_version = static_cast<std::uint8_t>(m_data[0]);
    if (m_version == 0x02)
        throw UserError(QStringLiteral("Файл %1 записан в формате dBase II, который не поддерживается").arg(m_fileName));
    const int level = m_version & 0x07;
    if (!isVisualFoxPro(m_version) && level != 3 && level != 4 && level != 5)
        throw UserError(QStringLiteral("Файл %1 не является таблицей DBF (неизвестный тип 0x%2)")
                            .arg(m_fileName)
                            .arg(m_version, 2, 16, QLatin1Char('0')));
    m_recordCount = le32(m_data + 4);
    m_headerLength = le16(m_data + 8);
    m_recordLength = le16(m_data + 10);
    if (m_headerLength > m_size)
        damaged(QStringLiteral("файл обрезан: заголовок длиной %1 байт, а в файле %2 байт").arg(m_headerLength).arg(m_size));

    // dBase 7 has a 68-byte header and 48-byte descriptors; 0x04 is shared
    // with dBase IV, so the layout whose widths add up to the record is taken.
    auto layoutFits = [this](std::size_t first, std::size_t step, std::size_t widthAt) {
        std::size_t total = 1;
        for (std::size_t pos = first; pos < m_headerLength; pos += step) {
            if (m_data[pos] == 0x0D)
                return total == m_recordLength;
            if (pos + step > m_headerLength)
                return false;
            total += static_cast<unsigned char>(m_data[pos + widthAt]);
        }
        return false;
    };
    m_dBase7 = m_version == 0x8C ||
               (level == 4 && m_size >= 68 && layoutFits(68, 48, 33) && !layoutFits(32, 32, 16));
    const std::size_t first = m_dBase7 ? 68 : 32;
    const std::size_t step = m_dBase7 ? 48 : 32;

    std::size_t terminator = 0;
    std::size_t pos = first;
    for (; pos < m_size; pos += step) {
        if (m_data[pos] == 0x0D) {
            terminator = pos;
            break;
        }
        if (pos + step > m_size)
            break;
    }
    if (terminator == 0) {
        damaged(QStringLiteral("список описаний полей не завершен"));
    }
    if (terminator + 1 > m_headerLength)
        damaged(QStringLiteral("длина заголовка (%1 байт) не согласуется с описаниями полей (%2 байт)")
                    .arg(m_headerLength)
                    .arg(terminator + 1));

    const bool vfp = isVisualFoxPro(m_version);
    struct Raw {
        QByteArray name;
        char type;
        int width;
        int decimals;
        std::uint8_t flags;
    };
    std::vector<Raw> raw;
    for (std::size_t at = first; at < terminator; at += step) {
        const char* d = m_data + at;
        const std::size_t nameLength = m_dBase7 ? 32 : 11;
        const char* nameEnd = static_cast<const char*>(std::memchr(d, 0, nameLength));
        const std::string_view name = trimRight(d, nameEnd ? static_cast<std::size_t>(nameEnd - d) : nameLength);
        const std::size_t info = m_dBase7 ? 32 : 11;
        Raw r{QByteArray(name.data(), static_cast<qsizetype>(name.size())), d[info],
              static_cast<unsigned char>(d[info + (m_dBase7 ? 1 : 5)]),
              static_cast<unsigned char>(d[info + (m_dBase7 ? 2 : 6)]),
              static_cast<std::uint8_t>(m_dBase7 ? 0 : d[18])};
        raw.push_back(r);
    }

    // Clipper and Harbour keep a character width over 255 in the decimals byte.
    auto recordBytes = [&raw](bool wideCharacters) {
        std::size_t total = 1;
        for (const Raw& r : raw)
            total += static_cast<std::size_t>(r.type == 'C' && wideCharacters ? r.width + 256 * r.decimals : r.width);
        return total;
    };
    bool wideCharacters = false;
    if (recordBytes(false) != m_recordLength && recordBytes(true) == m_recordLength)
        wideCharacters = true;
    const std::size_t needed = recordBytes(wideCharacters);
    if (m_recordLength < needed)
        damaged(QStringLiteral("длина записи (%1 байт) не согласуется с описаниями полей (%2 байт)")
                    .arg(m_recordLength)
                    .arg(needed));

    int offset = 1;
    int bit = 0;
    for (const Raw& r : raw) {
        const int width = r.type == 'C' && wideCharacters ? r.width + 256 * r.decimals : r.width;
        const int decimals = r.type == 'C' && wideCharacters ? 0 : r.decimals;
        if (vfp && r.type == '0') { // _NullFlags: says, it is not a column
            m_nullFlagsOffset = offset;
            m_nullFlagsWidth = width;
            offset += width;
            continue;
        }
        DbfField f;
        f.name = QString::fromLatin1(r.name); // decoded again once the code page is known
        f.type = r.type;
        f.offset = offset;
        f.width = width;
        f.decimals = decimals;
        f.nullable = vfp && (r.flags & 0x02) != 0;

        Layout l;
        l.offset = offset;
        l.width = width;
        l.decimals = decimals;
        const bool binaryFlag = vfp && (r.flags & 0x04) != 0;
        const bool pointer = width == 4 || width == 10;
        auto exact = [width](int w, Decode d) { return width == w ? d : Decode::Blob; };
        switch (r.type) {
        case 'C': l.decode = Decode::Text; break;
        case 'V': l.decode = vfp ? Decode::VarText : Decode::Blob; break;
        case 'N': case 'F': l.decode = Decode::Number; break;
        case 'D': l.decode = exact(8, Decode::Date); break;
        case 'L': l.decode = width >= 1 ? Decode::Logical : Decode::Blob; break;
        case 'T': l.decode = width == 14 ? Decode::DateTimeText : exact(8, Decode::DateTime); break;
        case 'I': l.decode = exact(4, m_dBase7 ? Decode::Int32Flipped : Decode::Int32); break;
        case '+': l.decode = exact(4, Decode::Int32Flipped); break;
        case 'O': l.decode = exact(8, Decode::DoubleFlipped); break;
        case 'Y': l.decode = exact(8, Decode::Currency); break;
        case 'B':
            // Visual FoxPro: a double; dBase: a binary memo.
            l.decode = vfp ? exact(8, Decode::Double) : pointer ? Decode::BlobMemo : Decode::Blob;
            break;
        case 'M':
            l.decode = !pointer ? Decode::Blob : binaryFlag ? Decode::BlobMemo : Decode::TextMemo;
            break;
        case 'G': case 'P': case 'W':
            l.decode = pointer ? Decode::BlobMemo : Decode::Blob;
            break;
        case 'Q': l.decode = vfp ? Decode::VarBlob : Decode::Blob; break;
        default: l.decode = Decode::Blob; break;
        }
        f.binary = l.decode == Decode::Blob || l.decode == Decode::BlobMemo || l.decode == Decode::VarBlob;
        if (vfp) {
            if (r.type == 'V' || r.type == 'Q')
                l.varyingBit = bit++;
            if (f.nullable)
                l.nullBit = bit++;
        }
        offset += width;
        m_fields.push_back(std::move(f));
        m_layout.push_back(l);
    }
    if (m_fields.empty())
        damaged(QStringLiteral("в таблице нет полей"));
    // Bits the flags field cannot hold are never set.
    for (Layout& l : m_layout) {
        if (l.nullBit >= m_nullFlagsWidth * 8)
            l.nullBit = -1;
        if (l.varyingBit >= m_nullFlagsWidth * 8)
            l.varyingBit = -1;
    }

    m_records = m_data + m_headerLength;
    const std::size_t available = (m_size - m_headerLength) / m_recordLength;
    if (m_recordCount > available) {
        m_warnings.append(QStringLiteral("Файл %1 обрезан: в заголовке указано записей: %2, в файле есть: %3")
                              .arg(m_fileName)
                              .arg(m_recordCount)
                              .arg(available));
        m_recordCount = static_cast<std::uint32_t>(available);
    }
}

bool DbfTable::needsMemo() const {
    for (const Layout& l : m_layout) {
        if (l.decode == Decode::TextMemo || l.decode == Decode::BlobMemo)
            return true;
    }
    return false;
}

void DbfTable::attachMemo(QByteArray memo, MemoKind kind, const QString& memoName) {
    m_memoBuffer = std::move(memo);
    m_memo = m_memoBuffer.constData();
    m_memoSize = static_cast<std::size_t>(m_memoBuffer.size());
    attachMemoBytes(kind, memoName);
}

void DbfTable::attachMemoBytes(MemoKind kind, const QString& memoName) {
    m_memoKind = kind;
    m_memoName = memoName;
    if (kind == MemoKind::Fpt) {
        if (m_memoSize < 8)
            throw UserError(QStringLiteral("Файл %1 поврежден: файл короче заголовка").arg(m_memoName));
        m_memoBlockSize = static_cast<std::uint32_t>(static_cast<unsigned char>(m_memo[6]) << 8 | static_cast<unsigned char>(m_memo[7]));
        if (m_memoBlockSize == 0)
            m_memoBlockSize = 1;
        return;
    }
    m_memoBlockSize = 512;
    if (m_version != 0x83 && m_version != 0x03 && m_memoSize >= 22) {
        const std::uint32_t size = le16(m_memo + 20);
        if (size >= 32)
            m_memoBlockSize = size;
    }
}

std::string_view DbfTable::memoBytes(std::uint32_t record, const DbfField& field, const char* cell) const {
    std::uint64_t block = 0;
    if (field.width == 4) {
        block = le32(cell);
    } else {
        for (int i = 0; i < field.width; ++i) {
            const char c = cell[i];
            if (c >= '0' && c <= '9')
                block = block * 10 + static_cast<unsigned>(c - '0');
            else if (!isBlank(c))
                return {}; // not a block number: read as no memo
        }
    }
    if (block == 0)
        return {};
    auto outside = [&]() -> std::string_view {
        throw UserError(QStringLiteral("Файл %1 поврежден: поле %2 записи %3 ссылается за конец файла")
                            .arg(m_memoName, field.name)
                            .arg(record + 1));
    };
    const std::uint64_t at = block * m_memoBlockSize;
    if (m_memoKind == MemoKind::Fpt) {
        if (at + 8 > m_memoSize)
            return outside();
        const std::uint64_t length = be32(m_memo + at + 4);
        if (at + 8 + length > m_memoSize)
            return outside();
        return {m_memo + at + 8, static_cast<std::size_t>(length)};
    }
    if (at >= m_memoSize)
        return outside();
    const char* p = m_memo + at;
    const std::size_t rest = m_memoSize - static_cast<std::size_t>(at);
    if (rest >= 8 && static_cast<unsigned char>(p[0]) == 0xFF && static_cast<unsigned char>(p[1]) == 0xFF &&
        p[2] == 0x08 && p[3] == 0x00) {
        const std::uint32_t length = le32(p + 4); // the 8 bytes of the block header included
        if (length < 8)
            return {};
        if (length > rest)
            return outside();
        return {p + 8, length - 8};
    }
    const void* end = std::memchr(p, 0x1A, rest);
    return {p, end ? static_cast<std::size_t>(static_cast<const char*>(end) - p) : rest};
}

namespace {

DbfValue text(std::string_view bytes, const support::CodePage* codec, std::string& scratch) {
    DbfValue v;
    v.kind = DbfValue::Kind::Text;
    if (support::isAscii(bytes)) {
        v.bytes = bytes;
        return v;
    }
    scratch.clear();
    if (codec) {
        codec->appendUtf8(bytes, scratch);
    } else {
        if (support::isValidUtf8(bytes)) {
            v.bytes = bytes;
            return v;
        }
        support::appendSanitizedUtf8(bytes, scratch);
    }
    v.bytes = scratch;
    return v;
}

DbfValue blob(std::string_view bytes) {
    DbfValue v;
    v.kind = DbfValue::Kind::Blob;
    v.bytes = bytes;
    return v;
}

DbfValue integer(std::int64_t i) {
    DbfValue v;
    v.kind = DbfValue::Kind::Integer;
    v.integer = i;
    return v;
}

DbfValue real(double r) {
    DbfValue v;
    v.kind = DbfValue::Kind::Real;
    v.real = r;
    return v;
}

// "YYYYMMDD" or "YYYYMMDDhhmmss" as ISO text; null when it is not a date.
DbfValue isoDate(const char* digits, bool withTime, std::string& scratch) {
    if (!allDigits(digits, withTime ? 14 : 8))
        return {};
    const unsigned month = digitsValue(digits + 4, 2);
    const unsigned day = digitsValue(digits + 6, 2);
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return {};
    scratch.assign(withTime ? "0000-00-00 00:00:00" : "0000-00-00");
    std::memcpy(scratch.data(), digits, 4);
    std::memcpy(scratch.data() + 5, digits + 4, 2);
    std::memcpy(scratch.data() + 8, digits + 6, 2);
    if (withTime) {
        std::memcpy(scratch.data() + 11, digits + 8, 2);
        std::memcpy(scratch.data() + 14, digits + 10, 2);
        std::memcpy(scratch.data() + 17, digits + 12, 2);
    }
    DbfValue v;
    v.kind = DbfValue::Kind::Text;
    v.bytes = scratch;
    return v;
}

bool bitSet(const char* flags, int bit) {
    return (static_cast<unsigned char>(flags[bit >> 3]) >> (bit & 7)) & 1;
}

} // namespace

DbfValue DbfTable::value(std::uint32_t record, int field, std::string& scratch) const {
    if (record >= m_recordCount || field < 0 || static_cast<std::size_t>(field) >= m_layout.size())
        return {};
    const char* rec = recordData(record);
    const Layout& l = m_layout[static_cast<std::size_t>(field)];
    if (l.nullBit >= 0 && bitSet(rec + m_nullFlagsOffset, l.nullBit))
        return {};
    const char* cell = rec + l.offset;
    const auto width = static_cast<std::size_t>(l.width);
    switch (l.decode) {
    case Decode::Text:
        return text(trimRight(cell, width), m_codec, scratch);
    case Decode::VarText:
    case Decode::VarBlob: {
        std::size_t length = width;
        if (l.varyingBit >= 0 && width > 0 && bitSet(rec + m_nullFlagsOffset, l.varyingBit))
            length = std::min<std::size_t>(static_cast<unsigned char>(cell[width - 1]), width - 1);
        if (l.decode == Decode::VarBlob)
            return blob({cell, length});
        return text(trimRight(cell, length), m_codec, scratch);
    }
    case Decode::Number:
        return number(cell, width, l.decimals);
    case Decode::Date:
        return isoDate(cell, false, scratch);
    case Decode::DateTime: {
        const std::uint32_t julian = le32(cell);
        const std::uint32_t ms = le32(cell + 4);
        if (julian == 0 || julian == 0x20202020U)
            return {};
        // Milliseconds are often stored a hair under the second they mean.
        std::int64_t days = static_cast<std::int64_t>(julian) - 2440588;
        std::uint32_t seconds = (ms + 500) / 1000;
        if (seconds >= 86400) {
            days += seconds / 86400;
            seconds %= 86400;
        }
        std::int64_t y;
        unsigned m, d;
        civilFromDays(days, y, m, d);
        if (y < 0 || y > 9999)
            return {};
        char digits[14];
        putDigits(digits, static_cast<unsigned>(y), 4);
        putDigits(digits + 4, m, 2);
        putDigits(digits + 6, d, 2);
        putDigits(digits + 8, seconds / 3600, 2);
        putDigits(digits + 10, seconds / 60 % 60, 2);
        putDigits(digits + 12, seconds % 60, 2);
        return isoDate(digits, true, scratch);
    }
    case Decode::DateTimeText:
        return isoDate(cell, true, scratch);
    case Decode::Logical:
        switch (cell[0]) {
        case 'T': case 't': case 'Y': case 'y': return integer(1);
        case 'F': case 'f': case 'N': case 'n': return integer(0);
        default: return {};
        }
    case Decode::Int32:
        return integer(static_cast<std::int32_t>(le32(cell)));
    case Decode::Int32Flipped:
        return integer(static_cast<std::int32_t>(be32(cell) ^ 0x80000000U));
    case Decode::Double: {
        double r;
        std::memcpy(&r, cell, 8);
        return real(r);
    }
    case Decode::DoubleFlipped: {
        std::uint64_t bits = be64(cell);
        bits = (bits & 0x8000000000000000ULL) ? bits & 0x7FFFFFFFFFFFFFFFULL : ~bits;
        double r;
        std::memcpy(&r, &bits, 8);
        return real(r);
    }
    case Decode::Currency: {
        std::int64_t units;
        std::memcpy(&units, cell, 8);
        return real(static_cast<double>(units) / 10000.0);
    }
    case Decode::TextMemo: {
        const std::string_view bytes = memoBytes(record, m_fields[static_cast<std::size_t>(field)], cell);
        return text(trimRight(bytes.data(), bytes.size()), m_codec, scratch);
    }
    case Decode::BlobMemo:
        return blob(memoBytes(record, m_fields[static_cast<std::size_t>(field)], cell));
    case Decode::Blob:
        return blob({cell, width});
    }
    return {};
}

std::shared_ptr<const DbfTable> DbfTable::build(std::unique_ptr<DbfTable> table) {
    DbfTable& t = *table;
    const std::uint8_t mark = static_cast<std::uint8_t>(t.m_data[29]);
    const char* marked = codePageOfMark(mark);
    if (!marked && t.m_dBase7)
        marked = codePageOfDriver(trimRight(t.m_data + 32, 32));
    if (marked) {
        t.m_codec = support::CodePage::find(QLatin1String(marked));
        t.m_codePage = {QLatin1String(marked), false};
    } else {
        // Character fields of up to 2000 records spread over the table.
        support::CodePageGuesser guesser;
        const std::uint32_t samples = std::min<std::uint32_t>(t.m_recordCount, 2000);
        for (std::uint32_t i = 0; i < samples; ++i) {
            const auto record = static_cast<std::uint32_t>(std::uint64_t(i) * t.m_recordCount / samples);
            const char* rec = t.recordData(record);
            for (const Layout& l : t.m_layout) {
                if (l.decode == Decode::Text || l.decode == Decode::VarText)
                    guesser.add(trimRight(rec + l.offset, static_cast<std::size_t>(l.width)));
            }
        }
        const QString name = guesser.guess();
        t.m_codec = support::CodePage::find(name);
        t.m_codePage = {name, true};
    }
    // Field names in the table's own code page (some Russian tables have them).
    std::string scratch;
    for (DbfField& f : t.m_fields) {
        const QByteArray latin = f.name.toLatin1();
        const DbfValue v = text({latin.constData(), static_cast<std::size_t>(latin.size())}, t.m_codec, scratch);
        f.name = QString::fromUtf8(v.bytes.data(), static_cast<qsizetype>(v.bytes.size()));
    }
    return std::shared_ptr<const DbfTable>(table.release());
}

std::shared_ptr<const DbfTable> DbfTable::fromBuffer(QByteArray table, QByteArray memo, const QString& name) {
    std::unique_ptr<DbfTable> t(new DbfTable);
    t->m_path = name;
    t->m_fileName = QFileInfo(name).fileName();
    t->m_buffer = std::move(table);
    t->m_data = t->m_buffer.constData();
    t->m_size = static_cast<std::size_t>(t->m_buffer.size());
    t->parseHeader();
    if (t->needsMemo()) {
        const bool fox = isFoxPro(t->m_version);
        const QString memoName = QFileInfo(name).completeBaseName() + (fox ? QStringLiteral(".FPT") : QStringLiteral(".DBT"));
        if (memo.isEmpty())
            throw UserError(QStringLiteral("Файл %1: не найден файл примечаний %2").arg(t->m_fileName, memoName));
        t->attachMemo(std::move(memo), fox ? MemoKind::Fpt : MemoKind::Dbt, memoName);
    }
    return build(std::move(t));
}

namespace {

// Maps a whole file; falls back to reading it when it cannot be mapped.
void mapFile(QFile& file, const QString& fileName, QByteArray& buffer, const char*& data, std::size_t& size) {
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("Не удалось открыть файл %1: %2").arg(fileName, file.errorString()));
    const qint64 length = file.size();
    size = static_cast<std::size_t>(length);
    if (length == 0) {
        data = buffer.constData();
        return;
    }
    if (uchar* mapped = file.map(0, length)) {
        data = reinterpret_cast<const char*>(mapped);
        return;
    }
    buffer = file.readAll();
    if (buffer.size() != length)
        throw UserError(QStringLiteral("Не удалось прочитать файл %1: %2").arg(fileName, file.errorString()));
    data = buffer.constData();
}

// The memo file beside `table`, whatever the case of its name.
QString findMemoFile(const QFileInfo& table, bool foxPro) {
    const QString base = table.completeBaseName();
    const QString preferred = foxPro ? QStringLiteral("fpt") : QStringLiteral("dbt");
    const QString other = foxPro ? QStringLiteral("dbt") : QStringLiteral("fpt");
    const QDir dir = table.absoluteDir();
    for (const QString& ext : {preferred, preferred.toUpper()}) {
        const QString candidate = dir.filePath(base + QLatin1Char('.') + ext);
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    QString fallback;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& entry : entries) {
        const QFileInfo info(entry);
        if (info.completeBaseName().compare(base, Qt::CaseInsensitive) != 0)
            continue;
        if (info.suffix().compare(preferred, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
        if (info.suffix().compare(other, Qt::CaseInsensitive) == 0)
            fallback = dir.filePath(entry);
    }
    return fallback;
}

} // namespace

std::shared_ptr<const DbfTable> DbfTable::open(const QString& path) {
    std::unique_ptr<DbfTable> t(new DbfTable);
    const QFileInfo info(path);
    t->m_path = path;
    t->m_fileName = info.fileName();
    t->m_file = std::make_unique<QFile>(path);
    mapFile(*t->m_file, t->m_fileName, t->m_buffer, t->m_data, t->m_size);
    t->parseHeader();
    if (t->needsMemo()) {
        const bool fox = isFoxPro(t->m_version);
        const QString memoPath = findMemoFile(info, fox);
        if (memoPath.isEmpty()) {
            throw UserError(QStringLiteral("Файл %1: не найден файл примечаний %2")
                                .arg(t->m_fileName, info.completeBaseName() + (fox ? QStringLiteral(".FPT") : QStringLiteral(".DBT"))));
        }
        const QFileInfo memoInfo(memoPath);
        t->m_memoFile = std::make_unique<QFile>(memoPath);
        mapFile(*t->m_memoFile, memoInfo.fileName(), t->m_memoBuffer, t->m_memo, t->m_memoSize);
        const bool fpt = memoInfo.suffix().compare(QLatin1String("fpt"), Qt::CaseInsensitive) == 0;
        t->attachMemoBytes(fpt ? MemoKind::Fpt : MemoKind::Dbt, memoInfo.fileName());
    }
    return build(std::move(t));
}

} // namespace dbfquery::data
