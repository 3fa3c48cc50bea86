// Feeds the DBF reader damaged tables. The input is the table's bytes,
// optionally followed by the separator and the memo file's bytes.
#include "data/DbfTable.h"
#include "support/UserError.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {
constexpr std::string_view k_separator = "@@MEMO@@";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dbfquery;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find(k_separator);
    const std::string_view table = input.substr(0, split);
    const std::string_view memo =
        split == std::string_view::npos ? std::string_view() : input.substr(split + k_separator.size());
    try {
        const auto t = data::DbfTable::fromBuffer(QByteArray(table.data(), static_cast<qsizetype>(table.size())),
                                                  QByteArray(memo.data(), static_cast<qsizetype>(memo.size())),
                                                  QStringLiteral("FUZZ.DBF"));
        (void)t->formatName();
        std::string scratch;
        std::size_t sink = 0;
        const std::uint32_t records = std::min<std::uint32_t>(t->recordCount(), 2000);
        for (std::uint32_t r = 0; r < records; ++r) {
            sink += t->isDeleted(r);
            for (int f = 0; f < static_cast<int>(t->fields().size()); ++f) {
                try {
                    const data::DbfValue v = t->value(r, f, scratch);
                    // Touch every byte the value points at.
                    for (const char c : v.bytes)
                        sink += static_cast<unsigned char>(c);
                } catch (const support::UserError&) {
                }
            }
        }
        if (sink == 1)
            return 0;
    } catch (const support::UserError&) {
    }
    return 0;
}
