#include "support/CodePage.h"

#include "support/CodePageTables.h"

#include <algorithm>
#include <cstring>

namespace dbfquery::support {

namespace {

// Built on first use, so code running before main() may use them too.
#define DBFQUERY_CODE_PAGE(function, name, table)                                                  \
    const CodePage& function() {                                                                   \
        static const CodePage page(QStringLiteral(name), codepage_tables::table);                 \
        return page;                                                                               \
    }
DBFQUERY_CODE_PAGE(cp437Page, "cp437", k_cp437)
DBFQUERY_CODE_PAGE(cp850Page, "cp850", k_cp850)
DBFQUERY_CODE_PAGE(cp852Page, "cp852", k_cp852)
DBFQUERY_CODE_PAGE(cp1250Page, "cp1250", k_cp1250)
DBFQUERY_CODE_PAGE(cp1252Page, "cp1252", k_cp1252)
#undef DBFQUERY_CODE_PAGE

struct Alias {
    const char* name;
    const CodePage& (*page)();
};

} // namespace

const CodePage& CodePage::cp1251() {
    static const CodePage page(QStringLiteral("cp1251"), codepage_tables::k_cp1251);
    return page;
}
const CodePage& CodePage::cp866() {
    static const CodePage page(QStringLiteral("cp866"), codepage_tables::k_cp866);
    return page;
}
const CodePage& CodePage::koi8r() {
    static const CodePage page(QStringLiteral("koi8-r"), codepage_tables::k_koi8r);
    return page;
}

CodePage::CodePage(QString name, const char16_t (&upperHalf)[128]) : m_name(std::move(name)) {
    for (int byte = 0; byte < 256; ++byte) {
        const char16_t c = byte < 128 ? char16_t(byte) : upperHalf[byte - 128];
        m_unicode[byte] = c;
        Utf8& u = m_utf8[byte];
        if (c < 0x80) {
            u = {{char(c), 0, 0}, 1};
        } else if (c < 0x800) {
            u = {{char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F)), 0}, 2};
        } else {
            u = {{char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))}, 3};
        }
        if (byte >= 128)
            m_toByte.emplace_back(c, static_cast<unsigned char>(byte));
    }
    std::sort(m_toByte.begin(), m_toByte.end());
}

const CodePage* CodePage::find(QAnyStringView name) {
    static const Alias aliases[] = {
        {"cp866", &CodePage::cp866},   {"ibm866", &CodePage::cp866},    {"866", &CodePage::cp866},
        {"cp1251", &CodePage::cp1251}, {"windows-1251", &CodePage::cp1251}, {"1251", &CodePage::cp1251},
        {"koi8-r", &CodePage::koi8r},  {"koi8r", &CodePage::koi8r},
        {"cp437", &cp437Page},         {"ibm437", &cp437Page},
        {"cp850", &cp850Page},         {"ibm850", &cp850Page},
        {"cp852", &cp852Page},         {"ibm852", &cp852Page},
        {"cp1250", &cp1250Page},       {"windows-1250", &cp1250Page},
        {"cp1252", &cp1252Page},       {"windows-1252", &cp1252Page},
    };
    for (const Alias& alias : aliases) {
        if (QAnyStringView::compare(name, QLatin1String(alias.name), Qt::CaseInsensitive) == 0)
            return &alias.page();
    }
    return nullptr;
}

QString CodePage::decode(std::string_view bytes) const {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* to = text.data();
    for (const char c : bytes)
        *to++ = QChar(m_unicode[static_cast<unsigned char>(c)]);
    return text;
}

CodePageText CodePage::encode(QStringView text) const {
    CodePageText result;
    result.bytes.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x80) {
            result.bytes.append(char(c));
            continue;
        }
        const auto it = std::lower_bound(m_toByte.begin(), m_toByte.end(), std::make_pair(c, static_cast<unsigned char>(0)));
        if (it != m_toByte.end() && it->first == c) {
            result.bytes.append(static_cast<char>(it->second));
            continue;
        }
        result.bytes.append('?');
        if (!result.unmappable.contains(ch))
            result.unmappable.append(ch);
    }
    return result;
}

bool isAscii(std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t n = bytes.size();
    std::uint64_t any = 0;
    for (; n >= 8; n -= 8, p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        any |= word;
    }
    for (; n > 0; --n, ++p)
        any |= static_cast<unsigned char>(*p);
    return (any & 0x8080808080808080ULL) == 0;
}

namespace {

// Length of the valid UTF-8 sequence at `p`, or 0 when it is not one.
std::size_t utf8SequenceLength(const unsigned char* p, std::size_t available) {
    const unsigned char b = p[0];
    if (b < 0x80)
        return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0)
            low = 0xA0;
        if (b == 0xED)
            high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0)
            low = 0x90;
        if (b == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (available < length || p[1] < low || p[1] > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

} // namespace

void appendSanitizedUtf8(std::string_view bytes, std::string& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t n = bytes.size();
    while (n > 0) {
        const std::size_t length = utf8SequenceLength(p, n);
        if (length == 0) {
            out.append("\xEF\xBF\xBD");
            ++p;
            --n;
            continue;
        }
        out.append(reinterpret_cast<const char*>(p), length);
        p += length;
        n -= length;
    }
}

bool isValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t n = bytes.size();
    while (n > 0) {
        const std::size_t length = utf8SequenceLength(p, n);
        if (length == 0)
            return false;
        p += length;
        n -= length;
    }
    return true;
}

} // namespace dbfquery::support
