#pragma once

#include "export/MemorySink.h"

#include <QString>

class QIODevice;

namespace dbfquery::xls {

// A compound file (version 3, 512-byte sectors) whose root storage holds one
// stream. The stream is filled in memory through stream(); writeTo() lays
// out the container: header, FAT (with DIFAT sectors past 109 FAT sectors),
// directory, and for a stream under 4096 bytes the mini FAT and mini stream.
// Knows nothing of what the stream holds. Time stamps are zero, so equal
// streams give equal files.
class CompoundFileWriter {
public:
    explicit CompoundFileWriter(QString streamName);

    ByteSink& stream() { return m_stream; }
    const QByteArray& streamBytes() const { return m_stream.bytes(); }

    // False when the device refuses a write.
    bool writeTo(QIODevice& out) const;

private:
    QString m_streamName;
    MemorySink m_stream;
};

} // namespace dbfquery::xls
