#pragma once

#include "export/ByteSink.h"

namespace dbfquery::xls {

// A ByteSink over memory: writing past the end grows it.
class MemorySink : public ByteSink {
public:
    void write(const char* data, qint64 size) override;
    using ByteSink::write;
    qint64 position() const override { return m_position; }
    void seek(qint64 position) override;
    void seekToEnd() override { m_position = m_bytes.size(); }

    const QByteArray& bytes() const { return m_bytes; }
    qint64 size() const { return m_bytes.size(); }
    void clear();

private:
    QByteArray m_bytes;
    qint64 m_position = 0;
};

} // namespace dbfquery::xls
