// Feeds arbitrary bytes to the scanner, line by line and in every start
// state: each token must lie inside its line and the end of the line must
// always be reached.
#include "editor/TSqlHighlighter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static dbfquery::editor::TSqlHighlighter scanner;
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (int startState = 0; startState < 3; ++startState) {
        scanner.SetLineState(startState);
        std::size_t begin = 0;
        while (begin <= text.size()) {
            std::size_t end = text.find('\n', begin);
            if (end == std::string::npos)
                end = text.size();
            const std::string line = text.substr(begin, end - begin);
            const int length = int(std::char_traits<char>::length(line.c_str()));
            scanner.StartLine(line.c_str(), 0);
            int steps = 0;
            int previousEnd = 0;
            while (!scanner.AtLineEnd()) {
                const int start = scanner.TokenStart();
                const int tokenLength = int(scanner.TokenText().size());
                if (start != previousEnd || tokenLength <= 0 || start + tokenLength > length ||
                    ++steps > length)
                    std::abort();
                previousEnd = start + tokenLength;
                scanner.NextToken();
            }
            if (scanner.TokenStart() != length)
                std::abort();
            begin = end + 1;
        }
    }
    return 0;
}
