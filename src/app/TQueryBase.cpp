#include "app/TQueryBase.h"

#include "support/UserError.h"

#include <QFile>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <sqlite3.h>

namespace dbfquery::app {

namespace {

using support::UserError;

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

constexpr const char* createTable =
    "CREATE TABLE Quorvel (Position INTEGER PRIMARY KEY, Name TEXT, \"Select\" TEXT, "
    "\"From\" TEXT, \"Where\" TEXT, OrderBy TEXT, IsAuto INTEGER, Path TEXT, Text TEXT)";
constexpr const char* insertEntry =
    "INSERT INTO Quorvel (Position, Name, \"Select\", \"From\", \"Where\", OrderBy, IsAuto, Path, "
    "Text) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)";
constexpr const char* selectEntries =
    "SELECT Name, \"Select\", \"From\", \"Where\", OrderBy, IsAuto, Path, Text FROM Quorvel "
    "ORDER BY Position";

QString sqliteMessage(sqlite3* db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

QString cut(const QString& value, int size) { return value.left(size); }

bool lessByName(const TQueryEntry& a, const TQueryEntry& b) {
    return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
}

Database openDatabase(const QString& fileName, int flags) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(fileName).constData(), &raw, flags, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK)
        throw UserError(QStringLiteral("Не удается открыть файл %1: %2")
                            .arg(fileName, raw ? sqliteMessage(raw) : QString::fromUtf8(sqlite3_errstr(rc))));
    sqlite3_extended_result_codes(raw, 1);
    return db;
}

void execute(sqlite3* db, const char* sql, const QString& fileName) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw UserError(QStringLiteral("Ошибка записи файла %1: %2").arg(fileName, sqliteMessage(db)));
}

void bindText(sqlite3_stmt* statement, int column, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(statement, column, utf8.constData(), static_cast<int>(utf8.size()),
                      SQLITE_TRANSIENT);
}

QString columnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

void writeEntries(sqlite3* db, const std::vector<TQueryEntry>& entries, const QString& fileName) {
    execute(db, "BEGIN", fileName);
    execute(db, createTable, fileName);
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, insertEntry, -1, &raw, nullptr) != SQLITE_OK)
        throw UserError(QStringLiteral("Ошибка записи файла %1: %2").arg(fileName, sqliteMessage(db)));
    Statement insert(raw);
    int position = 0;
    for (const TQueryEntry& e : entries) {
        sqlite3_bind_int(raw, 1, ++position);
        bindText(raw, 2, e.Name);
        bindText(raw, 3, e.Select);
        bindText(raw, 4, e.From);
        bindText(raw, 5, e.Where);
        bindText(raw, 6, e.OrderBy);
        sqlite3_bind_int(raw, 7, e.IsAuto ? 1 : 0);
        bindText(raw, 8, e.Path);
        bindText(raw, 9, e.Text);
        if (sqlite3_step(raw) != SQLITE_DONE)
            throw UserError(QStringLiteral("Ошибка записи файла %1: %2").arg(fileName, sqliteMessage(db)));
        sqlite3_reset(raw);
    }
    insert.reset();
    execute(db, "COMMIT", fileName);
}

bool isDataError(int rc) {
    const int primary = rc & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT || primary == SQLITE_ERROR ||
           primary == SQLITE_MISMATCH || primary == SQLITE_FORMAT || primary == SQLITE_RANGE;
}

} // namespace

void TQueryBase::reset() {
    m_entries.clear();
    m_current = -1;
    m_open = true;
}

void TQueryBase::close() {
    m_entries.clear();
    m_current = -1;
    m_open = false;
}

QStringList TQueryBase::names() const {
    QStringList list;
    for (const TQueryEntry& e : m_entries)
        list << e.Name;
    return list;
}

void TQueryBase::setCurrent(int index) {
    if (index >= 0 && index < count())
        m_current = index;
}

TQueryEntry TQueryBase::currentEntry() const {
    if (m_current < 0 || m_current >= count())
        return {};
    return entry(m_current);
}

int TQueryBase::findName(const QString& name) const {
    for (int i = 0; i < count(); ++i)
        if (entry(i).Name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TQueryBase::findPrefix(const QString& prefix) const {
    for (int i = 0; i < count(); ++i)
        if (entry(i).Name.startsWith(prefix, Qt::CaseInsensitive))
            return i;
    return -1;
}

void TQueryBase::placeInOrder(TQueryEntry e) {
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), e, lessByName);
    m_current = static_cast<int>(at - m_entries.begin());
    m_entries.insert(at, std::move(e));
}

void TQueryBase::store(TQueryEntry e, int replacing) {
    e.Name = cut(e.Name, NameSize);
    e.Select = cut(e.Select, ListSize);
    e.From = cut(e.From, ListSize);
    e.Where = cut(e.Where, ListSize);
    e.OrderBy = cut(e.OrderBy, ListSize);
    e.Path = cut(e.Path, PathSize);
    if (replacing >= 0 && replacing < count())
        m_entries.erase(m_entries.begin() + replacing);
    placeInOrder(std::move(e));
}

void TQueryBase::remove(int index) {
    if (index < 0 || index >= count())
        return;
    m_entries.erase(m_entries.begin() + index);
    m_current = std::min(index, count() - 1);
}

void TQueryBase::saveToFile(const QString& fileName) const {
    // Written beside the target and renamed over it, so a failure or a crash
    // leaves the old base whole.
    const QString temporary = fileName + QStringLiteral(".tmp");
    QFile::remove(temporary);
    {
        Database db = openDatabase(temporary, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        writeEntries(db.get(), m_entries, temporary);
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temporary).constData(),
                            QFile::encodeName(fileName).constData(), error);
    if (error) {
        QFile::remove(temporary);
        throw UserError(QStringLiteral("Не удается записать файл %1: %2")
                            .arg(fileName, QString::fromLocal8Bit(error.message().c_str())));
    }
}

void TQueryBase::loadFromFile(const QString& fileName) {
    close();
    Database db = openDatabase(fileName, SQLITE_OPEN_READONLY);
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(db.get(), selectEntries, -1, &raw, nullptr);
    Statement select(raw);
    std::vector<TQueryEntry> read;
    while (rc == SQLITE_OK && (rc = sqlite3_step(raw)) == SQLITE_ROW) {
        read.push_back({columnText(raw, 0), columnText(raw, 1), columnText(raw, 2),
                        columnText(raw, 3), columnText(raw, 4), sqlite3_column_int(raw, 5) != 0,
                        columnText(raw, 6), columnText(raw, 7)});
        rc = SQLITE_OK;
    }
    if (rc != SQLITE_DONE) {
        const QString message = sqliteMessage(db.get());
        if (isDataError(rc))
            throw DataError(QStringLiteral("Файл %1 не является базой запросов (%2)").arg(fileName, message));
        throw UserError(QStringLiteral("Не удается прочитать файл %1: %2").arg(fileName, message));
    }
    reset();
    for (TQueryEntry& e : read)
        store(std::move(e), -1);
    m_current = count() > 0 ? 0 : -1;
}

} // namespace dbfquery::app
