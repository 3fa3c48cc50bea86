#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace dbfquery::testing {

// Builds a small DBF table in memory, byte by byte, for tests that need a
// table shaped just so (damaged ones included).
struct DbfBuilderField {
    const char* name;
    char type;
    int width;
    int decimals = 0;
    std::uint8_t flags = 0; // Visual FoxPro: 0x01 system, 0x02 nullable, 0x04 binary
};

// `records` hold whole records, deletion flag first. Visual FoxPro versions
// (0x30..0x32) get the 263-byte backlink area after the terminator.
inline QByteArray buildDbf(std::uint8_t version, const std::vector<DbfBuilderField>& fields,
                           const std::vector<QByteArray>& records, std::uint8_t mark = 0) {
    const bool vfp = version >= 0x30 && version <= 0x32;
    int recordLength = 1;
    for (const DbfBuilderField& f : fields)
        recordLength += f.width;
    const int headerLength = 32 + 32 * static_cast<int>(fields.size()) + 1 + (vfp ? 263 : 0);
    QByteArray bytes(32, '\0');
    bytes[0] = static_cast<char>(version);
    bytes[1] = 124;
    bytes[2] = 1;
    bytes[3] = 2;
    const auto count = static_cast<std::uint32_t>(records.size());
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<char>(count >> (8 * i));
    bytes[8] = static_cast<char>(headerLength & 0xFF);
    bytes[9] = static_cast<char>(headerLength >> 8);
    bytes[10] = static_cast<char>(recordLength & 0xFF);
    bytes[11] = static_cast<char>(recordLength >> 8);
    bytes[29] = static_cast<char>(mark);
    int offset = 1;
    for (const DbfBuilderField& f : fields) {
        QByteArray d(32, '\0');
        const QByteArray name(f.name);
        d.replace(0, static_cast<int>(name.size()), name);
        d[11] = f.type;
        for (int i = 0; i < 4; ++i)
            d[12 + i] = static_cast<char>(offset >> (8 * i));
        d[16] = static_cast<char>(f.width);
        d[17] = static_cast<char>(f.decimals);
        d[18] = static_cast<char>(f.flags);
        bytes += d;
        offset += f.width;
    }
    bytes += '\x0D';
    if (vfp)
        bytes += QByteArray(263, '\0');
    for (const QByteArray& r : records)
        bytes += r;
    bytes += '\x1A';
    return bytes;
}

// A Visual FoxPro .fpt memo file: 512-byte header, then one block per text.
inline QByteArray buildFpt(const std::vector<QByteArray>& memos, int blockSize = 64) {
    QByteArray bytes(512, '\0');
    bytes[6] = static_cast<char>(blockSize >> 8);
    bytes[7] = static_cast<char>(blockSize & 0xFF);
    for (const QByteArray& m : memos) {
        QByteArray block(8, '\0');
        block[3] = 1; // text
        const auto n = static_cast<std::uint32_t>(m.size());
        for (int i = 0; i < 4; ++i)
            block[4 + i] = static_cast<char>(n >> (8 * (3 - i)));
        block += m;
        while (block.size() % blockSize != 0)
            block += '\0';
        bytes += block;
    }
    return bytes;
}

// A little-endian 32-bit value, as Visual FoxPro stores I and memo pointers.
inline QByteArray le32(std::uint32_t v) {
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>(v >> (8 * i));
    return b;
}

} // namespace dbfquery::testing
