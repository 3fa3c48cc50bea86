#include "report/engine/ReportStreamWriter.h"

#include "support/CodePage.h"
#include "support/Rounding.h"

#include <algorithm>
#include <cmath>

namespace dbfquery::report {
namespace {

QByteArray limited(const QString& text) {
    QByteArray bytes = support::CodePage::cp1251().encode(text).bytes;
    if (bytes.size() > 0xFFFF)
        bytes.truncate(0xFFFF);
    return bytes;
}

} // namespace

void ReportStreamWriter::u16(std::uint16_t v) {
    u8(static_cast<std::uint8_t>(v & 0xFF));
    u8(static_cast<std::uint8_t>(v >> 8));
}

void ReportStreamWriter::i32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8)
        u8(static_cast<std::uint8_t>((u >> shift) & 0xFF));
}

void ReportStreamWriter::string(const QString& text) {
    const QByteArray bytes = limited(text);
    u16(static_cast<std::uint16_t>(bytes.size()));
    m_out.append(bytes);
    u8(0);
}

void ReportStreamWriter::stringList(const QStringList& lines) {
    u16(static_cast<std::uint16_t>(std::min<qsizetype>(lines.size(), 0xFFFF)));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            u8(13);
        const QByteArray bytes = limited(lines[i]);
        u16(static_cast<std::uint16_t>(bytes.size()));
        m_out.append(bytes);
    }
    u8(0);
}

void ReportStreamWriter::frameWidth(float width) {
    // A whole width above 10 would read back divided by 1000, so only small
    // whole widths are stored as they are.
    const double w = width;
    if (w == std::floor(w) && std::fabs(w) <= 10)
        i32(static_cast<std::int32_t>(w));
    else
        i32(static_cast<std::int32_t>(support::roundHalfEven(w * 1000)));
}

void ReportStreamWriter::patchI32(qsizetype at, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        m_out[at + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

} // namespace dbfquery::report
