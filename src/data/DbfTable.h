#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QFile;

namespace dbfquery::support {
class CodePage;
}

namespace dbfquery::data {

// One column of a table, as its field descriptor gives it.
struct DbfField {
    QString name;        // as stored in the descriptor (trailing blanks dropped)
    char type = 'C';     // the descriptor's type letter: C N F D L M I B Y T V Q W G P ...
    int offset = 0;      // byte offset inside the record (byte 0 is the deletion flag)
    int width = 0;       // bytes in the record
    int decimals = 0;
    bool nullable = false; // Visual FoxPro: the field may hold null
    bool binary = false;   // raw bytes (Q, W, G, P, binary memos, NOCPTRANS memos): values are blobs
};

// The code page the table's text is decoded from.
struct DbfCodePage {
    QString name;          // "cp866", "cp1251", "koi8-r", "utf-8", ...
    bool guessed = false;  // false when read from the table's mark
};

// One value as SQLite takes it.
struct DbfValue {
    enum class Kind { Null, Integer, Real, Text, Blob } kind = Kind::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string_view bytes; // Text: UTF-8 without trailing blanks; Blob: raw bytes. Points into the
                            // table's buffer or into the caller's scratch string.
};

// A DBF table: dBase III/IV/5/7, FoxPro 2, Visual FoxPro, with its .dbt/.fpt
// memo file. Immutable after open; const members may be called from any
// thread at once (each thread with its own scratch string).
class DbfTable {
public:
    // Memory-maps the table and its memo file (found next to it whatever the
    // case of its extension). Reads only the header. Throws support::UserError
    // with a Russian message naming the file and the fault.
    static std::shared_ptr<const DbfTable> open(const QString& path);
    // The same over bytes in memory; `name` stands in for the file name in messages.
    static std::shared_ptr<const DbfTable> fromBuffer(QByteArray table, QByteArray memo = {},
                                                      const QString& name = QStringLiteral("memory.dbf"));

    ~DbfTable();
    DbfTable(const DbfTable&) = delete;
    DbfTable& operator=(const DbfTable&) = delete;

    const QString& path() const { return m_path; }
    const std::vector<DbfField>& fields() const { return m_fields; } // the columns; _NullFlags is not one
    std::uint32_t recordCount() const { return m_recordCount; } // records readable in the file, deleted ones included
    const DbfCodePage& codePage() const { return m_codePage; }
    std::uint8_t version() const { return m_version; } // byte 0 of the header
    QString formatName() const;                        // "dBase III", "Visual FoxPro", ...
    std::uint32_t recordLength() const { return m_recordLength; } // bytes, deletion flag included
    // Repairs made while opening (e.g. a record count beyond the file's end), in Russian.
    const QStringList& warnings() const { return m_warnings; }

    bool isDeleted(std::uint32_t record) const {
        return record < m_recordCount && recordData(record)[0] == '*';
    }
    // One field of one record (record and field from 0). Text is decoded to
    // UTF-8 (into `scratch` when it is not plain ASCII). Out-of-range
    // arguments give Null. Throws support::UserError for a damaged memo reference.
    DbfValue value(std::uint32_t record, int field, std::string& scratch) const;

    // Start of a record's bytes (recordLength() of them); record < recordCount().
    const char* recordData(std::uint32_t record) const {
        return m_records + static_cast<std::size_t>(record) * m_recordLength;
    }

private:
    struct Layout; // per-field decoding plan
    enum class MemoKind : std::uint8_t { None, Dbt, Fpt };

    DbfTable() = default;
    static std::shared_ptr<const DbfTable> build(std::unique_ptr<DbfTable> table);
    void parseHeader();
    bool needsMemo() const;
    void attachMemo(QByteArray memo, MemoKind kind, const QString& memoName);
    void attachMemoBytes(MemoKind kind, const QString& memoName);
    std::string_view memoBytes(std::uint32_t record, const DbfField& field, const char* cell) const;
    [[noreturn]] void damaged(const QString& what) const;

    QString m_path;
    QString m_fileName; // for messages
    std::unique_ptr<QFile> m_file;     // owns the mapping when opened from a path
    std::unique_ptr<QFile> m_memoFile;
    QByteArray m_buffer;               // owns the bytes when not mapped
    QByteArray m_memoBuffer;
    const char* m_data = nullptr;
    std::size_t m_size = 0;
    const char* m_memo = nullptr;
    std::size_t m_memoSize = 0;
    std::uint32_t m_memoBlockSize = 512;
    MemoKind m_memoKind = MemoKind::None;
    QString m_memoName;

    std::uint8_t m_version = 0;
    bool m_dBase7 = false;
    std::uint32_t m_headerLength = 0;
    std::uint32_t m_recordLength = 0;
    std::uint32_t m_recordCount = 0;
    const char* m_records = nullptr;
    int m_nullFlagsOffset = -1; // byte offset of _NullFlags in the record, or -1
    int m_nullFlagsWidth = 0;
    std::vector<DbfField> m_fields;
    std::vector<Layout> m_layout;
    DbfCodePage m_codePage;
    const support::CodePage* m_codec = nullptr; // null for UTF-8
    QStringList m_warnings;
};

} // namespace dbfquery::data
