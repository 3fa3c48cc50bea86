#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace dbfquery::xls {

// Little-endian builder for the data of one record.
class RecordData {
public:
    RecordData& u8(std::uint8_t v) { m_bytes.append(static_cast<char>(v)); return *this; }
    RecordData& u16(std::uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    RecordData& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    RecordData& f64(double v);
    // The text as UTF-16LE units, no prefix.
    RecordData& utf16(const QString& text);
    RecordData& bytes(const QByteArray& b) { m_bytes.append(b); return *this; }
    RecordData& fill(qsizetype count, char byte) { m_bytes.append(count, byte); return *this; }

    const QByteArray& data() const { return m_bytes; }
    qsizetype size() const { return m_bytes.size(); }

private:
    QByteArray m_bytes;
};

} // namespace dbfquery::xls
