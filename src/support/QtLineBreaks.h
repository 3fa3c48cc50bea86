#pragma once

#include <QString>

namespace dbfquery::support {

// Message texts break lines at a carriage return; Qt breaks at a line feed.
inline QString qtLineBreaks(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

} // namespace dbfquery::support
