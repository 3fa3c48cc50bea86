#pragma once

#include <QString>

// The provider's messages to the user, in one place. Each names what failed
// first, then SQLite's own text where there is one.
namespace dbfquery::data::messages {

QString folderNotFound(const QString& folder);              // "Папка не найдена: ..."
QString tableNotFound(const QString& table, const QString& folder);
QString notOneStatement();
// A failed prepare or step: `code` is SQLite's primary result code.
QString fromSqlite(int code, const QString& sqliteText);
// The data-access layer's message for a statement without a row set.
QString noResultSet(const QString& queryName);
QString noStatement(const QString& queryName);
QString unsupportedSourceType(const QString& type);

} // namespace dbfquery::data::messages
