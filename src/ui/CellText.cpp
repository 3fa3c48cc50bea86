#include "ui/CellText.h"

namespace dbfquery::ui {

QString dateCellText(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString dateTimeCellText(const QDateTime& dateTime) {
    return dateTime.isValid() ? dateTime.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")) : QString();
}

QString logicalCellText(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return QString();
    return value.toBool() ? QStringLiteral("Да") : QStringLiteral("Нет");
}

QString oneLineCellText(const QString& text) {
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue; // the LF that follows gives the space
        line += (ch == u'\r' || ch == u'\n' || ch == u'\t') ? QChar(u' ') : ch;
    }
    return line;
}

} // namespace dbfquery::ui
