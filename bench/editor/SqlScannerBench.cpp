// Scans a generated SQL text line by line, the way the editor colours it,
// and prints the speed in MB/s with a checksum of every token seen.
//
//   bench_sql_scanner [--size LINES] [--seed N] [--rounds N]

#include "editor/TSqlHighlighter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using dbfquery::editor::TSqlHighlighter;

namespace {

// The Cyrillic pieces are UTF-8 here; to the scanner they are just bytes above 127.
std::vector<std::string> makeText(int lines, unsigned seed) {
    static const char* const pieces[] = {
        "select ", "from ", "where ", "order by ", "group by ", "and ", "or ", "not ",
        "CUSTOMER.NAME", "sum(AMOUNT)", "count(*)", "@limit", ":param", "= ", "<> ", ">= ",
        "'Иванов' ", "'open string ", "\"quoted \"\"name\"\"\" ", "123.45 ", "1..5 ", "3-4 ",
        "/* block ", "comment */ ", "-- trailing note", "ORDERS.DATE_ ", "#tmp ", "\t", "  ",
        "(", ")", ", ", "; ", "between ", "like ", "Сумма_итого "};
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> pick(0, int(std::size(pieces)) - 1);
    std::uniform_int_distribution<int> count(0, 14);
    std::vector<std::string> text;
    text.reserve(lines);
    for (int i = 0; i < lines; ++i) {
        std::string line;
        for (int n = count(rng); n > 0; --n)
            line += pieces[pick(rng)];
        text.push_back(std::move(line));
    }
    return text;
}
} // namespace

int main(int argc, char** argv) {
    int lines = 10000;
    unsigned seed = 1;
    int rounds = 50;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--size"))
            lines = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--seed"))
            seed = unsigned(std::strtoul(argv[i + 1], nullptr, 10));
        else if (!std::strcmp(argv[i], "--rounds"))
            rounds = std::atoi(argv[i + 1]);
    }
    const std::vector<std::string> text = makeText(lines, seed);
    std::size_t bytes = 0;
    for (const std::string& l : text)
        bytes += l.size() + 1;

    TSqlHighlighter h;
    std::uint64_t checksum = 1469598103934665603ull;
    long long tokens = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int r = 0; r < rounds; ++r) {
        h.ResetLineState();
        for (int i = 0; i < int(text.size()); ++i) {
            h.StartLine(text[i].c_str(), i);
            for (; !h.AtLineEnd(); h.NextToken()) {
                if (r == 0) {
                    checksum = (checksum ^ std::uint64_t(h.TokenKind() << 16 | h.TokenStart())) *
                               1099511628211ull;
                    ++tokens;
                }
            }
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double mb = double(bytes) * rounds / 1e6;
    std::printf("scan %d lines x %d rounds: %.1f MB/s  (%lld tokens, checksum %016llx)\n",
                lines, rounds, mb / seconds, tokens, static_cast<unsigned long long>(checksum));
    return 0;
}
