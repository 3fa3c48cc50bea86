#pragma once

#include <QByteArray>
#include <QString>

namespace dbfquery::report::detail {

// Windows-1251 for report streams. Characters outside the code page are
// written as "?".
QByteArray toCp1251(const QString& text);
QString fromCp1251(const char* data, qsizetype size);

} // namespace dbfquery::report::detail
