#pragma once

#include "support/UserError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace dbfquery::report {

// A damaged report stream or ".prp" file; the message is for the user.
class ReportStreamError : public support::UserError {
public:
    using support::UserError::UserError;
};

// Reads the layout ReportStreamWriter writes from a byte range. Every read
// is bounds-checked: reading past the end throws ReportStreamError.
class ReportStreamReader {
public:
    ReportStreamReader(const char* data, qsizetype size) : m_data(data), m_size(size) {}
    explicit ReportStreamReader(const QByteArray& bytes)
        : ReportStreamReader(bytes.constData(), bytes.size()) {}

    std::uint8_t u8();
    std::uint16_t u16();
    std::int32_t i32();
    std::uint32_t u32() { return static_cast<std::uint32_t>(i32()); }
    QString string();
    QStringList stringList();
    float frameWidth();

    qsizetype position() const { return m_at; }
    qsizetype size() const { return m_size; }
    bool atEnd() const { return m_at >= m_size; }
    void seek(qsizetype at) { m_at = at; }
    const char* data() const { return m_data; }
    // Throws unless `count` more bytes are there.
    void require(qsizetype count) const;

private:
    const char* m_data;
    qsizetype m_size;
    qsizetype m_at = 0;
};

} // namespace dbfquery::report
