#pragma once

#include "data/SqliteConnection.h"

#include <QString>
#include <memory>

namespace dbfquery::data {

enum class TConnectMode { Unknown, Read, Write, ReadWrite, ShareDenyRead, ShareDenyWrite, ShareExclusive, ShareDenyNone };

// The connection to a folder of DBF tables. It opens implicitly when a query
// on it opens, with the folder last set as DefaultDatabase (or, while none is
// set, the SourceDB of the connection string). Not thread-safe: the window
// sets it up on the GUI thread; a query may then open it on a worker thread,
// one thread at a time.
class TADOfoxproCon {
public:
    // Builds the connection string from the current working directory.
    TADOfoxproCon();

    // The connection string for a given SourceDB folder.
    static QString connectionStringFor(const QString& sourceDb);

    const QString& ConnectionString() const { return m_connectionString; }
    void setConnectionString(const QString& value) { m_connectionString = value; }
    const QString& DefaultDatabase() const { return m_defaultDatabase; }
    // A new value is remembered; while open it takes effect at once (and may
    // throw support::UserError for a folder that does not exist).
    void setDefaultDatabase(const QString& folder);
    bool LoginPrompt() const { return m_loginPrompt; }
    void setLoginPrompt(bool value) { m_loginPrompt = value; }
    TConnectMode Mode() const { return m_mode; }
    void setMode(TConnectMode value) { m_mode = value; }
    const QString& Provider() const { return m_provider; }
    void setProvider(const QString& value) { m_provider = value; }

    bool Connected() const { return m_connection != nullptr; }
    // true opens (throws support::UserError); false closes, and closing a
    // closed connection does nothing. Results already read stay valid.
    void setConnected(bool value);

    // The open provider connection, opening it first. Throws support::UserError.
    SqliteConnection& connection();

    // The value of one pair of the connection string's extended properties
    // ("Deleted", "SourceType", ...), matched without regard to case; empty
    // when absent.
    QString extendedProperty(const QString& key) const;

private:
    QString m_connectionString;
    QString m_defaultDatabase;
    bool m_loginPrompt = true;
    TConnectMode m_mode = TConnectMode::Unknown;
    QString m_provider = QStringLiteral("MSDASQL.1");
    std::unique_ptr<SqliteConnection> m_connection;
};

} // namespace dbfquery::data
