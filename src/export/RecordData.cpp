#include "export/RecordData.h"

#include <bit>
#include <cstring>

namespace dbfquery::xls {

RecordData& RecordData::f64(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    return u32(static_cast<std::uint32_t>(bits)).u32(static_cast<std::uint32_t>(bits >> 32));
}

RecordData& RecordData::utf16(const QString& text) {
    const qsizetype at = m_bytes.size();
    m_bytes.resize(at + 2 * text.size());
    char* out = m_bytes.data() + at;
    for (QChar c : text) {
        *out++ = static_cast<char>(c.unicode() & 0xFF);
        *out++ = static_cast<char>(c.unicode() >> 8);
    }
    return *this;
}

} // namespace dbfquery::xls
