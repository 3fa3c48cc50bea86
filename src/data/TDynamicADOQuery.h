#pragma once

#include "data/ResultSet.h"
#include "data/TADOfoxproCon.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace dbfquery::data {

// A query whose statement is built from a template: every change of the
// template or of the parameters rebuilds it (ASCII letters upper-cased, each
// "%S" replaced by the next ";"-separated parameter). Open runs the statement
// in force on the connection and keeps all rows.
//
// Threads: set up on any one thread; Open may run on a worker thread while
// nothing else touches the query or its connection.
class TDynamicADOQuery {
public:
    explicit TDynamicADOQuery(TADOfoxproCon* connection = nullptr, QString name = QStringLiteral("Sql"));

    const QString& Name() const { return m_name; }
    TADOfoxproCon* Connection() const { return m_connection; }
    void setConnection(TADOfoxproCon* connection) { m_connection = connection; }

    // The template. Assigning lines rebuilds once; clearing a non-empty
    // template rebuilds once; clearing an empty one does nothing.
    const QStringList& SqlShablon() const { return m_template; }
    void setSqlShablon(const QStringList& lines);
    void clearSqlShablon();

    const QString& SqlParams() const { return m_params; }
    void setSqlParams(const QString& params);

    // The statement in force, as lines.
    const QStringList& SQL() const { return m_statement; }

    void Rebuild();

    // Opens the connection if needed and runs the statement; opening an open
    // query does nothing. Throws support::UserError with the provider's message.
    void Open();
    void Close();
    bool Active() const { return m_result != nullptr; }
    void setActive(bool value) { value ? Open() : Close(); }

    // The rows of the open query; null while closed. Stays valid after Close.
    std::shared_ptr<const ResultSet> Result() const { return m_result; }

    // The pieces of Rebuild, exposed for the command-line tool.
    static QStringList splitParams(const QString& params);
    static QString upperAscii(QString text);

private:
    TADOfoxproCon* m_connection;
    QString m_name;
    QStringList m_template;
    QString m_params;
    QStringList m_statement;
    std::shared_ptr<const ResultSet> m_result;
};

} // namespace dbfquery::data
