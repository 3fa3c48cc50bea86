#include "export/MemorySink.h"

#include <cstring>
#include <stdexcept>

namespace dbfquery::xls {

void MemorySink::write(const char* data, qint64 size) {
    if (size <= 0)
        return;
    if (m_position == m_bytes.size()) {
        m_bytes.append(data, size);
    } else {
        if (m_position + size > m_bytes.size())
            m_bytes.resize(m_position + size);
        std::memcpy(m_bytes.data() + m_position, data, static_cast<std::size_t>(size));
    }
    m_position += size;
}

void MemorySink::seek(qint64 position) {
    if (position < 0 || position > m_bytes.size())
        throw std::out_of_range("MemorySink::seek outside the stream");
    m_position = position;
}

void MemorySink::clear() {
    m_bytes.clear();
    m_position = 0;
}

} // namespace dbfquery::xls
