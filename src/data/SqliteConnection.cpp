#include "data/SqliteConnection.h"

#include "data/ProviderMessages.h"
#include "support/UserError.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <sqlite3.h>

#include <cstring>
#include <new>

namespace dbfquery::data {

namespace {

using support::UserError;

struct Statement {
    sqlite3_stmt* handle = nullptr;
    ~Statement() { sqlite3_finalize(handle); }
};

bool blank(const char* p) {
    while (*p && static_cast<unsigned char>(*p) <= ' ')
        ++p;
    return *p == 0;
}

} // namespace

bool parseDeclaredType(const char* declared, FieldType& type, int& width, int& decimals) {
    if (!declared)
        return false;
    const QByteArray d(declared);
    width = 0;
    decimals = 0;
    const int open = d.indexOf('(');
    const QByteArray head = open < 0 ? d : d.left(open);
    if (open >= 0) {
        const QList<QByteArray> numbers = d.mid(open + 1, d.size() - open - 2).split(',');
        width = numbers.value(0).toInt();
        decimals = numbers.value(1).toInt();
    }
    static const struct { const char* name; FieldType type; int width; int decimals; } known[] = {
        {"CHAR", FieldType::Text, -1, 0},        {"VARCHAR", FieldType::Text, -1, 0},
        {"MEMOTEXT", FieldType::Memo, 10, 0},    {"DATETEXT", FieldType::Date, 10, 0},
        {"DATETIMETEXT", FieldType::DateTime, 19, 0}, {"LOGICAL", FieldType::Logical, 1, 0},
        {"DECIMAL", FieldType::Decimal, -1, -1}, {"INTEGER", FieldType::Integer, 11, 0},
        {"DOUBLE", FieldType::Float, 20, 0},     {"CURRENCY", FieldType::Currency, 20, 4},
        {"BLOB", FieldType::Binary, 10, 0},
    };
    for (const auto& k : known) {
        if (head != k.name)
            continue;
        type = k.type;
        if (k.width >= 0)
            width = k.width;
        if (k.decimals >= 0)
            decimals = k.decimals;
        return true;
    }
    return false;
}

SqliteConnection::SqliteConnection(const QString& folder, ProviderOptions options)
    : m_folder(folder) {
    const QFileInfo info(folder);
    if (folder.trimmed().isEmpty() || !info.isDir())
        throw UserError(messages::folderNotFound(folder));
    m_context.includeDeleted = options.includeDeleted;
    const int rc = sqlite3_open_v2(":memory:", &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    if (rc != SQLITE_OK) {
        const QString text = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
        sqlite3_close(m_db);
        throw UserError(messages::fromSqlite(rc, text));
    }
    registerDbfModule(m_db, &m_context);
}

SqliteConnection::~SqliteConnection() {
    sqlite3_close(m_db);
}

std::vector<std::pair<QString, std::shared_ptr<const DbfTable>>> SqliteConnection::openedTables() const {
    std::vector<std::pair<QString, std::shared_ptr<const DbfTable>>> result;
    for (const auto& [name, key] : m_attached)
        result.emplace_back(name, m_context.tables[key]);
    return result;
}

bool SqliteConnection::attachTable(const QString& name) {
    QString table = name;
    if (table.startsWith(QLatin1String("main."), Qt::CaseInsensitive))
        table = table.mid(5);
    if (table.isEmpty())
        return false;
    // An exact match wins over one that differs in case only.
    QString path;
    const QFileInfoList files = QDir(m_folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& f : files) {
        if (f.suffix().compare(QLatin1String("dbf"), Qt::CaseInsensitive) != 0
            || f.completeBaseName().compare(table, Qt::CaseInsensitive) != 0)
            continue;
        if (path.isEmpty() || f.completeBaseName() == table)
            path = f.filePath();
        if (f.completeBaseName() == table)
            break;
    }
    if (path.isEmpty())
        return false;

    auto [it, fresh] = m_byPath.try_emplace(path, m_context.tables.size());
    if (fresh) {
        try {
            m_context.tables.push_back(DbfTable::open(path));
        } catch (...) {
            m_byPath.erase(it);
            throw;
        }
    }
    const QByteArray create = QStringLiteral("CREATE VIRTUAL TABLE main.%1 USING dbf(%2)")
                                  .arg(quotedIdentifier(table))
                                  .arg(it->second)
                                  .toUtf8();
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, create.constData(), nullptr, nullptr, &error);
    const QString text = QString::fromUtf8(error ? error : sqlite3_errstr(rc));
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        throw UserError(messages::fromSqlite(rc, text));
    m_attached.emplace_back(table, it->second);
    return true;
}

std::shared_ptr<const ResultSet> SqliteConnection::execute(const QString& sql, const QString& queryName) {
    m_context.failure.clear();
    const QByteArray text = sql.toUtf8();
    Statement statement;
    const char* tail = nullptr;
    static const QString noTable = QStringLiteral("no such table: ");
    QStringList attempted;
    for (;;) {
        const int rc = sqlite3_prepare_v3(m_db, text.constData(), static_cast<int>(text.size()), 0,
                                          &statement.handle, &tail);
        if (rc == SQLITE_OK)
            break;
        const QString error = QString::fromUtf8(sqlite3_errmsg(m_db));
        if (!m_context.failure.isEmpty())
            throw UserError(m_context.failure);
        if (error.startsWith(noTable)) {
            const QString name = error.mid(noTable.size());
            // A name attached once and still missing (another schema, say) is not retried.
            if (!attempted.contains(name) && attachTable(name)) {
                attempted << name;
                continue;
            }
            throw UserError(messages::tableNotFound(name, m_folder));
        }
        throw UserError(messages::fromSqlite(rc, error));
    }
    if (!statement.handle)
        throw UserError(messages::noResultSet(queryName));
    if (tail && !blank(tail)) {
        // Only comments may follow the statement.
        Statement next;
        if (sqlite3_prepare_v3(m_db, tail, -1, 0, &next.handle, nullptr) != SQLITE_OK || next.handle)
            throw UserError(messages::notOneStatement());
    }

    sqlite3_stmt* s = statement.handle;
    const int columns = sqlite3_column_count(s);
    auto fail = [&](int rc) -> UserError {
        if (!m_context.failure.isEmpty())
            return UserError(m_context.failure);
        return UserError(messages::fromSqlite(rc, QString::fromUtf8(sqlite3_errmsg(m_db))));
    };
    if (columns == 0) {
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            throw fail(rc);
        throw UserError(messages::noResultSet(queryName));
    }

    std::vector<ResultSetBuilder::Declared> declared(static_cast<std::size_t>(columns));
    for (int i = 0; i < columns; ++i) {
        auto& d = declared[i];
        d.name = QString::fromUtf8(sqlite3_column_name(s, i));
        d.known = parseDeclaredType(sqlite3_column_decltype(s, i), d.type, d.width, d.decimals);
    }
    ResultSetBuilder builder(std::move(declared));
    int rc;
    try {
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
            for (int i = 0; i < columns; ++i) {
                switch (sqlite3_column_type(s, i)) {
                case SQLITE_INTEGER: builder.addInteger(i, sqlite3_column_int64(s, i)); break;
                case SQLITE_FLOAT: builder.addReal(i, sqlite3_column_double(s, i)); break;
                case SQLITE_TEXT: {
                    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
                    builder.addText(i, {p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(s, i))});
                    break;
                }
                case SQLITE_BLOB: {
                    const auto* p = static_cast<const char*>(sqlite3_column_blob(s, i));
                    builder.addBlob(i, {p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(s, i))});
                    break;
                }
                default: builder.addNull(i); break;
                }
            }
            builder.endRow();
        }
    } catch (const std::bad_alloc&) {
        throw UserError(messages::fromSqlite(SQLITE_NOMEM, QStringLiteral("out of memory")));
    }
    if (rc != SQLITE_DONE)
        throw fail(rc);
    return std::make_shared<const ResultSet>(builder.finish());
}

} // namespace dbfquery::data
