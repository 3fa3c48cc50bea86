#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace dbfquery::report {

// Appends little-endian values, strings and string lists to a byte array in
// the layout of report streams.
class ReportStreamWriter {
public:
    explicit ReportStreamWriter(QByteArray& out) : m_out(out) {}

    void u8(std::uint8_t v) { m_out.append(static_cast<char>(v)); }
    void u16(std::uint16_t v);
    void i32(std::int32_t v);
    void u32(std::uint32_t v) { i32(static_cast<std::int32_t>(v)); }
    // 16-bit length, Windows-1251 bytes, one 0 byte. Longer texts are cut
    // at 65535 bytes so the length field stays true.
    void string(const QString& text);
    // 16-bit count; each line as 16-bit length and bytes, 13 between lines;
    // one 0 byte after the last (an empty list: count 0, then the 0 byte).
    void stringList(const QStringList& lines);
    // Whole widths up to 10 as the number, others as round(width x 1000).
    void frameWidth(float width);

    qsizetype position() const { return m_out.size(); }
    void patchI32(qsizetype at, std::int32_t v);

private:
    QByteArray& m_out;
};

} // namespace dbfquery::report
