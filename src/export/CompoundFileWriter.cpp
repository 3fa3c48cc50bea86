#include "export/CompoundFileWriter.h"

#include "export/RecordData.h"

#include <QIODevice>
#include <algorithm>
#include <vector>

namespace dbfquery::xls {

namespace {

constexpr std::uint32_t FREESECT = 0xFFFFFFFF;
constexpr std::uint32_t ENDOFCHAIN = 0xFFFFFFFE;
constexpr std::uint32_t FATSECT = 0xFFFFFFFD;
constexpr std::uint32_t DIFSECT = 0xFFFFFFFC;
constexpr std::uint32_t NOSTREAM = 0xFFFFFFFF;
constexpr qint64 SectorSize = 512;
constexpr qint64 MiniSectorSize = 64;
constexpr qint64 MiniStreamCutoff = 4096;
constexpr qint64 EntriesPerSector = SectorSize / 4;
constexpr qint64 HeaderDifatEntries = 109;

qint64 sectorsFor(qint64 bytes, qint64 unit) { return (bytes + unit - 1) / unit; }

struct Layout {
    qint64 fatSectors = 0, difatSectors = 0, dirSector = 0;
    qint64 miniFatSectors = 0, miniFatStart = 0;
    qint64 miniStreamSectors = 0, miniStreamStart = 0, miniSectors = 0;
    qint64 dataSectors = 0, dataStart = 0;
    qint64 total = 0;
};

Layout plan(qint64 streamSize) {
    Layout l;
    const bool mini = streamSize > 0 && streamSize < MiniStreamCutoff;
    if (mini) {
        l.miniSectors = sectorsFor(streamSize, MiniSectorSize);
        l.miniStreamSectors = sectorsFor(l.miniSectors * MiniSectorSize, SectorSize);
        l.miniFatSectors = sectorsFor(l.miniSectors * 4, SectorSize);
    } else {
        l.dataSectors = sectorsFor(streamSize, SectorSize);
    }
    const qint64 fixed = 1 + l.miniFatSectors + l.miniStreamSectors + l.dataSectors;
    // The FAT covers itself and the DIFAT, so grow both until they settle.
    l.fatSectors = 1;
    for (;;) {
        const qint64 total = fixed + l.fatSectors + l.difatSectors;
        const qint64 fat = sectorsFor(total, EntriesPerSector);
        const qint64 difat = fat > HeaderDifatEntries
                                 ? sectorsFor(fat - HeaderDifatEntries, EntriesPerSector - 1)
                                 : 0;
        if (fat == l.fatSectors && difat == l.difatSectors)
            break;
        l.fatSectors = std::max(fat, l.fatSectors);
        l.difatSectors = std::max(difat, l.difatSectors);
    }
    l.dirSector = l.fatSectors + l.difatSectors;
    l.miniFatStart = l.dirSector + 1;
    l.miniStreamStart = l.miniFatStart + l.miniFatSectors;
    l.dataStart = l.miniStreamStart + l.miniStreamSectors;
    l.total = l.dataStart + l.dataSectors;
    return l;
}

void chain(std::vector<std::uint32_t>& table, qint64 start, qint64 count) {
    for (qint64 i = 0; i < count; ++i)
        table[static_cast<std::size_t>(start + i)] =
            i + 1 < count ? static_cast<std::uint32_t>(start + i + 1) : ENDOFCHAIN;
}

std::uint32_t sectorOrEnd(qint64 count, qint64 start) {
    return count > 0 ? static_cast<std::uint32_t>(start) : ENDOFCHAIN;
}

void directoryEntry(RecordData& d, const QString& name, std::uint8_t type, std::uint32_t child,
                    std::uint32_t start, qint64 size) {
    const qsizetype at = d.size();
    d.utf16(name);
    d.fill(64 - (d.size() - at), 0);
    d.u16(name.isEmpty() ? 0 : static_cast<std::uint16_t>(2 * (name.size() + 1)));
    d.u8(type).u8(type == 0 ? 0 : 1);  // black
    d.u32(NOSTREAM).u32(NOSTREAM).u32(child);
    d.fill(16, 0);                      // CLSID
    d.u32(0);                           // state bits
    d.fill(16, 0);                      // creation and modification time
    d.u32(start).u32(static_cast<std::uint32_t>(size)).u32(0);
}

bool writeAll(QIODevice& out, const QByteArray& bytes) {
    return out.write(bytes) == bytes.size();
}

bool writePadded(QIODevice& out, const char* data, qint64 size, qint64 sectors, qint64 unit) {
    if (size > 0 && out.write(data, size) != size)
        return false;
    const qint64 padding = sectors * unit - size;
    return padding <= 0 || writeAll(out, QByteArray(padding, '\0'));
}

QByteArray tableBytes(const std::vector<std::uint32_t>& table) {
    RecordData d;
    for (std::uint32_t v : table)
        d.u32(v);
    return d.data();
}

} // namespace

CompoundFileWriter::CompoundFileWriter(QString streamName) : m_streamName(std::move(streamName)) {}

bool CompoundFileWriter::writeTo(QIODevice& out) const {
    const qint64 size = m_stream.size();
    const Layout l = plan(size);

    std::vector<std::uint32_t> fat(static_cast<std::size_t>(l.fatSectors * EntriesPerSector), FREESECT);
    for (qint64 i = 0; i < l.fatSectors; ++i)
        fat[static_cast<std::size_t>(i)] = FATSECT;
    for (qint64 i = 0; i < l.difatSectors; ++i)
        fat[static_cast<std::size_t>(l.fatSectors + i)] = DIFSECT;
    chain(fat, l.dirSector, 1);
    chain(fat, l.miniFatStart, l.miniFatSectors);
    chain(fat, l.miniStreamStart, l.miniStreamSectors);
    chain(fat, l.dataStart, l.dataSectors);

    RecordData header;
    header.bytes(QByteArray::fromHex("d0cf11e0a1b11ae1")).fill(16, 0);
    header.u16(0x003E).u16(0x0003).u16(0xFFFE).u16(9).u16(6).fill(6, 0);
    header.u32(0);  // directory sectors: always 0 in version 3
    header.u32(static_cast<std::uint32_t>(l.fatSectors));
    header.u32(static_cast<std::uint32_t>(l.dirSector));
    header.u32(0);  // transaction signature
    header.u32(static_cast<std::uint32_t>(MiniStreamCutoff));
    header.u32(sectorOrEnd(l.miniFatSectors, l.miniFatStart));
    header.u32(static_cast<std::uint32_t>(l.miniFatSectors));
    header.u32(sectorOrEnd(l.difatSectors, l.fatSectors));
    header.u32(static_cast<std::uint32_t>(l.difatSectors));
    for (qint64 i = 0; i < HeaderDifatEntries; ++i)
        header.u32(i < l.fatSectors ? static_cast<std::uint32_t>(i) : FREESECT);

    // FAT sector numbers past the header's 109, 127 to a DIFAT sector, each
    // ending with the next DIFAT sector's number.
    std::vector<std::uint32_t> difat;
    for (qint64 s = 0; s < l.difatSectors; ++s) {
        for (qint64 k = 0; k < EntriesPerSector - 1; ++k) {
            const qint64 fatIndex = HeaderDifatEntries + s * (EntriesPerSector - 1) + k;
            difat.push_back(fatIndex < l.fatSectors ? static_cast<std::uint32_t>(fatIndex) : FREESECT);
        }
        difat.push_back(s + 1 < l.difatSectors ? static_cast<std::uint32_t>(l.fatSectors + s + 1)
                                               : ENDOFCHAIN);
    }

    RecordData dir;
    const qint64 miniStreamSize = l.miniSectors * MiniSectorSize;
    directoryEntry(dir, QStringLiteral("Root Entry"), 5, 1,
                   sectorOrEnd(l.miniStreamSectors, l.miniStreamStart), miniStreamSize);
    const std::uint32_t streamStart = l.miniSectors > 0 ? 0 : sectorOrEnd(l.dataSectors, l.dataStart);
    directoryEntry(dir, m_streamName, 2, NOSTREAM, streamStart, size);
    directoryEntry(dir, QString(), 0, NOSTREAM, 0, 0);
    directoryEntry(dir, QString(), 0, NOSTREAM, 0, 0);

    std::vector<std::uint32_t> miniFat(static_cast<std::size_t>(l.miniFatSectors * EntriesPerSector),
                                       FREESECT);
    chain(miniFat, 0, l.miniSectors);

    const char* data = m_stream.bytes().constData();
    return writeAll(out, header.data()) && writeAll(out, tableBytes(fat)) &&
           writeAll(out, tableBytes(difat)) && writeAll(out, dir.data()) &&
           writeAll(out, tableBytes(miniFat)) &&
           (l.miniSectors == 0 ||
            writePadded(out, data, size, l.miniStreamSectors, SectorSize)) &&
           (l.dataSectors == 0 || writePadded(out, data, size, l.dataSectors, SectorSize));
}

} // namespace dbfquery::xls
