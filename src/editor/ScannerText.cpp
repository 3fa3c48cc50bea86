#include "editor/ScannerText.h"

namespace dbfquery::editor {

namespace {
constexpr unsigned char kOtherHighByte = 0xA0; // no-break space in the code page
}

unsigned char scannerByte(char32_t cp) {
    if (cp == 0)
        return ' ';
    if (cp < 0x80)
        return static_cast<unsigned char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) // А..я
        return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    if (cp == 0x0401) // Ё
        return 0xA8;
    if (cp == 0x0451) // ё
        return 0xB8;
    return kOtherHighByte;
}

QByteArray scannerBytes(QStringView text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        out.append(static_cast<char>(scannerByte(cp)));
    }
    return out;
}

QByteArray scannerBytesFromUtf8(const char* utf8, int length, std::vector<int>* widths) {
    QByteArray out;
    out.reserve(length);
    if (widths)
        widths->clear();
    const auto* s = reinterpret_cast<const unsigned char*>(utf8);
    int i = 0;
    while (i < length) {
        const unsigned char lead = s[i];
        int width = 1;
        char32_t cp = lead;
        if (lead >= 0xC2 && lead <= 0xF4) {
            const int need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            if (i + need <= length) {
                char32_t value = lead & (0x7F >> need);
                bool ok = true;
                for (int k = 1; k < need; ++k) {
                    if ((s[i + k] & 0xC0) != 0x80) {
                        ok = false;
                        break;
                    }
                    value = value << 6 | (s[i + k] & 0x3F);
                }
                if (ok) {
                    width = need;
                    cp = value;
                }
            }
        }
        out.append(static_cast<char>(scannerByte(cp)));
        if (widths)
            widths->push_back(width);
        i += width;
    }
    return out;
}

} // namespace dbfquery::editor
