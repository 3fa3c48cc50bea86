#include "report/engine/ReportStreamReader.h"

#include "support/CodePage.h"

namespace dbfquery::report {

void ReportStreamReader::require(qsizetype count) const {
    if (count < 0 || m_at > m_size || count > m_size - m_at)
        throw ReportStreamError(
            QStringLiteral("Данные отчета повреждены: неожиданный конец данных (смещение %1)")
                .arg(m_at));
}

std::uint8_t ReportStreamReader::u8() {
    require(1);
    return static_cast<std::uint8_t>(m_data[m_at++]);
}

std::uint16_t ReportStreamReader::u16() {
    const std::uint16_t lo = u8();
    return static_cast<std::uint16_t>(lo | (u8() << 8));
}

std::int32_t ReportStreamReader::i32() {
    require(4);
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(m_data[m_at + i])) << (8 * i);
    m_at += 4;
    return static_cast<std::int32_t>(v);
}

QString ReportStreamReader::string() {
    const qsizetype length = u16();
    require(length + 1);
    QString text = support::CodePage::cp1251().decode(std::string_view(m_data + m_at, static_cast<size_t>(length)));
    m_at += length + 1; // the 0 byte after the text
    return text;
}

QStringList ReportStreamReader::stringList() {
    const std::uint16_t count = u16();
    QStringList lines;
    if (count == 0) {
        if (u8() != 0)
            throw ReportStreamError(
                QStringLiteral(
                    "Данные отчета повреждены: неверный конец списка строк (смещение %1)")
                    .arg(m_at - 1));
        return lines;
    }
    // The count is only a hint: lines go on until the 0 byte.
    while (true) {
        const qsizetype length = u16();
        require(length + 1);
        lines << support::CodePage::cp1251().decode(std::string_view(m_data + m_at, static_cast<size_t>(length)));
        m_at += length;
        const std::uint8_t separator = u8();
        if (separator == 0)
            return lines;
        if (separator != 13)
            throw ReportStreamError(
                QStringLiteral("Данные отчета повреждены: неверный разделитель строк (смещение %1)")
                    .arg(m_at - 1));
    }
}

float ReportStreamReader::frameWidth() {
    double v = i32();
    if (v <= 10)
        v *= 1000;
    return static_cast<float>(v / 1000);
}

} // namespace dbfquery::report
