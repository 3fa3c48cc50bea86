#pragma once

#include "data/DbfTable.h"
#include "data/ModuleContext.h"
#include "data/ResultSet.h"

#include <QString>
#include <map>
#include <memory>
#include <utility>
#include <vector>

struct sqlite3;

namespace dbfquery::data {

struct ProviderOptions {
    bool includeDeleted = false; // "Deleted=No": deleted records are rows too
};

// One SQLite connection over a folder of DBF files. A table name in a
// statement finds the folder's .dbf file of that name without regard to case
// the first time it is used; the file is read where it lies. Not thread-safe:
// one thread at a time, which need not be the one that created it.
class SqliteConnection {
public:
    // Throws support::UserError when the folder does not exist.
    explicit SqliteConnection(const QString& folder, ProviderOptions options = {});
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    const QString& folder() const { return m_folder; }

    // Runs one statement and returns all its rows. A statement without a row
    // set is carried out, then fails with the message that says so, prefixed
    // by `queryName`. Throws support::UserError with the provider's message.
    std::shared_ptr<const ResultSet> execute(const QString& sql, const QString& queryName);

    // The tables statements have used so far, by the name they were used under.
    std::vector<std::pair<QString, std::shared_ptr<const DbfTable>>> openedTables() const;

private:
    bool attachTable(const QString& name);

    QString m_folder;
    ModuleContext m_context;
    sqlite3* m_db = nullptr;
    std::map<QString, std::size_t> m_byPath;  // file path -> index in m_context.tables
    std::vector<std::pair<QString, std::size_t>> m_attached;
};

// The type a column declared by the module stands for; false for columns
// without a declared type (computed ones).
bool parseDeclaredType(const char* declared, FieldType& type, int& width, int& decimals);

} // namespace dbfquery::data
