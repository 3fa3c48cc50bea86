#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace dbfquery::bench {

// A small DBF writer for generated data: dBase III (0x03, 0x83 with .dbt),
// FoxPro 2 (0xF5, .fpt) and Visual FoxPro (0x30, .fpt) tables of the field
// types C N D L I Y T B M. Text arrives already in the table's code page.
// Writes straight to the files, record by record, so a million rows need
// no memory.
class BenchDbfWriter {
public:
    struct Field {
        std::string name; // up to 10 ASCII characters
        char type;        // C N D L I Y T B M
        int width = 0;    // C, N; the others have fixed widths
        int decimals = 0;
    };
    // One cell: text for C (code-page bytes), N (already formatted or
    // empty), D ("YYYYMMDD" or empty), L ("T", "F" or empty), M (memo text or
    // empty); number for I, Y, B; T as a date "YYYYMMDD" plus milliseconds.
    struct Value {
        std::string text;
        double number = 0;
        std::int64_t integer = 0;
        static Value of(std::string t) { Value v; v.text = std::move(t); return v; }
        static Value num(double n) { Value v; v.number = n; return v; }
        static Value whole(std::int64_t i) { Value v; v.integer = i; v.number = double(i); return v; }
    };

    // `version`: 0x03 dBase III, 0xF5 FoxPro 2, 0x30 Visual FoxPro (the memo
    // flag is set by itself when a field is M). `codePageMark`: byte 29, 0 for none.
    BenchDbfWriter(const std::string& path, std::uint8_t version, std::uint8_t codePageMark,
                   std::vector<Field> fields);
    ~BenchDbfWriter();
    BenchDbfWriter(const BenchDbfWriter&) = delete;
    BenchDbfWriter& operator=(const BenchDbfWriter&) = delete;

    void add(const std::vector<Value>& values, bool deleted = false);
    // Writes the record count and closes the files. Throws std::runtime_error.
    void finish();

private:
    std::uint32_t writeMemo(const std::string& text);

    std::string m_path;
    std::uint8_t m_version;
    std::uint8_t m_codePageMark;
    std::vector<Field> m_fields;
    std::FILE* m_table = nullptr;
    std::FILE* m_memo = nullptr;
    std::uint32_t m_records = 0;
    std::uint32_t m_nextBlock = 0;
    std::uint32_t m_blockSize = 64;
    int m_recordLength = 1;
    std::string m_record;
};

} // namespace dbfquery::bench
