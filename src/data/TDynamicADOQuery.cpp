#include "data/TDynamicADOQuery.h"

#include "data/ProviderMessages.h"
#include "support/TextLines.h"
#include "support/UserError.h"

namespace dbfquery::data {

TDynamicADOQuery::TDynamicADOQuery(TADOfoxproCon* connection, QString name)
    : m_connection(connection), m_name(std::move(name)) {}

void TDynamicADOQuery::setSqlShablon(const QStringList& lines) {
    m_template = lines;
    Rebuild();
}

void TDynamicADOQuery::clearSqlShablon() {
    if (m_template.isEmpty())
        return;
    m_template.clear();
    Rebuild();
}

void TDynamicADOQuery::setSqlParams(const QString& params) {
    m_params = params;
    Rebuild();
}

QStringList TDynamicADOQuery::splitParams(const QString& params) {
    QStringList result;
    QString current;
    for (const QChar ch : params) {
        if (ch == QLatin1Char(';')) {
            result << current;
            current.clear();
        } else {
            current += ch;
        }
    }
    if (!current.isEmpty())
        result << current;
    return result;
}

QString TDynamicADOQuery::upperAscii(QString text) {
    for (QChar& ch : text)
        if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z'))
            ch = QChar(ch.unicode() - 'a' + 'A');
    return text;
}

void TDynamicADOQuery::Rebuild() {
    QString text;
    for (const QString& line : m_template)
        text += line + QLatin1String("\r\n");
    bool blank = true;
    for (const QChar ch : text)
        if (ch.unicode() > 32) {
            blank = false;
            break;
        }
    if (blank)
        return;
    Close();
    text = upperAscii(text);
    for (const QString& param : splitParams(m_params)) {
        const qsizetype at = text.indexOf(QLatin1String("%S"));
        if (at < 0)
            continue;
        text.replace(at, 2, param);
    }
    m_statement = support::splitTextLines(text);
}

void TDynamicADOQuery::Open() {
    if (m_result)
        return;
    bool blank = true;
    for (const QString& line : m_statement)
        blank = blank && line.trimmed().isEmpty();
    if (!m_connection || blank)
        throw support::UserError(messages::noStatement(m_name));
    QString text;
    for (const QString& line : m_statement)
        text += line + QLatin1String("\r\n");
    m_result = m_connection->connection().execute(text, m_name);
}

void TDynamicADOQuery::Close() {
    m_result.reset();
}

} // namespace dbfquery::data
