#include "data/ProviderMessages.h"

#include <sqlite3.h>

namespace dbfquery::data::messages {

QString folderNotFound(const QString& folder) {
    return QStringLiteral("Папка не найдена: %1").arg(folder);
}

QString tableNotFound(const QString& table, const QString& folder) {
    return QStringLiteral("Таблица не найдена: %1 (папка %2)").arg(table, folder);
}

QString notOneStatement() {
    return QStringLiteral("Ошибка в запросе: в тексте больше одного оператора");
}

QString fromSqlite(int code, const QString& sqliteText) {
    static const QString noColumn = QStringLiteral("no such column: ");
    if (sqliteText.startsWith(noColumn))
        return QStringLiteral("Поле не найдено: %1").arg(sqliteText.mid(noColumn.size()));
    if (sqliteText.endsWith(QLatin1String("may not be modified")))
        return QStringLiteral("Таблица только для чтения: %1").arg(sqliteText);
    switch (code) {
    case SQLITE_NOMEM: return QStringLiteral("Недостаточно памяти для запроса: %1").arg(sqliteText);
    case SQLITE_INTERRUPT: return QStringLiteral("Запрос прерван");
    case SQLITE_FULL:
    case SQLITE_IOERR: return QStringLiteral("Ошибка записи временных данных: %1").arg(sqliteText);
    default: return QStringLiteral("Ошибка в запросе: %1").arg(sqliteText);
    }
}

QString noResultSet(const QString& queryName) {
    return queryName + QStringLiteral(": CommandText does not return a result set");
}

QString noStatement(const QString& queryName) {
    return queryName + QStringLiteral(": текст запроса не задан");
}

QString unsupportedSourceType(const QString& type) {
    return QStringLiteral("Тип источника данных не поддерживается: %1").arg(type);
}

} // namespace dbfquery::data::messages
