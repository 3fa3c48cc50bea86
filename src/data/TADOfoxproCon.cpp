#include "data/TADOfoxproCon.h"

#include "data/ProviderMessages.h"
#include "support/UserError.h"

#include <QDir>

namespace dbfquery::data {

TADOfoxproCon::TADOfoxproCon()
    : m_connectionString(connectionStringFor(QDir::toNativeSeparators(QDir::currentPath()))) {}

QString TADOfoxproCon::connectionStringFor(const QString& sourceDb) {
    return QStringLiteral("Provider=MSDASQL.1;Persist Security Info=False;Mode=ReadWrite;"
                          "Extended Properties=\"Driver={Microsoft Visual FoxPro Driver};UID=;SourceDB=")
           + sourceDb
           + QStringLiteral(";SourceType=DBF;Exclusive=No;BackgroundFetch=Yes;"
                            "Collate=Machine;Null=Yes;Deleted=Yes;\"");
}

QString TADOfoxproCon::extendedProperty(const QString& key) const {
    const int start = m_connectionString.indexOf(QLatin1String("Extended Properties=\""), 0, Qt::CaseInsensitive);
    if (start < 0)
        return {};
    const int from = start + 21;
    const int end = m_connectionString.indexOf(QLatin1Char('"'), from);
    const QString pairs = m_connectionString.mid(from, end < 0 ? -1 : end - from);
    for (const QString& pair : pairs.split(QLatin1Char(';'))) {
        const int eq = pair.indexOf(QLatin1Char('='));
        if (eq > 0 && pair.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return pair.mid(eq + 1);
    }
    return {};
}

void TADOfoxproCon::setDefaultDatabase(const QString& folder) {
    if (folder == m_defaultDatabase)
        return;
    m_defaultDatabase = folder;
    if (m_connection) {
        // The tables are looked up in the new folder from now on.
        m_connection.reset();
        setConnected(true);
    }
}

void TADOfoxproCon::setConnected(bool value) {
    if (!value) {
        m_connection.reset();
        return;
    }
    if (m_connection)
        return;
    const QString sourceType = extendedProperty(QStringLiteral("SourceType"));
    if (!sourceType.isEmpty() && sourceType.compare(QLatin1String("DBF"), Qt::CaseInsensitive) != 0)
        throw support::UserError(messages::unsupportedSourceType(sourceType));
    ProviderOptions options;
    options.includeDeleted =
        extendedProperty(QStringLiteral("Deleted")).compare(QLatin1String("No"), Qt::CaseInsensitive) == 0;
    const QString folder = m_defaultDatabase.isEmpty() ? extendedProperty(QStringLiteral("SourceDB"))
                                                       : m_defaultDatabase;
    m_connection = std::make_unique<SqliteConnection>(folder, options);
}

SqliteConnection& TADOfoxproCon::connection() {
    setConnected(true);
    return *m_connection;
}

} // namespace dbfquery::data
