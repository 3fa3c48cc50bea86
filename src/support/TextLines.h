#pragma once

#include <QString>
#include <QStringList>

namespace dbfquery::support {

// Splits a text into lines at CR LF, CR or LF; a break at the very end adds
// no empty line, and an empty text has no lines.
QStringList splitTextLines(const QString& text);

} // namespace dbfquery::support
