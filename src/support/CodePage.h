#pragma once

#include <QByteArray>
#include <QString>
#include <QAnyStringView>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dbfquery::support {

// Text encoded into a single-byte code page.
struct CodePageText {
    QByteArray bytes;   // characters the code page cannot hold are written as '?'
    QString unmappable; // those characters, each once, in order of first appearance
};

// A single-byte code page whose lower half is ASCII, decoded through 256-entry
// tables. Instances are immutable singletons: use them from any thread.
class CodePage {
public:
    // The code pages carried: "cp866", "cp1251", "koi8-r", "cp437", "cp850",
    // "cp852", "cp1250", "cp1252". Names are matched without regard to case;
    // "windows-1251", "ibm866" and "koi8r" are accepted too. Null for another name.
    static const CodePage* find(QAnyStringView name);
    static const CodePage& cp1251();
    static const CodePage& cp866();
    static const CodePage& koi8r();

    const QString& name() const { return m_name; }
    char16_t toUnicode(unsigned char byte) const { return m_unicode[byte]; }

    QString decode(std::string_view bytes) const;
    // Appends the UTF-8 form of `bytes` to `out`.
    void appendUtf8(std::string_view bytes, std::string& out) const {
        const std::size_t start = out.size();
        out.resize(start + bytes.size() * 3);
        char* to = out.data() + start;
        for (const char c : bytes) {
            const Utf8& u = m_utf8[static_cast<unsigned char>(c)];
            to[0] = u.bytes[0];
            to[1] = u.bytes[1];
            to[2] = u.bytes[2];
            to += u.length;
        }
        out.resize(static_cast<std::size_t>(to - out.data()));
    }
    CodePageText encode(QStringView text) const;

    CodePage(QString name, const char16_t (&upperHalf)[128]);
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

private:
    struct Utf8 {
        char bytes[3];
        std::uint8_t length;
    };
    QString m_name;
    std::array<char16_t, 256> m_unicode{};
    std::array<Utf8, 256> m_utf8{};
    std::vector<std::pair<char16_t, unsigned char>> m_toByte; // upper half, sorted by character
};

// UTF-8 helpers for text that comes as UTF-8 already.
bool isAscii(std::string_view bytes);
// Appends `bytes` to `out` with every invalid sequence replaced by U+FFFD.
void appendSanitizedUtf8(std::string_view bytes, std::string& out);
bool isValidUtf8(std::string_view bytes);

} // namespace dbfquery::support
