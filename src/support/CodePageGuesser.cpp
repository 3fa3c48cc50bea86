#include "support/CodePageGuesser.h"

#include "support/CodePage.h"

#include <cmath>

namespace dbfquery::support {

namespace {

// Frequency of each Russian letter per 10000 letters, а..я, then ё.
constexpr double k_letterFrequency[33] = {
    801, 159, 454, 170, 298, 845, 94, 165, 735, 121, 349, 440, 321, 670, 1097, 281,
    473, 547, 626, 262, 26, 97, 48, 144, 73, 36, 4, 190, 174, 32, 64, 201, 4};

struct Letter {
    int index = -1; // into k_letterFrequency, or -1 when not a Russian letter
    bool upper = false;
};

Letter classify(char16_t c) {
    if (c >= 0x0410 && c <= 0x042F)
        return {c - 0x0410, true};
    if (c >= 0x0430 && c <= 0x044F)
        return {c - 0x0430, false};
    if (c == 0x0401)
        return {32, true};
    if (c == 0x0451)
        return {32, false};
    return {};
}

// Log-likelihood weight of one decoded high byte.
double weight(char16_t c) {
    const Letter letter = classify(c);
    if (letter.index >= 0)
        return std::log(k_letterFrequency[letter.index] / 10000.0);
    if (c >= 0x2500 && c <= 0x25FF)
        return -14; // box drawing: never in a name or a city
    return -8;      // punctuation, signs, letters of other alphabets
}

double score(const CodePage& page, const std::array<std::uint64_t, 128>& single,
             const std::vector<std::uint32_t>& pairs) {
    double total = 0;
    Letter letters[128];
    for (int i = 0; i < 128; ++i) {
        const char16_t c = page.toUnicode(static_cast<unsigned char>(0x80 + i));
        letters[i] = classify(c);
        if (single[i] != 0)
            total += static_cast<double>(single[i]) * weight(c);
    }
    // Lower case followed by upper case inside a word is rare in real text;
    // it tells KOI8-R from cp1251, which hold the same letters in swapped cases.
    for (int a = 0; a < 128; ++a) {
        if (letters[a].index < 0 || letters[a].upper)
            continue;
        for (int b = 0; b < 128; ++b) {
            const std::uint32_t n = pairs[static_cast<std::size_t>(a * 128 + b)];
            if (n != 0 && letters[b].index >= 0 && letters[b].upper)
                total -= 4.0 * n;
        }
    }
    return total;
}

} // namespace

CodePageGuesser::CodePageGuesser() : m_pairs(128 * 128, 0) {}

void CodePageGuesser::add(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    bool any = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (p[i] < 0x80)
            continue;
        any = true;
        ++m_highBytes;
        ++m_single[p[i] - 0x80];
        if (i + 1 < n && p[i + 1] >= 0x80)
            ++m_pairs[static_cast<std::size_t>((p[i] - 0x80) * 128 + (p[i + 1] - 0x80))];
    }
    if (!any)
        return;

    // The UTF-8 reading of the same bytes.
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        if (i + length > n) {
            // Cut by the field's width: fine when what is there is well formed.
            bool wellFormed = b >= 0xC2 && b <= 0xF4;
            for (std::size_t k = i + 1; k < n; ++k)
                wellFormed = wellFormed && (p[k] & 0xC0) == 0x80;
            if (!wellFormed)
                ++m_utf8Invalid;
            return;
        }
        if (isValidUtf8(bytes.substr(i, length))) {
            ++m_utf8Sequences;
            i += length;
        } else {
            ++m_utf8Invalid;
            ++i;
        }
    }
}

QString CodePageGuesser::guess() const {
    if (m_highBytes == 0)
        return CodePage::cp1251().name();
    if (m_utf8Sequences > 0 && m_utf8Invalid == 0)
        return QStringLiteral("utf-8");
    const CodePage* best = &CodePage::cp1251();
    double bestScore = score(*best, m_single, m_pairs);
    for (const CodePage* page : {&CodePage::cp866(), &CodePage::koi8r()}) {
        const double s = score(*page, m_single, m_pairs);
        if (s > bestScore) {
            bestScore = s;
            best = page;
        }
    }
    return best->name();
}

} // namespace dbfquery::support
