#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace dbfquery::support {

// Tells the code page of unmarked text from its bytes: valid multi-byte UTF-8,
// or Russian in cp866, cp1251 or KOI8-R told apart by letter statistics.
// Feed it values one by one, then ask. Not thread-safe; cheap to make.
class CodePageGuesser {
public:
    CodePageGuesser();

    // One value's bytes. A UTF-8 sequence cut at the end of a value (a field
    // too narrow for it) does not count against UTF-8.
    void add(std::string_view bytes);

    // "utf-8", "cp866", "cp1251" or "koi8-r"; "cp1251" when nothing tells.
    QString guess() const;
    bool sawNonAscii() const { return m_highBytes > 0; }

private:
    std::array<std::uint64_t, 128> m_single{};  // counts of bytes 0x80..0xFF
    std::vector<std::uint32_t> m_pairs;         // [first - 0x80][second - 0x80], adjacent high bytes
    std::uint64_t m_highBytes = 0;
    std::uint64_t m_utf8Sequences = 0;
    std::uint64_t m_utf8Invalid = 0;
};

} // namespace dbfquery::support
