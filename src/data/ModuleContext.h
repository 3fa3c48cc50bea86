#pragma once

#include "data/DbfTable.h"

#include <QString>
#include <memory>
#include <vector>

struct sqlite3;

namespace dbfquery::data {

// What the virtual tables of one SQLite connection share. Used by one thread
// at a time, like the connection.
struct ModuleContext {
    // The tables the connection opened; a virtual table's one argument is an
    // index into this list.
    std::vector<std::shared_ptr<const DbfTable>> tables;
    bool includeDeleted = false; // the connection's "Deleted=No"
    // The user-facing message of a failure inside a callback, kept whole so
    // that it is not reported as an SQL error. Cleared before each statement.
    QString failure;
};

// An identifier in double quotes, inner quotes doubled, for generated SQL.
QString quotedIdentifier(const QString& name);

// Registers the module "dbf" on `db`; `context` must outlive the connection.
void registerDbfModule(sqlite3* db, ModuleContext* context);

} // namespace dbfquery::data
