#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace dbfquery::xls {

// A byte stream the workbook writer fills: positions are byte offsets from
// the stream's start; seeking back and writing overwrites in place. Failures
// are thrown by the implementation.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(const char* data, qint64 size) = 0;
    virtual qint64 position() const = 0;
    virtual void seek(qint64 position) = 0;
    virtual void seekToEnd() = 0;

    void write(const QByteArray& bytes) { write(bytes.constData(), bytes.size()); }
};

} // namespace dbfquery::xls
